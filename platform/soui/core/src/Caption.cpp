#include "soui/SControls.h"
#include "soui/SNativeWnd.h"

namespace SOUI {

namespace {

SNativeWnd* HostOf(const SWindow& wnd) {
    ISwndContainer* container = wnd.GetContainer();
    return container ? SNativeWnd::FromHandle(container->GetHostHwnd()) : nullptr;
}

}  // namespace

void SCaption::OnLButtonDown(UINT flags, CPoint pt) {
    SWindow::OnLButtonDown(flags, pt);
    dragging_ = TRUE;
    grabOffset_ = pt;
}

void SCaption::OnLButtonUp(UINT flags, CPoint pt) {
    dragging_ = FALSE;
    SWindow::OnLButtonUp(flags, pt);
}

void SCaption::OnMouseMove(UINT, CPoint pt) {
    SNativeWnd* host = HostOf(*this);
    if (!dragging_ || !host) return;
    // The grabbed point stays under the mouse: the window moves by the offset.
    CRect rc;
    host->GetWindowRect(&rc);
    host->SetWindowPos(nullptr, rc.left + pt.x - grabOffset_.x, rc.top + pt.y - grabOffset_.y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace SOUI
