#include <gtest/gtest.h>

#include "Pixels.h"
#include "TestFramework.h"
#include "TestHost.h"
#include "soui/STestApi.h"
#include "tests/support/ShotFolder.h"

namespace souitest {
namespace {

using namespace SOUI;

class ScreenshotTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Open()); }
    CRect RectOf(const wchar_t* name) { return host.FindChildByName(name)->GetWindowRect(); }
    int AreaOf(const wchar_t* name) { return RectOf(name).Width() * RectOf(name).Height(); }

    TestFramework framework;
    TestHost host;
};

TEST_F(ScreenshotTest, ImageButtonStatesDiffer) {
    const CRect normal = RectOf(L"btn_normal"), hover = RectOf(L"btn_hover"),
                pressed = RectOf(L"btn_pressed"), disabled = RectOf(L"btn_disabled");
    const int most = AreaOf(L"btn_normal") * 3 / 4;

    ASSERT_TRUE(test::Hover(host, L"btn_hover"));
    const SImageData hovered = host.RenderToImage();
    EXPECT_TRUE(test::SaveWindowAsPng(host, pelltest::ShotPath(L"soui_screenshot_hover.png")));
    EXPECT_GT(DifferingPixels(hovered, normal, hover), most);
    EXPECT_GT(DifferingPixels(hovered, normal, disabled), most);
    EXPECT_GT(DifferingPixels(hovered, hover, disabled), most);
    EXPECT_EQ(DifferingPixels(hovered, normal, pressed), 0) << "not yet pressed";

    ASSERT_TRUE(test::Press(host, L"btn_pressed"));
    const SImageData down = host.RenderToImage();
    EXPECT_TRUE(test::SaveWindowAsPng(host, pelltest::ShotPath(L"soui_screenshot_pressed.png")));
    EXPECT_GT(DifferingPixels(down, pressed, normal), most);
    EXPECT_GT(DifferingPixels(down, pressed, disabled), most);
    EXPECT_EQ(DifferingPixels(down, hover, normal), 0) << "the hover went with the mouse";
    EXPECT_TRUE(test::Release(host, L"btn_pressed"));
    EXPECT_EQ(host.events.size(), 1u);
}

TEST_F(ScreenshotTest, ChineseTextIsDrawnWithRealGlyphs) {
    const SImageData image = host.RenderToImage();
    EXPECT_TRUE(test::SaveWindowAsPng(host, pelltest::ShotPath(L"soui_screenshot.png")));
    const CRect label = RectOf(L"label_cn");
    EXPECT_GT(label.Width(), 8 * 14) << "eight characters of a 16-pixel font";
    EXPECT_GT(CountPixels(image, label, IsDark), 100);
    // Missing glyphs would draw the same box for both characters.
    CRect cha = RectOf(L"label_cha"), xun = RectOf(L"label_xun");
    cha.right = cha.left + std::min(cha.Width(), xun.Width());
    cha.bottom = cha.top + std::min(cha.Height(), xun.Height());
    EXPECT_GT(CountPixels(image, cha, IsDark), 30);
    EXPECT_GT(DifferingPixels(image, cha, CRect(xun.TopLeft(), cha.Size())), 40);
}

}  // namespace
}  // namespace souitest
