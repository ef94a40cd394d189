#include "soui/SPanel.h"

#include <algorithm>
#include <cstdint>

#include "AttrParse.h"
#include "ScrollBarGeometry.h"
#include "soui/SApplication.h"

namespace SOUI {

namespace {

constexpr int kDefaultBarWidth = 12;
constexpr int kWheelDelta = 120;
constexpr int kWheelLines = 3;
constexpr LPCWSTR kSystemScrollBarSkin = L"_skin.sys.scrollbar";

}  // namespace

SPanel::SPanel() = default;

HRESULT SPanel::SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) {
    HRESULT hr = S_OK;
    if (name == L"sbSkin")
        sbSkinName_ = value;
    else if (name == L"sbWidth")
        sbWidth_ = detail::ToInt(value);
    else if (name == L"sbArrowSize")
        sbArrowSize_ = detail::ToInt(value);
    else if (name == L"sbEnable")
        sbEnable_ = static_cast<DWORD>(detail::ToInt(value)) & SSB_BOTH;
    else
        return SWindow::SetAttribute(name, value, loading);
    UpdateBars();
    return AfterAttribute(name, value, loading, hr);
}

SSkinScrollbar* SPanel::BarSkin() const {
    SApplication* app = SApplication::getSingletonPtr();
    if (app == nullptr) return nullptr;
    return dynamic_cast<SSkinScrollbar*>(
        app->GetSkin(sbSkinName_.empty() ? kSystemScrollBarSkin : sbSkinName_));
}

int SPanel::BarWidth() const {
    if (sbWidth_ >= 0) return sbWidth_;
    const SSkinScrollbar* skin = BarSkin();
    const int width = skin ? skin->GetPartWidth() : 0;
    return width > 0 ? width : kDefaultBarWidth;
}

int SPanel::ArrowSize() const {
    const SSkinScrollbar* skin = BarSkin();
    if (skin == nullptr || !skin->HasArrowParts()) return 0;
    return sbArrowSize_ >= 0 ? sbArrowSize_ : BarWidth();
}

BOOL SPanel::HasScrollBar(BOOL vertical) const {
    return (vertical ? vbar_ : hbar_).shown ? TRUE : FALSE;
}

CRect SPanel::GetViewRect() const {
    CRect rc = GetClientRect();
    if (vbar_.shown) rc.right = std::max(rc.left, rc.right - BarWidth());
    if (hbar_.shown) rc.bottom = std::max(rc.top, rc.bottom - BarWidth());
    return rc;
}

CRect SPanel::BarRect(BOOL vertical) const {
    const CRect client = GetClientRect();
    const CRect view = GetViewRect();
    if (vertical) return CRect(view.right, client.top, client.right, view.bottom);
    return CRect(client.left, view.bottom, view.right, client.bottom);
}

int SPanel::PageSize(BOOL vertical) const {
    const CRect view = GetViewRect();
    return vertical ? view.Height() : view.Width();
}

int SPanel::MaxPos(BOOL vertical) const {
    return std::max(0, (vertical ? viewSize_.cy : viewSize_.cx) - PageSize(vertical));
}

void SPanel::SetViewSize(CSize size) {
    viewSize_ = size;
    UpdateBars();
}

void SPanel::UpdateBars() {
    const CRect client = GetClientRect();
    const int width = BarWidth();
    bool vshown = false;
    bool hshown = false;
    // Showing one bar narrows the view and may call for the other.
    for (int pass = 0; pass < 2; ++pass) {
        vshown = (sbEnable_ & SSB_VERT) && viewSize_.cy > client.Height() - (hshown ? width : 0);
        hshown = (sbEnable_ & SSB_HORZ) && viewSize_.cx > client.Width() - (vshown ? width : 0);
    }
    vbar_.shown = vshown;
    hbar_.shown = hshown;
    const CPoint old(hbar_.pos, vbar_.pos);
    vbar_.pos = std::clamp(vbar_.pos, 0, MaxPos(TRUE));
    hbar_.pos = std::clamp(hbar_.pos, 0, MaxPos(FALSE));
    if (old != CPoint(hbar_.pos, vbar_.pos)) OnViewOriginChanged(old, CPoint(hbar_.pos, vbar_.pos));
}

BOOL SPanel::SetScrollPos(BOOL vertical, int pos, BOOL redraw) {
    Bar& bar = vertical ? vbar_ : hbar_;
    const int clamped = std::clamp(pos, 0, MaxPos(vertical));
    if (clamped != bar.pos) {
        const CPoint old(hbar_.pos, vbar_.pos);
        bar.pos = clamped;
        OnViewOriginChanged(old, CPoint(hbar_.pos, vbar_.pos));
    }
    if (redraw) Invalidate();
    return TRUE;
}

int SPanel::GetScrollPos(BOOL vertical) const {
    return (vertical ? vbar_ : hbar_).pos;
}

void SPanel::OnViewOriginChanged(CPoint, CPoint) {}

int SPanel::GetScrollLineSize(BOOL) const {
    return 20;
}

void SPanel::OnSize(CSize) {
    UpdateBars();
}

void SPanel::OnPaint(IRenderTarget* rt) {
    SWindow::OnPaint(rt);
    DrawScrollBars(rt);
}

