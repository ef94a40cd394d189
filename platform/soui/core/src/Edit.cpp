#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "AttrParse.h"
#include "LoopInternals.h"
#include "NativeEdit.h"
#include "NativeImpl.h"
#include "PictureDrawing.h"
#include "QtApp.h"
#include "soui/SMessageLoop.h"

namespace SOUI {

namespace {

constexpr SColor kCueColor = RGBA(0x99, 0x99, 0x99);

// The keys a message filter may take from an edit (a drop-down's list).
WPARAM FilteredKey(const QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Up:
            return VK_UP;
        case Qt::Key_Down:
            return VK_DOWN;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return VK_RETURN;
        case Qt::Key_Escape:
            return VK_ESCAPE;
        default:
            return 0;
    }
}

// Qt selects all of a line edit's text when the focus passes to it (Tab, or
// the focused edit hidden with its page); a read-only box takes the focus
// only from a click or the program, and so shows its text plain.
void ApplyReadOnly(QLineEdit& edit, BOOL readOnly) {
    edit.setReadOnly(readOnly != FALSE);
    edit.setFocusPolicy(readOnly ? Qt::ClickFocus : Qt::StrongFocus);
}

BOOL PreTranslate(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    MSG m{hwnd, msg, wParam, lParam};
    detail::DeliveryScope scope;
    return SMessageLoop::GetCurrent()->PreTranslateMessage(&m);
}

}  // namespace

bool SEdit::Native::eventFilter(QObject* watched, QEvent* event) {
    if (owner == nullptr) return false;
    if (watched == host) {
        if (event->type() == QEvent::Paint || event->type() == QEvent::Resize) Sync();
        return false;
    }
    if (watched != editObject) return false;
    const HWND hwnd = owner->GetContainer() ? owner->GetContainer()->GetHostHwnd() : nullptr;
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const WPARAM vk = FilteredKey(static_cast<QKeyEvent*>(event));
            const UINT msg = event->type() == QEvent::KeyPress ? WM_KEYDOWN : WM_KEYUP;
            return vk != 0 && PreTranslate(hwnd, msg, vk, 0);
        }
        case QEvent::Wheel: {
            const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
            return PreTranslate(hwnd, WM_MOUSEWHEEL,
                                static_cast<WPARAM>(static_cast<std::uint32_t>(delta & 0xFFFF) << 16), 0);
        }
        case QEvent::MouseButtonPress: {
            // A popup holding the capture takes the press as one outside itself.
            const QPoint pos = edit->mapTo(host, static_cast<QMouseEvent*>(event)->position().toPoint());
            return PreTranslate(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pos.x(), pos.y()));
        }
        case QEvent::FocusIn:
            owner->OnNativeFocus(TRUE);
            return false;
        case QEvent::FocusOut: {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                owner->OnNativeFocus(FALSE);
            return false;
        }
        default:
            return false;
    }
}

void SEdit::Native::Sync() {
    if (!edit || owner == nullptr) return;
    ISwndContainer* container = owner->GetContainer();
    const CRect rc = container ? container->FrameToHost(owner->GetClientRect()) : CRect();
    edit->setGeometry(rc.left, rc.top, rc.Width(), rc.Height());
    edit->setVisible(owner->IsVisible(TRUE) && !rc.IsRectEmpty());
}

SEdit::SEdit() {
    GetEventSet()->addEvent(EVT_RE_NOTIFY, EventRENotify::GetClassName());
}

SEdit::~SEdit() {
    if (!native_) return;
    native_->owner = nullptr;
    if (native_->edit) detail::SafeDelete(native_->edit.data());
    detail::SafeDelete(native_.release());
}

