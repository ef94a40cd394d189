#pragma once
// The Qt side of the layer, shared by its sources; never seen by programs.
#include <QString>

#include <string>

namespace SOUI::detail {

// The process's one Qt application, created on first need on the calling
// (window) thread and kept until the process ends.
void EnsureQtApplication();

inline QString ToQString(const std::wstring& text) {
    return QString::fromStdWString(text);
}
inline std::wstring FromQString(const QString& text) {
    return text.toStdWString();
}

}  // namespace SOUI::detail
