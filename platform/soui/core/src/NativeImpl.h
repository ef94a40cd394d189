#pragma once
// The Qt window behind an SNativeWnd.
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>

#include "soui/SNativeWnd.h"

namespace SOUI {

namespace detail {

// Turns the Qt events of one top-level window into window messages.
class NativeWidget : public QWidget {
public:
    explicit NativeWidget(SNativeWnd* owner);
    // The window object is going away: events are no longer delivered.
    void Detach() { owner_ = nullptr; }
    HWND Handle() const { return owner_ ? owner_->m_hWnd : nullptr; }

    std::function<void(QPainter&, const QRect&)> paint;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    void Input(UINT msg, WPARAM wParam, LPARAM lParam);
    SNativeWnd* owner_;
};

}  // namespace detail

struct SNativeWnd::Impl {
    QPointer<detail::NativeWidget> widget;
    std::map<UINT_PTR, std::unique_ptr<QTimer>> timers;
};

// Reaches the message procedure from the free functions of the layer.
struct NativeAccess {
    static LRESULT Call(SNativeWnd* wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        return wnd->WindowProc(msg, wParam, lParam);
    }
    static detail::NativeWidget* Widget(SNativeWnd* wnd) { return wnd->impl_->widget; }
};

}  // namespace SOUI
