#include "TestFramework.h"

#include <gtest/gtest.h>

#include "soui/SMessageBox.h"
#include "soui/STestApi.h"
#include "soui/SystemApi.h"

namespace souitest {

using namespace SOUI;

TestFramework::TestFramework() {
    test::UseOffscreenPlatform();
    comMgr_ = std::make_unique<SComMgr>();
    EXPECT_TRUE(comMgr_->CreateRender_Skia(reinterpret_cast<IObjRef**>(&render_)));
    EXPECT_TRUE(comMgr_->CreateImgDecoder(reinterpret_cast<IObjRef**>(&decoder_)));
    render_->SetImgDecoderFactory(decoder_);
    app_ = std::make_unique<SApplication>(render_, GetModuleHandleW(nullptr));

    HMODULE sysRes = LoadLibraryW(L"soui-sys-resource.dll");
    EXPECT_NE(sysRes, nullptr);
    SAutoRefPtr<IResProvider> sysProvider;
    CreateResProvider(RES_PE, reinterpret_cast<IObjRef**>(&sysProvider));
    EXPECT_TRUE(sysProvider->Init(reinterpret_cast<WPARAM>(sysRes), 0));
    EXPECT_TRUE(app_->LoadSystemNamedResource(sysProvider));
    sysProvider = nullptr;
    FreeLibrary(sysRes);

    SAutoRefPtr<IResProvider> provider;
    CreateResProvider(RES_PE, reinterpret_cast<IObjRef**>(&provider));
    EXPECT_TRUE(provider->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0));
    EXPECT_TRUE(app_->AddResProvider(provider, L"uidef:xml_init"));

    SXmlDoc msgBox;
    EXPECT_TRUE(app_->LoadXmlDocment(msgBox, L"TEST_MSGBOX", L"LAYOUT"));
    EXPECT_TRUE(SetMsgTemplate(msgBox.child("SOUI")));
}

TestFramework::~TestFramework() {
    app_.reset();
    decoder_ = nullptr;
    render_ = nullptr;
    comMgr_.reset();
}

}  // namespace souitest