SEdit::Native* SEdit::EnsureNative() {
    if (native_ && native_->edit) return native_.get();
    ISwndContainer* container = GetContainer();
    SNativeWnd* wnd = container ? SNativeWnd::FromHandle(container->GetHostHwnd()) : nullptr;
    QWidget* host = wnd ? NativeAccess::Widget(wnd) : nullptr;
    if (host == nullptr) return nullptr;
    if (!native_) native_ = std::make_unique<Native>(this);
    Native* native = native_.get();
    native->host = host;
    auto* edit = new QLineEdit(host);
    native->edit = edit;
    native->editObject = edit;
    edit->setFrame(false);
    edit->setStyleSheet(QStringLiteral("QLineEdit{background:transparent;border:none;}"));
    const SFontDesc& font = GetFont();
    QFont qfont(detail::ToQString(font.face));
    qfont.setPixelSize(font.size);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    edit->setFont(qfont);
    QPalette palette = edit->palette();
    const SColor color = GetTextColor();
    palette.setColor(QPalette::Text, QColor((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF));
    edit->setPalette(palette);
    edit->setPlaceholderText(detail::ToQString(cueText_));
    ApplyReadOnly(*edit, readOnly_);
    edit->setText(detail::ToQString(text_));
    QObject::connect(edit, &QLineEdit::textChanged, native, [native](const QString& text) {
        if (native->owner) native->owner->OnNativeTextChanged(detail::FromQString(text));
    });
    host->installEventFilter(native);
    edit->installEventFilter(native);
    native->Sync();
    return native;
}

void SEdit::SetWindowTextW(LPCWSTR text) {
    const std::wstring value = text ? text : L"";
    Native* native = EnsureNative();
    if (native && native->edit->text() != detail::ToQString(value)) {
        native->edit->setText(detail::ToQString(value));  // reports through textChanged
        return;
    }
    SWindow::SetWindowTextW(value.c_str());
    NotifyChange();
}

void SEdit::OnNativeTextChanged(const std::wstring& text) {
    SWindow::SetWindowTextW(text.c_str());
    NotifyChange();
}

void SEdit::OnNativeFocus(BOOL focused) {
    ISwndContainer* container = GetContainer();
    if (container == nullptr) return;
    if (focused && container->GetSwndFocus() != this) container->OnSetSwndFocus(this);
    if (!focused && container->GetSwndFocus() == this) container->OnSetSwndFocus(nullptr);
}

void SEdit::NotifyChange() {
    if (!(eventMask_ & ENM_CHANGE)) return;
    EventRENotify evt(this);
    evt.iNotify = EN_CHANGE;
    FireEvent(&evt);
}

HRESULT SEdit::SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) {
    if (name == L"cueText") {
        cueText_ = value;
        if (native_ && native_->edit) native_->edit->setPlaceholderText(detail::ToQString(value));
    } else if (name == L"readOnly") {
        readOnly_ = detail::ToBool(value) ? TRUE : FALSE;
        if (native_ && native_->edit) ApplyReadOnly(*native_->edit, readOnly_);
    } else {
        return SWindow::SetAttribute(name, value, loading);
    }
    return AfterAttribute(name, value, loading, S_FALSE);
}

BOOL SEdit::ProcessSwndMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (msg) {
        case EM_SETEVENTMASK:
            result = eventMask_;
            eventMask_ = lParam;
            return TRUE;
        case EM_GETEVENTMASK:
            result = eventMask_;
            return TRUE;
        case WM_SETFOCUS:
            if (Native* native = EnsureNative(); native && !native->edit->hasFocus())
                native->edit->setFocus(Qt::OtherFocusReason);
            return TRUE;
        case WM_KILLFOCUS:
            if (native_ && native_->edit && native_->edit->hasFocus()) native_->edit->clearFocus();
            return TRUE;
        case WM_LBUTTONDOWN:
            SetFocus();
            return TRUE;
        default:
            return SWindow::ProcessSwndMessage(msg, wParam, lParam, result);
    }
}

void SEdit::OnPaint(IRenderTarget* rt) {
    const Native* native = EnsureNative();
    DrawBackground(rt, GetWindowRect());
    // On the screen the native edit shows its text over this; drawn here as
    // well, both would show, one beside the other. Pictures of the window
    // show the text the native edit holds.
    if (native != nullptr && !detail::DrawingPicture()) return;
    const std::wstring& text = text_.empty() ? cueText_ : text_;
    if (!text.empty()) {
        rt->DrawText(text, GetClientRect(), DT_LEFT | DT_VCENTER | DT_SINGLELINE, GetFont(),
                     text_.empty() ? kCueColor : GetTextColor());
    }
}

}  // namespace SOUI
