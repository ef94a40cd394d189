#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QRegion>
#include <QScreen>
#include <QTimer>
#include <QToolTip>

#include "AttrParse.h"
#include "HoverTracking.h"
#include "NativeImpl.h"
#include "PictureDrawing.h"
#include "QtApp.h"
#include "soui/SApplication.h"
#include "soui/SHostWnd.h"

namespace SOUI {

namespace {

constexpr int kToolTipDelayMs = 500;

SApplication* App() {
    return SApplication::getSingletonPtr();
}

CRect CenteredRect(HWND parent, CSize size) {
    QRect area;
    if (SNativeWnd* owner = SNativeWnd::FromHandle(parent)) {
        CRect rc;
        owner->GetWindowRect(&rc);
        area = QRect(rc.left, rc.top, rc.Width(), rc.Height());
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    const int left = area.x() + (area.width() - size.cx) / 2;
    const int top = area.y() + (area.height() - size.cy) / 2;
    return CRect(CPoint(left, top), size);
}

// The pixels a picture paints fully opaque.
QRegion OpaqueRegion(const SImageData& image) {
    QRegion region;
    for (int y = 0; y < image.height; ++y) {
        const std::uint32_t* row = image.pixels.data() + static_cast<std::size_t>(y) * image.width;
        for (int x = 0; x < image.width;) {
            if ((row[x] >> 24) != 0xFF) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < image.width && (row[x] >> 24) == 0xFF) ++x;
            region += QRect(start, y, x - start, 1);
        }
    }
    return region;
}

// A translucent window that the display shows opaque is cut to its opaque
// pixels.
void UpdateShape(SHostWnd& host, bool shaped) {
    QWidget* widget = NativeAccess::Widget(&host);
    if (!shaped || !widget) return;
    const SImageData picture = host.RenderToImage();
    const QRegion opaque = OpaqueRegion(picture);
    if (opaque == QRegion(0, 0, picture.width, picture.height))
        widget->clearMask();
    else
        widget->setMask(opaque);
}

}  // namespace

struct SHostWnd::HostState {
    SAutoRefPtr<IRenderTarget> target;
    QTimer tipTimer;
    // Asked for translucency on a display that cannot blend it: the window
    // is cut to its opaque pixels instead, so no black frame shows.
    bool shaped = false;
    std::wstring tip;
    CPoint tipPoint;
};

SHostWnd::SHostWnd(LPCWSTR layoutId)
    : state_(std::make_unique<HostState>()), layoutId_(layoutId ? layoutId : L"") {
    state_->tipTimer.setSingleShot(true);
    QObject::connect(&state_->tipTimer, &QTimer::timeout, [this] {
        QWidget* widget = NativeAccess::Widget(this);
        if (!widget || state_->tip.empty()) return;
        QToolTip::showText(widget->mapToGlobal(QPoint(state_->tipPoint.x, state_->tipPoint.y)),
                           detail::ToQString(state_->tip), widget);
    });
}

SHostWnd::~SHostWnd() {
    DestroyWindow();
    root_.reset();
}

void SHostWnd::SetLayoutXml(SXmlNode node) {
    layoutDoc_.reset();
    layoutDoc_.append_copy(node);
}

BOOL SHostWnd::ReadHostAttributes(SXmlNode node) {
    using namespace detail;
    for (SXmlAttr attr : node.attributes()) {
        const std::wstring name = Utf8ToWide(attr.name());
        const std::wstring value = Utf8ToWide(attr.value());
        if (name == L"width")
            layoutSize_.cx = ToInt(value);
        else if (name == L"height")
            layoutSize_.cy = ToInt(value);
        else if (name == L"size") {
            const auto v = ParseIntList(value);
            if (v.size() == 2) layoutSize_ = CSize(v[0], v[1]);
        } else if (name == L"translucent")
            translucent_ = ToBool(value) ? TRUE : FALSE;
        else if (name == L"resizable")
            resizable_ = ToBool(value) ? TRUE : FALSE;
        else if (name == L"toolWindow")
            toolWindow_ = ToBool(value) ? TRUE : FALSE;
        else if (name == L"title")
            title_ = App() ? App()->ResolveString(value) : value;
        else if (name == L"bigIcon" || name == L"smallIcon")
            icons_.push_back(value);
    }
    return layoutSize_.cx > 0 && layoutSize_.cy > 0 ? TRUE : FALSE;
}

void SHostWnd::BuildTree(SXmlNode node) {
    hover_ = nullptr;
    capture_ = nullptr;
    root_ = std::make_unique<SWindow>();
    root_->SetContainer(this);
    if (SXmlNode rootNode = node.child("root")) root_->InitFromXml(rootNode);
}

HWND SHostWnd::Create(HWND parent, int x, int y, int cx, int cy) {
    if (m_hWnd) return nullptr;
    if (!layoutId_.empty() && (!App() || !App()->LoadXmlDocment(layoutDoc_, layoutId_))) return nullptr;
    SXmlNode node = layoutDoc_.child("SOUI");
    if (!node) node = layoutDoc_.document_element();
    if (!node) return nullptr;
    ReadHostAttributes(node);
    const CSize size = (cx > 0 && cy > 0) ? CSize(cx, cy) : layoutSize_;
    const CRect rc = (cx > 0 && cy > 0) ? CRect(x, y, x + cx, y + cy) : CenteredRect(parent, size);
    if (!CreateNative(title_.c_str(), parent, rc, translucent_, toolWindow_)) return nullptr;
    detail::NativeWidget* widget = NativeAccess::Widget(this);
    state_->shaped = translucent_ && !widget->testAttribute(Qt::WA_TranslucentBackground);
    widget->paint = [this](QPainter& painter, const QRect& dirty) {
        QWidget* w = NativeAccess::Widget(this);
        IRenderFactory* factory = App() ? App()->GetRenderFactory() : nullptr;
        if (!w || !factory || !root_) return;
        const CSize clientSize(w->width(), w->height());
        if (!state_->target) factory->CreateRenderTarget(&state_->target, clientSize.cx, clientSize.cy);
        if (!state_->target) return;
        if (state_->target->GetSize() != clientSize) state_->target->Resize(clientSize);
        const CRect area(dirty.x(), dirty.y(), dirty.x() + dirty.width(), dirty.y() + dirty.height());
        state_->target->PushClipRect(area);
        state_->target->Clear(kColorTransparent);
        root_->RedrawTree(state_->target, area);
        state_->target->PopClip();
        const QImage view(reinterpret_cast<const uchar*>(state_->target->Bits()), clientSize.cx,
                          clientSize.cy, QImage::Format_ARGB32_Premultiplied);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(dirty, view, dirty);
    };
    if (!resizable_) widget->setFixedSize(rc.Width(), rc.Height());
    ApplyIcons();
    BuildTree(node);
    root_->Move(CRect(0, 0, rc.Width(), rc.Height()));
    UpdateShape(*this, state_->shaped);
    return m_hWnd;
}

void SHostWnd::ApplyIcons() {
    QWidget* widget = NativeAccess::Widget(this);
    QIcon icon;
    for (const auto& resId : icons_) {
        std::wstring type;
        std::wstring name;
        std::vector<BYTE> data;
        QPixmap picture;
        if (App() && ParseResId(resId, &type, &name) &&
            App()->GetRawBuffer(type.c_str(), name.c_str(), &data) &&
            picture.loadFromData(data.data(), static_cast<uint>(data.size()))) {
            icon.addPixmap(picture);
        }
    }
    if (widget && !icon.isNull()) widget->setWindowIcon(icon);
}

BOOL SHostWnd::InitFromXml(SXmlNode node) {
    if (!node) return FALSE;
    const BOOL sized = ReadHostAttributes(node);
    BuildTree(node);
    CRect client;
    if (IsWindow() && sized) {
        client = CRect(0, 0, layoutSize_.cx, layoutSize_.cy);
        if (QWidget* w = NativeAccess::Widget(this)) w->resize(client.Width(), client.Height());
    } else if (!GetClientRect(&client)) {
        client = CRect(CPoint(0, 0), layoutSize_);
    }
    root_->Move(client);
    UpdateShape(*this, state_->shaped);
    OnRedraw(client);
    return TRUE;
}

SWindow* SHostWnd::FindChildByName(LPCWSTR name, int depth) {
    return root_ ? root_->FindChildByName(name, depth) : nullptr;
}

SWindow* SHostWnd::FindChildByID(int id, int depth) {
    return root_ ? root_->FindChildByID(id, depth) : nullptr;
}

BOOL SHostWnd::_HandleEvent(EventArgs*) {
    return FALSE;
}

BOOL SHostWnd::ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD) {
    result = 0;
    switch (msg) {
        case WM_SIZE:
            if (root_) {
                root_->Move(CRect(0, 0, static_cast<int>(LOWORD(static_cast<std::uintptr_t>(lParam))),
                                  static_cast<int>(HIWORD(static_cast<std::uintptr_t>(lParam)))));
                UpdateShape(*this, state_->shaped);
                OnRedraw(root_->GetWindowRect());
            }
            return TRUE;
        case WM_TIMER:
            SetMsgHandled(TRUE);
            OnTimer(wParam);
            return IsMsgHandled();
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_MOUSELEAVE:
            return HandleMouse(msg, wParam, lParam);
        case WM_KEYDOWN:
        case WM_KEYUP:
            return RouteToControls(focus_, msg, wParam, lParam);
        case WM_MOUSEWHEEL:
            return RouteToControls(hover_ ? hover_ : focus_, msg, wParam, lParam);
        default:
            return FALSE;
    }
}

