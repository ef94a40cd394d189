#include "DrawRecord.h"
#include "HoverTracking.h"
#include "soui/SListView.h"

namespace SOUI {

SItemPanel::SItemPanel(SListView* list, int viewType)
    : list_(list), viewType_(viewType), drawn_(std::make_unique<detail::DrawRecord>()) {
    SetContainer(this);
    GetEventSet()->addEvent(EVT_ITEMPANEL_CLICK, EventItemPanelClick::GetClassName());
}

SItemPanel::~SItemPanel() {
    // The children report to this container while they go.
    DestroyAllChildren();
    SetContainer(nullptr);
}

void SItemPanel::DoMouse(UINT msg, WPARAM wParam, CPoint pt) {
    const LPARAM lParam = MAKELPARAM(pt.x, pt.y);
    LRESULT result = 0;
    auto deliver = [&](SWindow* target, UINT m) {
        if (target && !target->IsDisabled(TRUE)) target->ProcessSwndMessage(m, wParam, lParam, result);
    };
    switch (msg) {
        case WM_MOUSEMOVE: {
            SWindow* target = capture_ ? capture_ : SwndFromPoint(pt);
            if (!capture_) SetHover(target, wParam, lParam);
            deliver(target, WM_MOUSEMOVE);
            break;
        }
        case WM_LBUTTONDOWN: {
            SWindow* target = SwndFromPoint(pt);
            SetHover(target, wParam, lParam);
            deliver(target, WM_LBUTTONDOWN);
            break;
        }
        case WM_LBUTTONUP: {
            SWindow* target = capture_ ? capture_ : SwndFromPoint(pt);
            deliver(target, WM_LBUTTONUP);
            if (!capture_) SetHover(SwndFromPoint(pt), wParam, lParam);
            break;
        }
        case WM_MOUSELEAVE:
            if (!capture_) SetHover(nullptr, 0, 0);
            break;
        default:
            break;
    }
}

void SItemPanel::SetHover(SWindow* wnd, WPARAM wParam, LPARAM lParam) {
    MoveHover(hover_, wnd, wParam, lParam);
}

BOOL SItemPanel::OnFireEvent(EventArgs* evt) {
    return list_->OnItemEvent(evt);
}

void SItemPanel::OnRedraw(const CRect& rc) {
    if (refilling_) return;
    // Painted from now on as it is, not as recorded.
    drawn_->Forget();
    list_->OnItemRedraw(this, rc);
}

CRect SItemPanel::EndRefill() {
    refilling_ = false;
    return drawn_->Update(*this);
}

void SItemPanel::ForgetDrawing() {
    drawn_->Forget();
}

void SItemPanel::OnSetSwndCapture(SWindow* wnd) {
    capture_ = wnd;
    list_->OnItemCapture(this, TRUE);
}

void SItemPanel::OnReleaseSwndCapture(SWindow* wnd) {
    if (capture_ != wnd) return;
    capture_ = nullptr;
    list_->OnItemCapture(this, FALSE);
}

void SItemPanel::OnSwndDestroyed(SWindow* wnd) {
    if (hover_ == wnd) hover_ = nullptr;
    if (capture_ == wnd) capture_ = nullptr;
}

HWND SItemPanel::GetHostHwnd() {
    ISwndContainer* container = list_->GetContainer();
    return container ? container->GetHostHwnd() : nullptr;
}

CRect SItemPanel::FrameToHost(const CRect& rc) const {
    CRect inList = rc;
    inList.OffsetRect(origin_.x, origin_.y);
    const ISwndContainer* container = list_->GetContainer();
    return container ? container->FrameToHost(inList) : inList;
}

}  // namespace SOUI
