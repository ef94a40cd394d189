#pragma once
#include <cstdint>

#include "soui/SString.h"

enum : int32_t {
    EVT_DOWNLOAD_DONE = 304,
    EVT_DOWNLOAD_PROGRESS = 305,
    EVT_DOWNLOAD_PAUSED = 306,
    EVT_DOWNLOAD_RESUMED = 307,
    EVT_DOWNLOAD_STOPPED = 308,
    EVT_DOWNLOAD_FAILED = 309,
    EVT_DOWNLOAD_QUEUED = 310,
    EVT_TASK_CHANGED = 312,
    EVT_TASK_DONE = 318,
};

// One message between threads; a sender fills only what its code uses.
struct DownLoadEvent {
    int32_t kind = 0;
    int32_t code = 0;
    int32_t taskId = 0;
    int32_t progress = 0;
    SOUI::SStringW text;
};