void SHostWnd::OnTimer(UINT_PTR) {
    SetMsgHandled(FALSE);
}

BOOL SHostWnd::HandleMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!root_) return FALSE;
    const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    LRESULT result = 0;
    auto deliver = [&](SWindow* target, UINT m) {
        if (target && !target->IsDisabled(TRUE)) target->ProcessSwndMessage(m, wParam, lParam, result);
    };
    switch (msg) {
        case WM_MOUSEMOVE: {
            SWindow* target = capture_ ? capture_ : root_->SwndFromPoint(pt);
            if (!capture_) UpdateHover(target, wParam, lParam);
            deliver(target, WM_MOUSEMOVE);
            break;
        }
        case WM_LBUTTONDOWN: {
            SWindow* target = root_->SwndFromPoint(pt);
            UpdateHover(target, wParam, lParam);
            state_->tipTimer.stop();
            QToolTip::hideText();
            deliver(target, WM_LBUTTONDOWN);
            break;
        }
        case WM_LBUTTONUP: {
            SWindow* target = capture_ ? capture_ : root_->SwndFromPoint(pt);
            deliver(target, WM_LBUTTONUP);
            // The command may have changed the tree or ended the window.
            if (root_ && IsWindow() && !capture_) UpdateHover(root_->SwndFromPoint(pt), wParam, lParam);
            break;
        }
        case WM_MOUSELEAVE:
            if (!capture_) UpdateHover(nullptr, 0, 0);
            break;
        default:
            return FALSE;
    }
    return TRUE;
}