void SPanel::DrawScrollBars(IRenderTarget* rt) {
    const SSkinScrollbar* skin = BarSkin();
    for (const BOOL vertical : {TRUE, FALSE}) {
        const Bar& bar = vertical ? vbar_ : hbar_;
        if (!bar.shown) continue;
        const CRect rc = BarRect(vertical);
        const int content = vertical ? viewSize_.cy : viewSize_.cx;
        const auto layout =
            detail::LayOutScrollBar(rc, vertical, ArrowSize(), content, PageSize(vertical), bar.pos);
        auto stateOf = [&](int part) {
            if (IsDisabled(TRUE)) return 3;
            if (pressedPart_ == part && pressedVertical_ == vertical) return 2;
            if (hotPart_ == part && hotVertical_ == vertical) return 1;
            return 0;
        };
        if (skin == nullptr) {
            rt->FillRect(rc, RGBA(0xF0, 0xF0, 0xF0));
            rt->FillRect(layout.thumb,
                         stateOf(SB_THUMBTRACK) ? RGBA(0x90, 0x90, 0x90) : RGBA(0xC0, 0xC0, 0xC0));
            continue;
        }
        skin->DrawScrollBarPart(rt, layout.pageUp, SB_PAGEUP, stateOf(SB_PAGEUP), vertical);
        skin->DrawScrollBarPart(rt, layout.pageDown, SB_PAGEDOWN, stateOf(SB_PAGEDOWN), vertical);
        skin->DrawScrollBarPart(rt, layout.thumb, SB_THUMBTRACK, stateOf(SB_THUMBTRACK), vertical);
        skin->DrawScrollBarPart(rt, layout.lineUp, SB_LINEUP, stateOf(SB_LINEUP), vertical);
        skin->DrawScrollBarPart(rt, layout.lineDown, SB_LINEDOWN, stateOf(SB_LINEDOWN), vertical);
    }
}

BOOL SPanel::OnBarMouse(UINT msg, CPoint pt) {
    auto layoutOf = [this](BOOL vertical) {
        const int content = vertical ? viewSize_.cy : viewSize_.cx;
        return detail::LayOutScrollBar(BarRect(vertical), vertical, ArrowSize(), content, PageSize(vertical),
                                       GetScrollPos(vertical));
    };
    if (pressedPart_ == SB_THUMBTRACK && msg == WM_MOUSEMOVE) {
        const auto layout = layoutOf(pressedVertical_);
        const int start = (pressedVertical_ ? pt.y : pt.x) - grabOffset_;
        const int content = pressedVertical_ ? viewSize_.cy : viewSize_.cx;
        SetScrollPos(
            pressedVertical_,
            detail::ScrollPosForThumb(layout, pressedVertical_, start, content, PageSize(pressedVertical_)),
            TRUE);
        return TRUE;
    }
    if (msg == WM_LBUTTONUP && pressedPart_ >= 0) {
        pressedPart_ = -1;
        if (GetContainer()) GetContainer()->OnReleaseSwndCapture(this);
        Invalidate();
        return TRUE;
    }
    for (const BOOL vertical : {TRUE, FALSE}) {
        if (!(vertical ? vbar_ : hbar_).shown || !BarRect(vertical).PtInRect(pt)) continue;
        const auto layout = layoutOf(vertical);
        const int part = detail::ScrollBarPartAt(layout, pt);
        if (msg == WM_MOUSEMOVE) {
            if (part != hotPart_ || vertical != hotVertical_) Invalidate();
            hotPart_ = part;
            hotVertical_ = vertical;
            return TRUE;
        }
        if (msg != WM_LBUTTONDOWN) return TRUE;
        pressedPart_ = part;
        pressedVertical_ = vertical;
        if (GetContainer()) GetContainer()->OnSetSwndCapture(this);
        const int pos = GetScrollPos(vertical);
        switch (part) {
            case SB_LINEUP:
                SetScrollPos(vertical, pos - GetScrollLineSize(vertical), TRUE);
                break;
            case SB_LINEDOWN:
                SetScrollPos(vertical, pos + GetScrollLineSize(vertical), TRUE);
                break;
            case SB_PAGEUP:
                SetScrollPos(vertical, pos - PageSize(vertical), TRUE);
                break;
            case SB_PAGEDOWN:
                SetScrollPos(vertical, pos + PageSize(vertical), TRUE);
                break;
            case SB_THUMBTRACK:
                grabOffset_ = vertical ? pt.y - layout.thumb.top : pt.x - layout.thumb.left;
                Invalidate();
                break;
            default:
                break;
        }
        return TRUE;
    }
    if (hotPart_ >= 0) {
        hotPart_ = -1;
        Invalidate();
    }
    return FALSE;
}

BOOL SPanel::ProcessSwndMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (msg) {
        case WM_MOUSEWHEEL: {
            const int delta = static_cast<std::int16_t>(HIWORD(wParam));
            const BOOL vertical = vbar_.shown ? TRUE : FALSE;
            if (!vbar_.shown && !hbar_.shown) return FALSE;
            const int lines = delta * kWheelLines / kWheelDelta;
            SetScrollPos(vertical, GetScrollPos(vertical) - lines * GetScrollLineSize(vertical), TRUE);
            return TRUE;
        }
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            if (OnBarMouse(msg, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))) return TRUE;
            break;
        case WM_MOUSELEAVE:
            if (hotPart_ >= 0) {
                hotPart_ = -1;
                Invalidate();
            }
            break;
        default:
            break;
    }
    return SWindow::ProcessSwndMessage(msg, wParam, lParam, result);
}

}  // namespace SOUI
