#pragma once
// Brings the framework up the way a program does: modules, application,
// system resources, the program's resources and the message-box template.
#include <memory>

#include "soui/IRender.h"
#include "soui/SApplication.h"
#include "soui/SComMgr.h"

namespace souitest {

class TestFramework {
public:
    TestFramework();
    ~TestFramework();

    SOUI::SApplication& App() { return *app_; }

private:
    std::unique_ptr<SOUI::SComMgr> comMgr_;
    SOUI::SAutoRefPtr<SOUI::IRenderFactory> render_;
    SOUI::SAutoRefPtr<SOUI::IImgDecoderFactory> decoder_;
    std::unique_ptr<SOUI::SApplication> app_;
};

}  // namespace souitest
