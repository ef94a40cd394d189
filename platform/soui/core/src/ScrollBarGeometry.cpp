#include "ScrollBarGeometry.h"

#include <algorithm>

#include "soui/SSkin.h"

namespace SOUI::detail {

namespace {

constexpr int kMinThumb = 12;

// A rectangle of the bar from start to end along it.
CRect Span(const CRect& bar, bool vertical, int start, int end) {
    return vertical ? CRect(bar.left, start, bar.right, end) : CRect(start, bar.top, end, bar.bottom);
}

}  // namespace

ScrollBarLayout LayOutScrollBar(const CRect& bar, bool vertical, int arrowSize, int content, int page,
                                int pos) {
    ScrollBarLayout layout;
    const int begin = vertical ? bar.top : bar.left;
    const int end = vertical ? bar.bottom : bar.right;
    const int arrows = std::clamp(arrowSize, 0, (end - begin) / 2);
    if (arrows > 0) {
        layout.lineUp = Span(bar, vertical, begin, begin + arrows);
        layout.lineDown = Span(bar, vertical, end - arrows, end);
    }
    const int trackBegin = begin + arrows;
    const int trackEnd = end - arrows;
    const int track = trackEnd - trackBegin;
    if (track <= 0 || content <= 0) return layout;
    const int range = content - page;
    int thumb = track;
    if (range > 0)
        thumb = std::clamp(static_cast<int>(static_cast<long long>(track) * page / content),
                           std::min(kMinThumb, track), track);
    const int travel = track - thumb;
    const int offset =
        range > 0 ? static_cast<int>(static_cast<long long>(travel) * std::clamp(pos, 0, range) / range) : 0;
    layout.pageUp = Span(bar, vertical, trackBegin, trackBegin + offset);
    layout.thumb = Span(bar, vertical, trackBegin + offset, trackBegin + offset + thumb);
    layout.pageDown = Span(bar, vertical, trackBegin + offset + thumb, trackEnd);
    return layout;
}

int ScrollPosForThumb(const ScrollBarLayout& layout, bool vertical, int thumbStart, int content, int page) {
    const int trackBegin = vertical ? layout.pageUp.top : layout.pageUp.left;
    const int trackEnd = vertical ? layout.pageDown.bottom : layout.pageDown.right;
    const int thumb = vertical ? layout.thumb.Height() : layout.thumb.Width();
    const int travel = trackEnd - trackBegin - thumb;
    const int range = content - page;
    if (travel <= 0 || range <= 0) return 0;
    const int offset = std::clamp(thumbStart - trackBegin, 0, travel);
    return static_cast<int>((static_cast<long long>(offset) * range + travel / 2) / travel);
}

int ScrollBarPartAt(const ScrollBarLayout& layout, CPoint pt) {
    if (layout.lineUp.PtInRect(pt)) return SB_LINEUP;
    if (layout.lineDown.PtInRect(pt)) return SB_LINEDOWN;
    if (layout.thumb.PtInRect(pt)) return SB_THUMBTRACK;
    if (layout.pageUp.PtInRect(pt)) return SB_PAGEUP;
    if (layout.pageDown.PtInRect(pt)) return SB_PAGEDOWN;
    return -1;
}

}  // namespace SOUI::detail
