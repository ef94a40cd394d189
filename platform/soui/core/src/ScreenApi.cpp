#include <QGuiApplication>
#include <QScreen>

#include "NativeImpl.h"
#include "soui/SScreenApi.h"

namespace SOUI {

namespace {

HWND& Capture() {
    static HWND capture = nullptr;
    return capture;
}

CRect ToCRect(const QRect& r) {
    return CRect(r.x(), r.y(), r.x() + r.width(), r.y() + r.height());
}

}  // namespace

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
    QScreen* screen = nullptr;
    if (SNativeWnd* wnd = SNativeWnd::FromHandle(hwnd); wnd && NativeAccess::Widget(wnd)) {
        const QWidget* widget = NativeAccess::Widget(wnd);
        screen = QGuiApplication::screenAt(widget->geometry().center());
        if (screen == nullptr && flags == MONITOR_DEFAULTTONEAREST) screen = widget->screen();
    }
    if (screen == nullptr && flags != MONITOR_DEFAULTTONULL) screen = QGuiApplication::primaryScreen();
    return reinterpret_cast<HMONITOR>(screen);
}

BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info) {
    if (monitor == nullptr || info == nullptr) return FALSE;
    auto* screen = reinterpret_cast<QScreen*>(monitor);
    if (!QGuiApplication::screens().contains(screen)) return FALSE;
    info->rcMonitor = ToCRect(screen->geometry());
    info->rcWork = ToCRect(screen->availableGeometry());
    info->dwFlags = screen == QGuiApplication::primaryScreen() ? 1 : 0;
    return TRUE;
}

int GetSystemMetrics(int index) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return 0;
    if (index == SM_CXSCREEN) return screen->geometry().width();
    if (index == SM_CYSCREEN) return screen->geometry().height();
    return 0;
}

HWND SetCapture(HWND hwnd) {
    return std::exchange(Capture(), hwnd);
}

BOOL ReleaseCapture() {
    Capture() = nullptr;
    return TRUE;
}

HWND GetCapture() {
    // A window that is gone holds nothing.
    if (Capture() != nullptr && SNativeWnd::FromHandle(Capture()) == nullptr) Capture() = nullptr;
    return Capture();
}

}  // namespace SOUI
