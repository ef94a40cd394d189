#include "download/DownLoadSpeedText.h"

SOUI::SStringW FormatDownLoadSpeed(float bytesPerSecond) {
    SOUI::SStringW text;
    if (!(bytesPerSecond > 0.0f)) {
        text = L"0B/S";
        return text;
    }
    float speed = bytesPerSecond;
    text.Format(L"%.0fB/S", static_cast<double>(speed));
    if (speed > 1024.0f) {
        speed /= 1024.0f;
        text.Format(L"%.0fKB/S", static_cast<double>(speed));
        if (speed > 1024.0f) {
            speed /= 1024.0f;
            text.Format(L"%.0fMB/S", static_cast<double>(speed));
        }
    }
    return text;
}
