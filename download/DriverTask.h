#pragma once
#include <cstdint>
#include <string>

#include "soui/SString.h"

enum : int32_t {
    TASK_NOT_STARTED = 0,
    TASK_WAITING = 1,
    TASK_DOWNLOADING = 2,
    TASK_COMPLETED = 3,
    TASK_FAILED = 7,
};

// One listed driver and its download state. Copied, never shared.
struct DriverTask {
    SOUI::SStringW category;
    SOUI::SStringW name;
    SOUI::SStringW version;
    SOUI::SStringW sizeText;
    SOUI::SStringW activeTime;
    SOUI::SStringW iconSkin;
    SOUI::SStringW speedText;
    std::string url;
    std::string fileName;
    std::string osName;
    std::string modelCode;
    std::string sizeBytesText;
    std::string editionId;
    int64_t size = 0;
    int32_t id = 0;
    int32_t state = TASK_NOT_STARTED;
    int32_t kind = 0;
    int32_t progress = 0;
    bool paused = false;
    bool stoppedByUser = false;
    bool checked = false;
};
