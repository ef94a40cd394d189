#include "app/dropdown/SkinVScrollbar.h"

using namespace SOUI;

SSkinVScrollbar::SSkinVScrollbar() {
    SetStates(1);
}

int SSkinVScrollbar::GetPartWidth() const {
    const IBitmap* image = GetImage();
    return image
               ? static_cast<int>(static_cast<unsigned>(image->Width()) / static_cast<unsigned>(GetStates()))
               : 0;
}

CRect SSkinVScrollbar::GetPartRectVertical(int part, int state, BOOL vertical) const {
    const IBitmap* image = GetImage();
    if (image == nullptr || !vertical) return {};
    if (part == SB_LINEUP || part == SB_LINEDOWN || part == SB_CORNER || part == SB_THUMBGRIPPER) return {};
    const int width = GetPartWidth();
    const int half = static_cast<int>(static_cast<unsigned>(image->Height()) / 2u);
    CRect rc(0, 0, width, half);
    if (part == SB_PAGEUP || part == SB_PAGEDOWN) rc.OffsetRect(0, half);
    // Hover and pressed have frames of their own; any other state draws the first.
    if (state > 0 && state < GetStates()) rc.OffsetRect(state * width, 0);
    return rc;
}
