#pragma once
// Control timers: Qt timers per control, ticking as UM_SWNDTIMER.
namespace SOUI {
class SWindow;
}

namespace SOUI::detail {

// Stops every timer of the control; it is going away.
void KillAllTimers2(SWindow* wnd);

}  // namespace SOUI::detail
