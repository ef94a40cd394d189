#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <map>
#include <mutex>

#include "AttrParse.h"
#include "Compositing.h"
#include "LoopInternals.h"
#include "NativeImpl.h"
#include "QtApp.h"
#include "soui/SMessageLoop.h"
#include "soui/SystemApi.h"

namespace SOUI {

namespace {

// Handles are numbers that are never reused, so a stale one finds nothing.
struct Registry {
    std::mutex mutex;
    std::map<HWND, SNativeWnd*> windows;
    std::uintptr_t next = 0x100;
};

Registry& Windows() {
    static Registry registry;
    return registry;
}

HWND Register(SNativeWnd* wnd) {
    std::lock_guard lock(Windows().mutex);
    HWND hwnd = reinterpret_cast<HWND>(Windows().next);
    Windows().next += 4;
    Windows().windows[hwnd] = wnd;
    return hwnd;
}

void Unregister(HWND hwnd) {
    std::lock_guard lock(Windows().mutex);
    Windows().windows.erase(hwnd);
}

}  // namespace

SNativeWnd* SNativeWnd::FromHandle(HWND hwnd) {
    std::lock_guard lock(Windows().mutex);
    const auto it = Windows().windows.find(hwnd);
    return it == Windows().windows.end() ? nullptr : it->second;
}

BOOL IsWindow(HWND hwnd) {
    return SNativeWnd::FromHandle(hwnd) != nullptr ? TRUE : FALSE;
}

LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // Another thread waits while the window thread runs the procedure.
    if (!detail::OnWindowThread()) return detail::SendToWindowThread(MSG{hwnd, msg, wParam, lParam});
    SNativeWnd* wnd = SNativeWnd::FromHandle(hwnd);
    return wnd ? NativeAccess::Call(wnd, msg, wParam, lParam) : 0;
}

HWND GetActiveWindow() {
    if (!detail::OnWindowThread()) return nullptr;
    auto* widget = dynamic_cast<detail::NativeWidget*>(QApplication::activeWindow());
    return widget ? widget->Handle() : nullptr;
}

SNativeWnd::SNativeWnd() : impl_(std::make_unique<Impl>()) {}

SNativeWnd::~SNativeWnd() {
    DestroyWindow();
}

BOOL SNativeWnd::ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&, DWORD) {
    return FALSE;
}

LRESULT SNativeWnd::ReflectNotifications(UINT, WPARAM, LPARAM, BOOL& handled) {
    // Reflection serves native child controls; windowless controls have none.
    handled = FALSE;
    return 0;
}

HWND SNativeWnd::CreateNative(LPCWSTR title, HWND parent, const CRect& rc, BOOL translucent,
                              BOOL toolWindow) {
    if (m_hWnd) return nullptr;
    detail::InitMessageQueue();
    auto* widget = new detail::NativeWidget(this);
    Qt::WindowFlags flags = Qt::Window | Qt::FramelessWindowHint;
    if (toolWindow) flags |= Qt::Tool | Qt::WindowDoesNotAcceptFocus;
    widget->setWindowFlags(flags);
    // Without a compositor the window stays opaque; its host shapes it to
    // what it paints opaque instead.
    if (translucent && detail::DisplayBlendsWindows()) widget->setAttribute(Qt::WA_TranslucentBackground);
    widget->setWindowTitle(detail::ToQString(title ? title : L""));
    widget->setGeometry(rc.left, rc.top, rc.Width(), rc.Height());
    impl_->widget = widget;
    m_hWnd = Register(this);
    if (SNativeWnd* owner = FromHandle(parent); owner && owner->impl_->widget) {
        widget->winId();
        owner->impl_->widget->winId();
        widget->windowHandle()->setTransientParent(owner->impl_->widget->windowHandle());
    }
    SendMessageW(WM_CREATE, 0, 0);
    return m_hWnd;
}

LRESULT SNativeWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const BOOL outerHandled = msgHandled_;
    LRESULT result = 0;
    const HWND hwnd = m_hWnd;
    msgHandled_ = TRUE;
    const BOOL handled = ProcessWindowMessage(hwnd, msg, wParam, lParam, result, 0);
    // The map may have destroyed the window; only a live one gets the default.
    if (!handled && FromHandle(hwnd) == this) result = DefWindowProc(msg, wParam, lParam);
    msgHandled_ = outerHandled;
    return result;
}

LRESULT SNativeWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_CLOSE:
            DestroyWindow();
            break;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_MINIMIZE)
                ShowWindow(SW_MINIMIZE);
            else if ((wParam & 0xFFF0) == SC_RESTORE)
                ShowWindow(SW_RESTORE);
            else if ((wParam & 0xFFF0) == SC_CLOSE)
                SendMessageW(WM_CLOSE, 0, 0);
            break;
        default:
            break;
    }
    return 0;
}

void SNativeWnd::OnFinalMessage(HWND) {}

LRESULT SNativeWnd::SendMessageW(UINT msg, WPARAM wParam, LPARAM lParam) {
    return SOUI::SendMessageW(m_hWnd, msg, wParam, lParam);
}

BOOL SNativeWnd::PostMessageW(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!m_hWnd) return FALSE;
    return SOUI::PostMessageW(m_hWnd, msg, wParam, lParam);
}

BOOL SNativeWnd::IsWindow() const {
    return m_hWnd != nullptr && impl_->widget ? TRUE : FALSE;
}

