#pragma once
// Whether the display blends a window's alpha with what lies under it.

namespace SOUI::detail {

// On X only while a compositing manager owns the screen's "_NET_WM_CM_S<n>"
// selection; without one, translucent pixels show black. Other platforms
// (offscreen included) keep their alpha.
bool DisplayBlendsWindows();

}  // namespace SOUI::detail
