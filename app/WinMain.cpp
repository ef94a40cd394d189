// The program's entry: brings the window framework up, runs the main window's
// message loop and takes everything down again. Always exits with 0.
#include <unistd.h>

#include <memory>
#include <optional>
#include <string>

#include "app/MainWnd.h"
#include "app/OwnClasses.h"
#include "os/ModulePath.h"
#include "os/UnicodeText.h"
#include "soui/IRender.h"
#include "soui/SApplication.h"
#include "soui/SComMgr.h"
#include "soui/SMessageBox.h"
#include "soui/SNotifyCenter.h"
#include "soui/SResProvider.h"
#include "soui/SystemApi.h"

using namespace SOUI;

namespace {

// Modules and resources are found relative to the program's own folder.
void EnterProgramFolder() {
    if (const std::optional<std::string> dir = os::WideToUtf8(os::ExecutableDir())) {
        if (::chdir(dir->c_str()) != 0) return;
    }
}

}  // namespace

int wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPWSTR /*commandLine*/, int /*show*/) {
    auto loader = std::make_unique<SComMgr>(L"imgdecoder-gdip");
    EnterProgramFolder();
    SAutoRefPtr<IRenderFactory> render;
    if (!loader->CreateRender_Skia(reinterpret_cast<IObjRef**>(&render))) {
        loader.reset();
        MessageBoxW(nullptr, L"Load CreateRender_Skia Error!", L"", MB_ICONINFORMATION);
        return 0;
    }
    SAutoRefPtr<IImgDecoderFactory> decoder;
    if (!loader->CreateImgDecoder(reinterpret_cast<IObjRef**>(&decoder))) {
        render = nullptr;
        loader.reset();
        MessageBoxW(nullptr, L"Load CreateImgDecoder Error!", L"", MB_ICONINFORMATION);
        return 0;
    }
    render->SetImgDecoderFactory(decoder);
    auto app = std::make_unique<SApplication>(render, instance, L"SOUIHOST", SObjectDefaultRegister(), 0);
    RegisterOwnClasses(*app);
    if (HMODULE sysRes = LoadLibraryW(L"soui-sys-resource.dll")) {
        SAutoRefPtr<IResProvider> sysProvider;
        CreateResProvider(RES_PE, reinterpret_cast<IObjRef**>(&sysProvider));
        sysProvider->Init(reinterpret_cast<WPARAM>(sysRes), 0);
        app->LoadSystemNamedResource(sysProvider);
        sysProvider = nullptr;
        FreeLibrary(sysRes);
    } else {
        MessageBoxW(nullptr, L"Load SYS_NAMED_RESOURCE Error!", L"", MB_ICONINFORMATION);
    }
    SAutoRefPtr<IResProvider> provider;
    CreateResProvider(RES_PE, reinterpret_cast<IObjRef**>(&provider));
    provider->Init(reinterpret_cast<WPARAM>(instance), 0);
    app->AddResProvider(provider, L"uidef:xml_init");
    auto msgBoxLayout = std::make_unique<SXmlDoc>();
    if (app->LoadXmlDocment(*msgBoxLayout, L"XML_MSGBOX", L"LAYOUT"))
        SetMsgTemplate(msgBoxLayout->child("SOUI"));
    auto notifyCenter = std::make_unique<SNotifyCenter>();
    {
        auto mainWnd = std::make_unique<CMainWnd>();
        mainWnd->Create(GetActiveWindow(), 0, 0, 0, 0);
        mainWnd->SendMessageW(WM_INITDIALOG, 0, 0);
        mainWnd->ShowWindow(SW_SHOWNORMAL);
        app->Run(mainWnd->m_hWnd);
        mainWnd.reset();
    }
    notifyCenter.reset();
    app.reset();
    msgBoxLayout.reset();
    provider = nullptr;
    render = nullptr;
    decoder = nullptr;
    loader.reset();
    return 0;
}

int main() {
    return wWinMain(GetModuleHandleW(nullptr), nullptr, nullptr, SW_SHOWNORMAL);
}
