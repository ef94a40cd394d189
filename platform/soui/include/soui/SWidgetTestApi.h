#pragma once
// Test input for lists, edits and drop-downs, delivered to the native
// windows as a user's would be.
#include <string>
#include <vector>

#include "soui/IRender.h"
#include "soui/SRect.h"
#include "soui/Win32Defs.h"

namespace SOUI {
class SHostWnd;
class SListView;
class SWindow;
}  // namespace SOUI

namespace SOUI::test {

// Move, press and release at a point of the host's client area (to the
// native edit there, if any).
void ClickAt(SHostWnd& host, CPoint pt);
// The centre of a control in its host's client area (items included).
CPoint CenterOnHost(SWindow& wnd);
// Clicks the named control inside the item window of a shown item; FALSE
// when the item is not shown or has no such control.
bool ClickInItem(SHostWnd& host, SListView& list, int item, const wchar_t* name);
// A wheel turn over a control (delta 120 per notch, negative: down), to the
// native edit there, if any.
void WheelOver(SHostWnd& host, SWindow& wnd, int delta);
// A key pressed and released where the host's keyboard goes: the native
// edit of its focused edit control, else the host window.
void PressKey(SHostWnd& host, WPARAM virtualKey);
// Paints the whole window now, as the platform would on an expose.
void RedrawNow(SHostWnd& host);
// Typed into the named edit as key presses, one character at a time.
bool TypeText(SHostWnd& host, const wchar_t* editName, const std::wstring& text);
// The text the named edit shows selected (highlighted); empty for none.
std::wstring SelectedText(SHostWnd& host, const wchar_t* editName);
// What the host's own paint puts on the screen, without the native edits
// that show themselves over it.
SImageData HostPaintWithoutNativeEdits(SHostWnd& host);
// What the screen shows when the host paints only the areas, each one a
// rectangle of one paint, over screen (what it showed before); the native
// edits left out.
SImageData RepaintAreasOver(SHostWnd& host, const SImageData& screen, const std::vector<CRect>& areas);

}  // namespace SOUI::test
