#pragma once
#include "soui/SWindow.h"

namespace SOUI {

// Moves the hover mark to `wnd`: the old control hears WM_MOUSELEAVE, the new
// one (when enabled) WM_MOUSEHOVER. False when the mark was already there.
inline bool MoveHover(SWindow*& hover, SWindow* wnd, WPARAM wParam, LPARAM lParam) {
    if (wnd == hover) return false;
    LRESULT result = 0;
    SWindow* old = hover;
    hover = wnd;
    if (old) old->ProcessSwndMessage(WM_MOUSELEAVE, 0, 0, result);
    if (hover && !hover->IsDisabled(TRUE)) hover->ProcessSwndMessage(WM_MOUSEHOVER, wParam, lParam, result);
    return true;
}

}  // namespace SOUI
