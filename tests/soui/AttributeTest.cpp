#include <gtest/gtest.h>

#include <chrono>

#include "Pixels.h"
#include "TestFramework.h"
#include "TestHost.h"
#include "soui/SControls.h"
#include "soui/STestApi.h"

namespace souitest {
namespace {

using namespace SOUI;
using namespace std::chrono_literals;

class AttributeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Open()); }
    TestFramework framework;
    TestHost host;
};

TEST_F(AttributeTest, ShowZeroHidesAndOneShowsAgain) {
    SWindow* button = host.FindChildByName(L"btn_query");
    const CRect rc = button->GetWindowRect();
    const SImageData shown = host.RenderToImage();
    EXPECT_EQ(button->SetAttribute(L"show", L"0", FALSE), S_FALSE);
    EXPECT_FALSE(button->IsVisible(TRUE));
    EXPECT_FALSE(test::Click(host, L"btn_query"));
    const SImageData hidden = host.RenderToImage();
    EXPECT_NE(PixelAt(shown, rc.CenterPoint()), PixelAt(hidden, rc.CenterPoint()));

    button->SetAttribute(L"show", L"1", FALSE);
    EXPECT_TRUE(test::Click(host, L"btn_query"));
    EXPECT_EQ(host.events.size(), 1u);
    // A control hidden by its layout shows on request.
    SWindow* hiddenText = host.FindChildByName(L"hidden_text");
    EXPECT_FALSE(hiddenText->IsVisible(TRUE));
    hiddenText->SetAttribute(L"show", L"1", FALSE);
    EXPECT_TRUE(hiddenText->IsVisible(TRUE));
}

TEST_F(AttributeTest, ColorTextRecolours) {
    SWindow* text = host.FindChildByName(L"colour_text");
    const CRect rc = text->GetWindowRect();
    EXPECT_EQ(CountPixels(host.RenderToImage(), rc, IsReddish), 0);
    EXPECT_EQ(text->SetAttribute(L"colorText", L"#ff0000", FALSE), S_OK);
    const SImageData red = host.RenderToImage();
    EXPECT_GT(CountPixels(red, rc, IsReddish), 20);
    EXPECT_EQ(CountPixels(red, rc, IsDark), 0);
    EXPECT_EQ(text->SetAttribute(L"colorText", L"not a colour", FALSE), E_FAIL);
}

TEST_F(AttributeTest, UnknownSkinLeavesThePictureEmpty) {
    auto* picture = host.FindChildByName2<SImageWnd>(L"picture");
    ASSERT_NE(picture, nullptr);
    const CRect rc = picture->GetWindowRect();
    ASSERT_NE(picture->GetSkin(), nullptr);
    const SImageData before = host.RenderToImage();
    picture->SetAttribute(L"skin", L"_skin.no.such", FALSE);
    EXPECT_EQ(picture->GetSkin(), nullptr);
    const SImageData after = host.RenderToImage();
    EXPECT_NE(PixelAt(before, rc.CenterPoint()), PixelAt(after, rc.CenterPoint()));
    EXPECT_EQ(PixelAt(after, rc.CenterPoint()), PixelAt(after, {rc.right + 2, rc.CenterPoint().y}))
        << "the spot shows the background";
}

TEST_F(AttributeTest, SetCurSelSwitchesPages) {
    auto* tabs = host.FindChildByName2<STabCtrl>(L"tabs");
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->GetItemCount(), 3);
    EXPECT_EQ(tabs->GetCurSel(), 0);
    // Controls of hidden pages are found, but cannot be clicked.
    ASSERT_NE(host.FindChildByName(L"btn_page1"), nullptr);
    EXPECT_FALSE(test::Click(host, L"btn_page1"));

    EXPECT_TRUE(tabs->SetCurSel(1));
    EXPECT_TRUE(test::Click(host, L"btn_page1"));
    EXPECT_FALSE(test::Click(host, L"btn_query"));
    ASSERT_EQ(host.events.size(), 1u);
    EXPECT_EQ(host.events[0].name, L"btn_page1");

    EXPECT_TRUE(tabs->SetCurSel(2));
    EXPECT_TRUE(host.FindChildByName(L"included_text")->IsVisible(TRUE))
        << "an included layout fills its page";
    EXPECT_FALSE(tabs->SetCurSel(3));
    EXPECT_FALSE(tabs->SetCurSel(-1));
    EXPECT_EQ(tabs->GetCurSel(), 2);
    EXPECT_TRUE(tabs->SetCurSel(0));
    EXPECT_TRUE(test::Click(host, L"btn_query"));
}

TEST_F(AttributeTest, ProgressValueStaysInRange) {
    auto* progress = host.FindChildByName2<SProgress>(L"progress");
    ASSERT_NE(progress, nullptr);
    int lo = -1, hi = -1;
    progress->GetRange(&lo, &hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 100);
    EXPECT_EQ(progress->GetValue(), 40);
    const CRect rc = progress->GetWindowRect();
    auto green = [](std::uint32_t p) { return ((p >> 8) & 0xFF) > 120 && ((p >> 16) & 0xFF) < 80; };
    const int at40 = CountPixels(host.RenderToImage(), rc, green);
    progress->SetValue(100);
    const int at100 = CountPixels(host.RenderToImage(), rc, green);
    EXPECT_GT(at100, at40 * 2);
    progress->SetValue(250);
    EXPECT_EQ(progress->GetValue(), 100);
    progress->SetValue(-3);
    EXPECT_EQ(progress->GetValue(), 0);
    EXPECT_EQ(CountPixels(host.RenderToImage(), rc, green), 0);
}

TEST_F(AttributeTest, AnimationPlaysBetweenStartAndStop) {
    auto* busy = host.FindChildByName2<SAnimateImgWnd>(L"busy");
    ASSERT_NE(busy, nullptr);
    EXPECT_FALSE(busy->IsPlaying());
    EXPECT_EQ(busy->GetSpeed(), 30);
    test::Pump(100ms);
    EXPECT_EQ(busy->GetCurFrame(), 0);
    busy->Start();
    EXPECT_TRUE(test::PumpUntil([&] { return busy->GetCurFrame() == 3; }));
    busy->Stop();
    const int stopped = busy->GetCurFrame();
    test::Pump(150ms);
    EXPECT_EQ(busy->GetCurFrame(), stopped);
}

TEST_F(AttributeTest, HostTakesTitleAndIconsFromTheLayout) {
    EXPECT_EQ(host.GetWindowTextW(), L"框架测试");
    EXPECT_EQ(test::WindowIconSizes(host), (std::vector<int>{16, 32}));
    CRect rc;
    host.GetClientRect(&rc);
    EXPECT_EQ(rc.Size(), CSize(420, 320));
}

}  // namespace
}  // namespace souitest
