#pragma once
#include <cstdint>
#include <string>

#include "soui/SString.h"

enum : int32_t {
    SLOT_RUNNING = -1,
    SLOT_CANCEL_REQUESTED = 0,
    SLOT_CANCELLED = 1,
};

// One engine handle of the download manager and the transfer on it.
struct DownLoadSlot {
    int32_t handle = 0;
    bool busy = false;
    int32_t taskId = 0;
    int32_t lastProgress = 0;
    int32_t kind = 0;
    int32_t state = SLOT_RUNNING;
    int64_t size = 0;
    std::string url;
    std::wstring savePath;
    SOUI::SStringW speedText;
};