BOOL SNativeWnd::ShowWindow(int cmd) {
    QWidget* w = impl_->widget;
    if (!w) return FALSE;
    const BOOL wasVisible = w->isVisible() ? TRUE : FALSE;
    switch (cmd) {
        case SW_HIDE:
            w->hide();
            break;
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
            w->showMinimized();
            break;
        case SW_RESTORE:
            w->showNormal();
            break;
        default:
            w->show();
            break;
    }
    return wasVisible;
}

BOOL SNativeWnd::IsWindowVisible() const {
    return impl_->widget && impl_->widget->isVisible() ? TRUE : FALSE;
}

BOOL SNativeWnd::IsIconic() const {
    return impl_->widget && impl_->widget->isMinimized() ? TRUE : FALSE;
}

BOOL SNativeWnd::DestroyWindow() {
    if (!m_hWnd || !impl_->widget) return FALSE;
    const HWND hwnd = m_hWnd;
    for (auto& [id, timer] : impl_->timers) {
        timer->stop();
        detail::SafeDelete(timer.release());
    }
    impl_->timers.clear();
    SendMessageW(WM_DESTROY, 0, 0);
    detail::NativeWidget* widget = impl_->widget;
    impl_->widget = nullptr;
    Unregister(hwnd);
    m_hWnd = nullptr;
    if (widget) {
        widget->Detach();
        widget->hide();
        detail::SafeDelete(widget);
    }
    OnFinalMessage(hwnd);
    return TRUE;
}

BOOL SNativeWnd::EnableWindow(BOOL enable) {
    QWidget* w = impl_->widget;
    if (!w) return FALSE;
    const BOOL wasDisabled = w->isEnabled() ? FALSE : TRUE;
    w->setEnabled(enable != FALSE);
    return wasDisabled;
}

BOOL SNativeWnd::IsWindowEnabled() const {
    return impl_->widget && impl_->widget->isEnabled() ? TRUE : FALSE;
}

BOOL SNativeWnd::SetWindowTextW(LPCWSTR text) {
    if (!impl_->widget) return FALSE;
    impl_->widget->setWindowTitle(detail::ToQString(text ? text : L""));
    return TRUE;
}

BOOL SNativeWnd::SetWindowTextA(const char* text) {
    if (!impl_->widget) return FALSE;
    impl_->widget->setWindowTitle(QString::fromUtf8(text ? text : ""));
    return TRUE;
}

std::wstring SNativeWnd::GetWindowTextW() const {
    return impl_->widget ? detail::FromQString(impl_->widget->windowTitle()) : std::wstring();
}

BOOL SNativeWnd::GetWindowRect(CRect* rc) const {
    if (!impl_->widget) return FALSE;
    const QRect g = impl_->widget->geometry();
    *rc = CRect(g.x(), g.y(), g.x() + g.width(), g.y() + g.height());
    return TRUE;
}

BOOL SNativeWnd::GetClientRect(CRect* rc) const {
    if (!impl_->widget) return FALSE;
    *rc = CRect(0, 0, impl_->widget->width(), impl_->widget->height());
    return TRUE;
}

BOOL SNativeWnd::ClientToScreen(CPoint* pt) const {
    if (!impl_->widget) return FALSE;
    const QPoint g = impl_->widget->mapToGlobal(QPoint(pt->x, pt->y));
    *pt = CPoint(g.x(), g.y());
    return TRUE;
}

BOOL SNativeWnd::SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    QWidget* w = impl_->widget;
    if (!w) return FALSE;
    if (!(flags & SWP_NOZORDER) && insertAfter == HWND_TOPMOST &&
        !(w->windowFlags() & Qt::WindowStaysOnTopHint)) {
        const bool visible = w->isVisible();
        const bool created = w->testAttribute(Qt::WA_WState_Created);
        w->setWindowFlag(Qt::WindowStaysOnTopHint, true);  // hides the window
        // The change drops the widget's native window but keeps its Qt
        // window's; left to the next show, the two no longer agree and on X11
        // the window never reaches the screen. Made again now, they do.
        if (created) w->winId();
        if (visible) w->show();
    }
    if (!(flags & SWP_NOMOVE)) w->move(x, y);
    if (!(flags & SWP_NOSIZE)) w->resize(cx, cy);
    if (flags & SWP_SHOWWINDOW) {
        w->setAttribute(Qt::WA_ShowWithoutActivating, (flags & SWP_NOACTIVATE) != 0);
        w->show();
    }
    if (flags & SWP_HIDEWINDOW) w->hide();
    return TRUE;
}

UINT_PTR SNativeWnd::SetTimer(UINT_PTR id, UINT elapse) {
    if (!impl_->widget) return 0;
    auto& timer = impl_->timers[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        const HWND hwnd = m_hWnd;
        QObject::connect(timer.get(), &QTimer::timeout, [hwnd, id] {
            MSG msg{hwnd, WM_TIMER, id, 0};
            SMessageLoop::GetCurrent()->DispatchMessage(msg);
        });
    }
    timer->start(static_cast<int>(elapse));
    return id;
}

BOOL SNativeWnd::KillTimer(UINT_PTR id) {
    const auto it = impl_->timers.find(id);
    if (it == impl_->timers.end() || !it->second->isActive()) return FALSE;
    // Kept for a later SetTimer: the timer may be the one now delivering.
    it->second->stop();
    return TRUE;
}

}  // namespace SOUI
