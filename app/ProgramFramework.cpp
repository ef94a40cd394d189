#include "app/ProgramFramework.h"

#include <unistd.h>

#include <optional>
#include <string>

#include "app/OwnClasses.h"
#include "os/ModulePath.h"
#include "os/UnicodeText.h"
#include "soui/SMessageBox.h"
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

bool ProgramFramework::Start(HINSTANCE instance) {
    loader = std::make_unique<SComMgr>(L"imgdecoder-gdip");
    EnterProgramFolder();
    if (!loader->CreateRender_Skia(reinterpret_cast<IObjRef**>(&render))) {
        loader.reset();
        MessageBoxW(nullptr, L"Load CreateRender_Skia Error!", L"", MB_ICONINFORMATION);
        return false;
    }
    if (!loader->CreateImgDecoder(reinterpret_cast<IObjRef**>(&decoder))) {
        render = nullptr;
        loader.reset();
        MessageBoxW(nullptr, L"Load CreateImgDecoder Error!", L"", MB_ICONINFORMATION);
        return false;
    }
    render->SetImgDecoderFactory(decoder);
    app = std::make_unique<SApplication>(render, instance, L"SOUIHOST", SObjectDefaultRegister(), 0);
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
    CreateResProvider(RES_PE, reinterpret_cast<IObjRef**>(&provider));
    provider->Init(reinterpret_cast<WPARAM>(instance), 0);
    app->AddResProvider(provider, L"uidef:xml_init");
    msgBoxLayout = std::make_unique<SXmlDoc>();
    if (app->LoadXmlDocment(*msgBoxLayout, L"XML_MSGBOX", L"LAYOUT"))
        SetMsgTemplate(msgBoxLayout->child("SOUI"));
    notifyCenter = std::make_unique<SNotifyCenter>();
    return true;
}

ProgramFramework::~ProgramFramework() {
    notifyCenter.reset();
    app.reset();
    msgBoxLayout.reset();
    provider = nullptr;
    render = nullptr;
    decoder = nullptr;
    loader.reset();
}
