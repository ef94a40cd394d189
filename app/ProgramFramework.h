#pragma once
// The window framework as the program brings it up: the component loader,
// the renderer and image decoder, the application with the program's own
// classes, the system and program resources, the message-box template and
// the notification centre. Destruction takes them down in reverse order.
#include <memory>

#include "soui/IRender.h"
#include "soui/SApplication.h"
#include "soui/SComMgr.h"
#include "soui/SNotifyCenter.h"
#include "soui/SResProvider.h"
#include "soui/SXml.h"

class ProgramFramework {
public:
    ProgramFramework() = default;
    ~ProgramFramework();
    ProgramFramework(const ProgramFramework&) = delete;
    ProgramFramework& operator=(const ProgramFramework&) = delete;

    // False when start-up must end: the renderer or the image decoder could
    // not be made (the user has been told). A missing system-resource module
    // is told too, but start-up goes on.
    bool Start(SOUI::HINSTANCE instance);

    SOUI::SApplication& App() { return *app_; }

private:
    std::unique_ptr<SOUI::SComMgr> loader_;
    SOUI::SAutoRefPtr<SOUI::IRenderFactory> render_;
    SOUI::SAutoRefPtr<SOUI::IImgDecoderFactory> decoder_;
    std::unique_ptr<SOUI::SApplication> app_;
    SOUI::SAutoRefPtr<SOUI::IResProvider> provider_;
    std::unique_ptr<SOUI::SXmlDoc> msgBoxLayout_;
    std::unique_ptr<SOUI::SNotifyCenter> notifyCenter_;
};