void SHostWnd::UpdateHover(SWindow* wnd, WPARAM wParam, LPARAM lParam) {
    if (!MoveHover(hover_, wnd, wParam, lParam)) return;
    state_->tip = hover_ ? hover_->GetToolTipText() : std::wstring();
    state_->tipPoint = CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) + 20);
    QToolTip::hideText();
    if (state_->tip.empty())
        state_->tipTimer.stop();
    else
        state_->tipTimer.start(kToolTipDelayMs);
}

SImageData SHostWnd::RenderToImage() {
    CRect client;
    IRenderFactory* factory = App() ? App()->GetRenderFactory() : nullptr;
    if (!root_ || !factory || !GetClientRect(&client)) return {};
    SAutoRefPtr<IRenderTarget> target;
    if (!factory->CreateRenderTarget(&target, client.Width(), client.Height())) return {};
    target->Clear(kColorTransparent);
    const detail::PictureDrawingScope picture;
    root_->RedrawTree(target, client);
    return target->Snapshot();
}

BOOL SHostWnd::OnFireEvent(EventArgs* evt) {
    return _HandleEvent(evt);
}

void SHostWnd::OnRedraw(const CRect& rc) {
    if (QWidget* w = NativeAccess::Widget(this)) w->update(rc.left, rc.top, rc.Width(), rc.Height());
}

void SHostWnd::OnSetSwndCapture(SWindow* wnd) {
    capture_ = wnd;
}

void SHostWnd::OnReleaseSwndCapture(SWindow* wnd) {
    if (capture_ == wnd) capture_ = nullptr;
}

void SHostWnd::OnSwndDestroyed(SWindow* wnd) {
    if (focus_ == wnd) focus_ = nullptr;
    if (hover_ == wnd) hover_ = nullptr;
    if (capture_ == wnd) capture_ = nullptr;
}

void SHostWnd::OnSetSwndFocus(SWindow* wnd) {
    if (wnd == focus_) return;
    SWindow* old = focus_;
    focus_ = wnd;
    LRESULT result = 0;
    if (old) old->ProcessSwndMessage(WM_KILLFOCUS, 0, 0, result);
    if (focus_ == wnd && wnd) wnd->ProcessSwndMessage(WM_SETFOCUS, 0, 0, result);
}

BOOL SHostWnd::RouteToControls(SWindow* target, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    for (SWindow* wnd = target; wnd; wnd = wnd->GetParent()) {
        if (!wnd->IsDisabled(TRUE) && wnd->ProcessSwndMessage(msg, wParam, lParam, result)) return TRUE;
    }
    return FALSE;
}

void SHostWnd::OnFinalMessage(HWND) {
    state_->tipTimer.stop();
    state_->target = nullptr;
}

}  // namespace SOUI
