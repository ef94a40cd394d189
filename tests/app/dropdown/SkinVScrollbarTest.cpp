#include <gtest/gtest.h>

#include <cstdint>

#include "app/dropdown/SkinVScrollbar.h"
#include "soui/SApplication.h"
#include "soui/STestApi.h"
#include "soui/SWidgetTestApi.h"
#include "tests/app/DropdownFixture.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/ShotFolder.h"

using namespace SOUI;

namespace apptest {
namespace {

TEST(SkinVScrollbar, TheRichSkinCutsThumbAndTrackFromTheHalvesOfItsImage) {
    Framework();
    auto* skin = dynamic_cast<SSkinVScrollbar*>(SApplication::getSingleton().GetSkin(L"vscroll_rich"));
    ASSERT_NE(skin, nullptr);
    ASSERT_NE(skin->GetImage(), nullptr);
    ASSERT_EQ(skin->GetImage()->Width(), 20);
    ASSERT_EQ(skin->GetImage()->Height(), 32);
    EXPECT_EQ(skin->GetStates(), 3);
    EXPECT_FALSE(skin->HasArrowParts());
    EXPECT_EQ(skin->GetPartWidth(), 6) << "20 over 3 states, rounded down";

    const CRect thumb(0, 0, 6, 16);
    const CRect track(0, 16, 6, 32);
    const struct {
        int part;
        int state;
        BOOL vertical;
        CRect rect;
    } cases[] = {
        {SB_THUMBTRACK, 0, TRUE, thumb},
        {SB_PAGEUP, 0, TRUE, track},
        {SB_PAGEDOWN, 0, TRUE, track},
        {SB_LINEUP, 0, TRUE, CRect()},
        {SB_LINEDOWN, 0, TRUE, CRect()},
        {SB_CORNER, 0, TRUE, CRect()},
        {SB_THUMBGRIPPER, 0, TRUE, CRect()},
        {4, 0, TRUE, thumb},
        {8, 0, TRUE, thumb},
        {SB_THUMBTRACK, 0, FALSE, CRect()},
        {SB_PAGEUP, 0, FALSE, CRect()},
        // Hover and pressed draw their own frames; the disabled state the first.
        {SB_THUMBTRACK, 1, TRUE, CRect(6, 0, 12, 16)},
        {SB_PAGEDOWN, 2, TRUE, CRect(12, 16, 18, 32)},
        {SB_THUMBTRACK, 3, TRUE, thumb},
        {SB_THUMBTRACK, -1, TRUE, thumb},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(skin->GetPartRectVertical(c.part, c.state, c.vertical), c.rect)
            << "part " << c.part << " state " << c.state << " vertical " << c.vertical;
    }
}

TEST(SkinVScrollbar, WithoutAnImageItHasNoParts) {
    Framework();
    SSkinVScrollbar bare;
    EXPECT_EQ(bare.GetStates(), 1);
    EXPECT_EQ(bare.GetPartWidth(), 0);
    EXPECT_EQ(bare.GetPartRectVertical(SB_THUMBTRACK, 0, TRUE), CRect());
    EXPECT_EQ(bare.GetPartRectVertical(SB_PAGEUP, 0, TRUE), CRect());
}

// The shades of the "vscroll_rich" picture: a mid blue thumb over a pale blue track.
bool IsThumbShade(std::uint32_t pixel) {
    const int r = (pixel >> 16) & 0xFF, b = pixel & 0xFF;
    return r < 200 && b > r + 60;
}

bool IsTrackShade(std::uint32_t pixel) {
    const int r = (pixel >> 16) & 0xFF, b = pixel & 0xFF;
    return r >= 225 && r < 250 && b > r + 8;
}

int Count(const SImageData& image, const CRect& rc, bool (*match)(std::uint32_t)) {
    int count = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            if (match(image.pixels[static_cast<std::size_t>(y) * image.width + x])) ++count;
        }
    }
    return count;
}

using SlimScrollBar = SearchBoxTest;

TEST_F(SlimScrollBar, ALongSuggestionListScrollsWithTheSlimBar) {
    SDropdownList_1* popup = OpenQueryPopup(L"Halden", 9);
    ASSERT_NE(popup, nullptr);
    SListView* list = popup->GetListView();
    ASSERT_TRUE(list->HasScrollBar(TRUE));
    EXPECT_EQ(list->GetScrollPos(TRUE), 0) << "opens with the first entry in view";
    EXPECT_FALSE(list->HasScrollBar(FALSE));

    const CRect view = list->GetViewRect();
    const CRect whole = list->GetWindowRect();
    EXPECT_EQ(whole.right - view.right, 6) << "the bar is one frame of the skin wide";

    const SImageData image = popup->RenderToImage();
    ASSERT_EQ(image.height, 120);
    EXPECT_TRUE(test::SaveWindowAsPng(*popup, pelltest::ShotPath(L"dropdown_slim_scrollbar.png")));
    // 9 entries in 118 pixels: the thumb is about an eighth of the bar, at its top.
    const CRect bar(view.right, whole.top, whole.right, whole.bottom);
    const CRect barTop(bar.left + 1, bar.top + 5, bar.right - 1, bar.top + 35);
    const CRect barBottom(bar.left + 1, bar.bottom - 50, bar.right - 1, bar.bottom - 5);
    EXPECT_EQ(Count(image, barTop, IsThumbShade), barTop.Width() * barTop.Height());
    EXPECT_EQ(Count(image, barBottom, IsTrackShade), barBottom.Width() * barBottom.Height());
    // The entries beside the bar are not drawn in its shades.
    const CRect entries(view.left, view.top + 35, view.right, view.bottom);
    EXPECT_EQ(Count(image, entries, IsThumbShade), 0);

    // Scrolled to the end, the thumb sits at the bottom of the bar.
    list->SetScrollPos(TRUE, 1000, TRUE);
    const SImageData scrolled = popup->RenderToImage();
    EXPECT_TRUE(test::SaveWindowAsPng(*popup, pelltest::ShotPath(L"dropdown_slim_scrollbar_end.png")));
    EXPECT_EQ(Count(scrolled, barTop, IsTrackShade), barTop.Width() * barTop.Height());
    const CRect barEnd(bar.left + 1, bar.bottom - 30, bar.right - 1, bar.bottom - 5);
    EXPECT_EQ(Count(scrolled, barEnd, IsThumbShade), barEnd.Width() * barEnd.Height());
}

}  // namespace
}  // namespace apptest
