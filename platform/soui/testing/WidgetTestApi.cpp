#include "soui/SWidgetTestApi.h"

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "core/src/NativeEdit.h"
#include "core/src/NativeImpl.h"
#include "soui/SHostWnd.h"
#include "soui/SListView.h"

namespace SOUI::test {

namespace {

void SendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

Qt::Key QtKey(WPARAM vk) {
    switch (vk) {
        case VK_UP:
            return Qt::Key_Up;
        case VK_DOWN:
            return Qt::Key_Down;
        case VK_RETURN:
            return Qt::Key_Return;
        case VK_ESCAPE:
            return Qt::Key_Escape;
        default:
            return static_cast<Qt::Key>(vk);
    }
}

SImageData ToImageData(QImage image) {
    image.convertTo(QImage::Format_ARGB32);
    SImageData data;
    data.width = image.width();
    data.height = image.height();
    data.pixels.reserve(static_cast<size_t>(data.width) * static_cast<size_t>(data.height));
    for (int y = 0; y < data.height; ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        data.pixels.insert(data.pixels.end(), line, line + data.width);
    }
    return data;
}

}  // namespace

void ClickAt(SHostWnd& host, CPoint pt) {
    QWidget* widget = NativeAccess::Widget(&host);
    if (widget == nullptr) return;
    QPoint pos(pt.x, pt.y);
    // A native child there (an edit) gets the click, as it would from a user.
    if (QWidget* child = widget->childAt(pos)) {
        pos = child->mapFrom(widget, pos);
        widget = child;
    }
    SendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
    SendMouse(widget, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
    // The press may have ended the window.
    if (NativeAccess::Widget(&host) != nullptr)
        SendMouse(widget, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}

CPoint CenterOnHost(SWindow& wnd) {
    const CRect rc =
        wnd.GetContainer() ? wnd.GetContainer()->FrameToHost(wnd.GetWindowRect()) : wnd.GetWindowRect();
    return rc.CenterPoint();
}

bool ClickInItem(SHostWnd& host, SListView& list, int item, const wchar_t* name) {
    SItemPanel* panel = list.GetItemPanel(item);
    SWindow* target = panel ? panel->FindChildByName(name) : nullptr;
    if (target == nullptr) return false;
    ClickAt(host, CenterOnHost(*target));
    return true;
}

void WheelOver(SHostWnd& host, SWindow& wnd, int delta) {
    QWidget* widget = NativeAccess::Widget(&host);
    if (widget == nullptr) return;
    const CPoint c = CenterOnHost(wnd);
    QPoint pos(c.x, c.y);
    SendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
    // A native child there (an edit) gets the wheel, as it would from a user.
    if (QWidget* child = widget->childAt(pos)) {
        pos = child->mapFrom(widget, pos);
        widget = child;
    }
    QWheelEvent wheel(QPointF(pos), QPointF(widget->mapToGlobal(pos)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(widget, &wheel);
}

void PressKey(SHostWnd& host, WPARAM virtualKey) {
    QWidget* target = NativeAccess::Widget(&host);
    if (auto* edit = dynamic_cast<SEdit*>(host.GetSwndFocus())) target = EditAccess::LineEdit(*edit);
    if (target == nullptr) return;
    QKeyEvent press(QEvent::KeyPress, QtKey(virtualKey), Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, QtKey(virtualKey), Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

void RedrawNow(SHostWnd& host) {
    if (QWidget* widget = NativeAccess::Widget(&host)) widget->repaint();
}

bool TypeText(SHostWnd& host, const wchar_t* editName, const std::wstring& text) {
    auto* edit = host.FindChildByName2<SEdit>(editName);
    QLineEdit* line = edit ? EditAccess::LineEdit(*edit) : nullptr;
    if (line == nullptr) return false;
    for (wchar_t ch : text) {
        const QString s = QString::fromStdWString(std::wstring(1, ch));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, s);
        QCoreApplication::sendEvent(line, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, s);
        QCoreApplication::sendEvent(line, &release);
    }
    return true;
}

std::wstring SelectedText(SHostWnd& host, const wchar_t* editName) {
    auto* edit = host.FindChildByName2<SEdit>(editName);
    QLineEdit* line = edit ? EditAccess::LineEdit(*edit) : nullptr;
    return line ? line->selectedText().toStdWString() : std::wstring();
}

SImageData HostPaintWithoutNativeEdits(SHostWnd& host) {
    QWidget* widget = NativeAccess::Widget(&host);
    if (widget == nullptr || widget->size().isEmpty()) return {};
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    // No DrawChildren: the native edits are the host's child widgets.
    widget->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return ToImageData(image);
}

SImageData RepaintAreasOver(SHostWnd& host, const SImageData& screen, const std::vector<CRect>& areas) {
    QWidget* widget = NativeAccess::Widget(&host);
    if (widget == nullptr || screen.width != widget->width() || screen.height != widget->height() ||
        screen.pixels.size() != static_cast<size_t>(screen.width) * static_cast<size_t>(screen.height))
        return {};
    QImage image(reinterpret_cast<const uchar*>(screen.pixels.data()), screen.width, screen.height,
                 QImage::Format_ARGB32);
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QRegion region;
    for (const CRect& rc : areas) region += QRect(rc.left, rc.top, rc.Width(), rc.Height());
    // One paint event for the whole region, as the platform sends it; the
    // pixels outside it keep the old picture. The region's corner goes to
    // the offset given.
    widget->render(&image, region.boundingRect().topLeft(), region, QWidget::RenderFlags());
    return ToImageData(image);
}

}  // namespace SOUI::test
