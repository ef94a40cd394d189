#pragma once
// Looking at what a window drew.
#include <cstdint>
#include <functional>

#include "soui/IRender.h"
#include "soui/SRect.h"

namespace souitest {

inline int CountPixels(const SOUI::SImageData& image, const SOUI::CRect& rc,
                       const std::function<bool(std::uint32_t)>& match) {
    int count = 0;
    for (int y = std::max(rc.top, 0); y < std::min(rc.bottom, image.height); ++y) {
        for (int x = std::max(rc.left, 0); x < std::min(rc.right, image.width); ++x) {
            if (match(image.pixels[static_cast<std::size_t>(y) * image.width + x])) ++count;
        }
    }
    return count;
}

inline std::uint32_t PixelAt(const SOUI::SImageData& image, SOUI::CPoint pt) {
    return image.pixels[static_cast<std::size_t>(pt.y) * image.width + pt.x];
}

// Pixels of the same size of rectangle that differ between a and b.
inline int DifferingPixels(const SOUI::SImageData& image, const SOUI::CRect& a, const SOUI::CRect& b) {
    int count = 0;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (PixelAt(image, {a.left + x, a.top + y}) != PixelAt(image, {b.left + x, b.top + y})) ++count;
        }
    }
    return count;
}

inline bool IsReddish(std::uint32_t p) {
    const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return r > 120 && r > g + 60 && r > b + 60;
}

inline bool IsDark(std::uint32_t p) {
    const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return r < 100 && g < 100 && b < 100;
}

}  // namespace souitest
