#pragma once
// "vscrollbar": a slim vertical scroll bar without arrows, from an image
// whose upper half is the thumb and lower half the track, one frame per
// state side by side. Horizontal bars draw nothing.
#include "soui/SSkin.h"

class SSkinVScrollbar : public SOUI::SSkinScrollbar {
    SOUI_CLASS_NAME(SOUI::SSkinScrollbar, L"vscrollbar")

public:
    SSkinVScrollbar();

    SOUI::BOOL HasArrowParts() const override { return SOUI::FALSE; }
    // The width of one frame; 0 without an image.
    int GetPartWidth() const override;
    // Empty for a horizontal bar, the arrows, the corner and the gripper, and
    // without an image; the lower half for the track (above and below the
    // thumb); the upper half for the thumb and every other part.
    SOUI::CRect GetPartRectVertical(int part, int state, SOUI::BOOL vertical) const override;
};
