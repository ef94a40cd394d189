// Runs the start-up of a framework program; message boxes go to the file
// that SOUI_MESSAGEBOX_LOG names, and it prints whether the window opened.
#include <cstdio>
#include <memory>
#include <string>

#include "soui/IRender.h"
#include "soui/SApplication.h"
#include "soui/SComMgr.h"
#include "soui/SHostWnd.h"
#include "soui/SMessageBox.h"
#include "soui/SNotifyCenter.h"
#include "soui/STestApi.h"
#include "soui/SystemApi.h"

using namespace SOUI;

namespace {

int StartUp(bool ask) {
    auto loader = std::make_unique<SComMgr>(L"imgdecoder-gdip");
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
    {
        SApplication app(render, GetModuleHandleW(nullptr), L"SOUIHOST");
        if (HMODULE sysRes = LoadLibraryW(L"soui-sys-resource.dll")) {
            SAutoRefPtr<IResProvider> provider;
            CreateResProvider(RES_PE, reinterpret_cast<IObjRef**>(&provider));
            provider->Init(reinterpret_cast<WPARAM>(sysRes), 0);
            app.LoadSystemNamedResource(provider);
            provider = nullptr;
            FreeLibrary(sysRes);
        } else {
            MessageBoxW(nullptr, L"Load SYS_NAMED_RESOURCE Error!", L"", MB_ICONINFORMATION);
        }
        SAutoRefPtr<IResProvider> own;
        CreateResProvider(RES_PE, reinterpret_cast<IObjRef**>(&own));
        own->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0);
        app.AddResProvider(own, L"uidef:xml_init");
        SXmlDoc msgBox;
        if (app.LoadXmlDocment(msgBox, L"TEST_MSGBOX", L"LAYOUT")) SetMsgTemplate(msgBox.child("SOUI"));
        SNotifyCenter notifyCenter;
        SHostWnd mainWnd(L"LAYOUT:TEST_MAIN");
        if (mainWnd.Create(GetActiveWindow())) {
            mainWnd.SendMessageW(WM_INITDIALOG, 0, 0);
            mainWnd.ShowWindow(SW_SHOWNORMAL);
            std::printf("window: %s\n", mainWnd.IsWindowVisible() ? "opened" : "hidden");
            if (ask)
                std::printf("answer: %d\n",
                            SMessageBox(nullptr, L"有正在下载的任务，确认退出吗？", L"", MB_OKCANCEL, 100));
            mainWnd.PostMessageW(WM_QUIT, 0, 0);
            app.Run(mainWnd.m_hWnd);
        }
    }
    decoder = nullptr;
    render = nullptr;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    test::UseOffscreenPlatform();
    return StartUp(argc > 1 && std::string(argv[1]) == "ask");
}
