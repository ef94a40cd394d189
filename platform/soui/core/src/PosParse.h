#pragma once
// The "pos" and "offset" attributes of layouts.
#include <string>
#include <vector>

#include "soui/SWindow.h"

namespace SOUI::detail {

// Empty when any coordinate is malformed or the count is not 2 or 4.
std::vector<SPosItem> ParsePos(const std::wstring& text);
// A coordinate within [start, end]; a size item counts from base.
int ResolvePos(const SPosItem& item, int start, int end, int base);
// "fx,fy": fractions of the window's own size to shift it by.
bool ParseOffset(const std::wstring& text, float* x, float* y);

}  // namespace SOUI::detail
