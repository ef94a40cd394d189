#pragma once
#include "soui/SString.h"

// "0B/S", "512B/S", "2KB/S", "3MB/S": whole units, stepping up only above
// 1024 of the smaller one.
SOUI::SStringW FormatDownLoadSpeed(float bytesPerSecond);
