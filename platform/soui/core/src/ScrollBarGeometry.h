#pragma once
// Where the parts of a scroll bar lie, from its range and position.
#include "soui/SRect.h"

namespace SOUI::detail {

struct ScrollBarLayout {
    CRect lineUp;  // arrows; empty without them
    CRect lineDown;
    CRect pageUp;  // the track before the thumb
    CRect thumb;
    CRect pageDown;  // the track after the thumb
};

// bar: the bar's rectangle; content and page in pixels; pos from 0 to
// content - page.
ScrollBarLayout LayOutScrollBar(const CRect& bar, bool vertical, int arrowSize, int content, int page,
                                int pos);

// The position that puts the thumb's start at thumbStart (along the bar).
int ScrollPosForThumb(const ScrollBarLayout& layout, bool vertical, int thumbStart, int content, int page);

// The part code at pt (SB_LINEUP ... SB_THUMBTRACK), -1 outside.
int ScrollBarPartAt(const ScrollBarLayout& layout, CPoint pt);

}  // namespace SOUI::detail
