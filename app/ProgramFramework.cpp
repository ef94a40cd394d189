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
    loader_ = std::make_unique<SComMgr>(L"imgdecoder-gdip");
    EnterProgramFolder();
    if (!loader_->CreateRender_Skia(reinterpret_cast<IObjRef**>(&render_))) {
        loader_.reset();
        MessageBoxW(nullptr, L"Load CreateRender_Skia Error!", L"", MB_ICONINFORMATION);
        return false;
    }
    if (!loader_->CreateImgDecoder(reinterpret_cast<IObjRef**>(&decoder_))) {
        render_ = nullptr;
        loader_.reset();
        MessageBoxW(nullptr, L"Load CreateImgDecoder Error!", L"", MB_ICONINFORMATION);
        return false;
    }
    render_->SetImgDecoderFactory(decoder_);
    app_ = std::make_unique<SApplication>(render_, instance, L"SOUIHOST", SObjectDefaultRegister(), 0);
    RegisterOwnClasses(*app_);
    if (HMODULE sysRes = LoadLibraryW(L"soui-sys-resource.dll")) {
        SAutoRefPtr<IResProvider> sysProvider;
        CreateResProvider(RES_PE, reinterpret_cast<IObjRef**>(&sysProvider));
        sysProvider->Init(reinterpret_cast<WPARAM>(sysRes), 0);
        app_->LoadSystemNamedResource(sysProvider);
        sysProvider = nullptr;
        FreeLibrary(sysRes);
    } else {
        MessageBoxW(nullptr, L"Load SYS_NAMED_RESOURCE Error!", L"", MB_ICONINFORMATION);
    }
    CreateResProvider(RES_PE, reinterpret_cast<IObjRef**>(&provider_));
    provider_->Init(reinterpret_cast<WPARAM>(instance), 0);
    app_->AddResProvider(provider_, L"uidef:xml_init");
    msgBoxLayout_ = std::make_unique<SXmlDoc>();
    if (app_->LoadXmlDocment(*msgBoxLayout_, L"XML_MSGBOX", L"LAYOUT"))
        SetMsgTemplate(msgBoxLayout_->child("SOUI"));
    notifyCenter_ = std::make_unique<SNotifyCenter>();
    return true;
}

ProgramFramework::~ProgramFramework() {
    notifyCenter_.reset();
    app_.reset();
    msgBoxLayout_.reset();
    provider_ = nullptr;
    render_ = nullptr;
    decoder_ = nullptr;
    loader_.reset();
}
