#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "LoopInternals.h"
#include "NativeImpl.h"
#include "soui/SMessageLoop.h"

namespace SOUI::detail {

namespace {

LPARAM PointParam(const QPointF& pos) {
    return MAKELPARAM(static_cast<int>(pos.x()), static_cast<int>(pos.y()));
}

WPARAM ButtonFlags(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton) ? MK_LBUTTON : 0;
}

WPARAM VirtualKey(const QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return VK_RETURN;
        case Qt::Key_Escape:
            return VK_ESCAPE;
        case Qt::Key_Up:
            return VK_UP;
        case Qt::Key_Down:
            return VK_DOWN;
        default:
            break;
    }
    const int key = e->key();
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        return static_cast<WPARAM>(key);
    }
    return 0;
}

}  // namespace

NativeWidget::NativeWidget(SNativeWnd* owner) : owner_(owner) {
    setMouseTracking(true);
}

void NativeWidget::Input(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = Handle();
    if (hwnd == nullptr) return;
    MSG m{hwnd, msg, wParam, lParam};
    SMessageLoop::GetCurrent()->DispatchMessage(m);
}

void NativeWidget::paintEvent(QPaintEvent* e) {
    if (!owner_ || !paint) return;
    DeliveryScope scope;
    QPainter painter(this);
    // Each rectangle of the region on its own: the progress bars of two rows
    // must not repaint every text between them.
    for (const QRect& part : e->region()) paint(painter, part);
}

void NativeWidget::resizeEvent(QResizeEvent*) {
    if (!owner_) return;
    DeliveryScope scope;
    owner_->SendMessageW(WM_SIZE, 0, MAKELPARAM(width(), height()));
}

void NativeWidget::moveEvent(QMoveEvent*) {
    if (!owner_) return;
    DeliveryScope scope;
    owner_->SendMessageW(WM_MOVE, 0, MAKELPARAM(x(), y()));
}

void NativeWidget::closeEvent(QCloseEvent* e) {
    // The window's own message map decides whether it closes.
    e->ignore();
    if (!owner_) return;
    DeliveryScope scope;
    owner_->SendMessageW(WM_SYSCOMMAND, SC_CLOSE, 0);
}

void NativeWidget::mouseMoveEvent(QMouseEvent* e) {
    DeliveryScope scope;
    Input(WM_MOUSEMOVE, ButtonFlags(e->buttons()), PointParam(e->position()));
}

void NativeWidget::mousePressEvent(QMouseEvent* e) {
    DeliveryScope scope;
    if (e->button() == Qt::LeftButton)
        Input(WM_LBUTTONDOWN, ButtonFlags(e->buttons()), PointParam(e->position()));
    else if (e->button() == Qt::RightButton)
        Input(WM_RBUTTONDOWN, 0, PointParam(e->position()));
}

void NativeWidget::mouseReleaseEvent(QMouseEvent* e) {
    DeliveryScope scope;
    if (e->button() == Qt::LeftButton)
        Input(WM_LBUTTONUP, ButtonFlags(e->buttons()), PointParam(e->position()));
    else if (e->button() == Qt::RightButton)
        Input(WM_RBUTTONUP, 0, PointParam(e->position()));
}

void NativeWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    // The second press of a double click counts as a press of its own.
    mousePressEvent(e);
}

void NativeWidget::leaveEvent(QEvent*) {
    DeliveryScope scope;
    Input(WM_MOUSELEAVE, 0, 0);
}

void NativeWidget::wheelEvent(QWheelEvent* e) {
    DeliveryScope scope;
    const int delta = e->angleDelta().y();
    const QPointF global = e->globalPosition();
    Input(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<std::uint32_t>(delta & 0xFFFF) << 16),
          PointParam(global));
}

void NativeWidget::keyPressEvent(QKeyEvent* e) {
    DeliveryScope scope;
    if (const WPARAM vk = VirtualKey(e)) Input(WM_KEYDOWN, vk, 0);
}

void NativeWidget::keyReleaseEvent(QKeyEvent* e) {
    DeliveryScope scope;
    if (const WPARAM vk = VirtualKey(e)) Input(WM_KEYUP, vk, 0);
}

}  // namespace SOUI::detail
