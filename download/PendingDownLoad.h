#pragma once
#include <cstdint>
#include <string>

// One download request, built by the window from a task and passed by value.
struct PendingDownLoad {
    int32_t kind = 0;
    int32_t taskId = 0;
    int64_t size = 0;
    std::string url;
    std::wstring savePath;
};
