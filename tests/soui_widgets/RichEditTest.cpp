#include <gtest/gtest.h>

#include <set>

#include "soui/SApplication.h"
#include "soui/SEdit.h"
#include "soui/SHostWnd.h"
#include "soui/SResProvider.h"
#include "soui/STestApi.h"
#include "soui/SWidgetTestApi.h"
#include "soui/SystemApi.h"
#include "tests/soui/Pixels.h"
#include "tests/soui/TestFramework.h"
#include "tests/support/ShotFolder.h"

namespace souitest {
namespace {

using namespace SOUI;

// A program's own scroll-bar skin: no arrows, the thumb from the upper half
// of the first frame, the track from the lower half; it records the parts
// the bar asks for.
class TestVScroll : public SSkinScrollbar {
    SOUI_CLASS_NAME(SSkinScrollbar, L"testvscroll")

public:
    BOOL HasArrowParts() const override { return FALSE; }
    CRect GetPartRectVertical(int part, int, BOOL vertical) const override {
        asked.insert(part);
        if (!vertical || part == SB_LINEUP || part == SB_LINEDOWN || !GetImage()) return {};
        CRect rc(0, 0, GetPartWidth(), GetImage()->Height() / 2);
        if (part == SB_PAGEUP || part == SB_PAGEDOWN) rc.OffsetRect(0, rc.Height());
        return rc;
    }
    static std::set<int> asked;
};
std::set<int> TestVScroll::asked;

class RichEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        framework.App().RegisterSkinClass<TestVScroll>();
        SAutoRefPtr<IResProvider> provider;
        CreateResProvider(RES_PE, reinterpret_cast<IObjRef**>(&provider));
        ASSERT_TRUE(provider->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0));
        ASSERT_TRUE(framework.App().AddResProvider(provider, L"uidef:rich_skins"));
        ASSERT_TRUE(host.Create(nullptr));
        host.ShowWindow(SW_SHOWNORMAL);
        edit = host.FindChildByName2<SRichEdit>(L"agreement_edit");
        ASSERT_NE(edit, nullptr);
    }
    TestFramework framework;
    SHostWnd host{L"LAYOUT:TEST_RICH"};
    SRichEdit* edit = nullptr;
};

TEST_F(RichEditTest, ShowsTheGbkDocumentWrappedWithTheProgramsScrollBar) {
    EXPECT_EQ(
        edit->GetDocumentText(),
        L"Zorvik服务工具使用许可协议\n\n一、本协议是您与本公司之间关于使用本工具的协议。\n"
        L"Second paragraph in Latin text, long enough to wrap across several lines of the narrow rich edit "
        L"window.\n");
    const auto& lines = edit->GetLines();
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], L"Zorvik服务工具使用许可协议");
    EXPECT_EQ(lines[1], L"");
    EXPECT_TRUE(edit->HasScrollBar(TRUE));
    EXPECT_FALSE(edit->HasScrollBar(FALSE));
    // Latin text breaks between words.
    for (const auto& line : lines) {
        EXPECT_TRUE(line.empty() || line.back() != L' ');
    }

    TestVScroll::asked.clear();
    const SImageData before = host.RenderToImage();
    EXPECT_TRUE(TestVScroll::asked.count(SB_THUMBTRACK));
    EXPECT_TRUE(TestVScroll::asked.count(SB_PAGEDOWN));
    EXPECT_TRUE(test::SaveWindowAsPng(host, pelltest::ShotPath(L"soui_rich_edit.png")));
    EXPECT_GT(CountPixels(before, CRect(0, 0, 200, 20), IsDark), 0) << "no text on the first line";
    const CRect bar(edit->GetViewRect().right, 0, 300, 100);
    EXPECT_GT(CountPixels(before, bar, [](std::uint32_t p) { return (p & 0xFFFFFF) != 0xFFFFFF; }), 0)
        << "no scroll bar drawn";

    // The wheel scrolls the document; the first line leaves the view.
    test::WheelOver(host, *edit, -120);
    EXPECT_GT(edit->GetScrollPos(TRUE), 0);
    const SImageData after = host.RenderToImage();
    int changed = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 200; ++x) changed += PixelAt(before, {x, y}) != PixelAt(after, {x, y}) ? 1 : 0;
    }
    EXPECT_GT(changed, 0);
}

TEST_F(RichEditTest, PlainTextAndBadDocuments) {
    EXPECT_FALSE(edit->SetRtf("not a document"));
    EXPECT_EQ(edit->GetLines()[0], L"Zorvik服务工具使用许可协议");
    EXPECT_EQ(edit->SetAttribute(L"rtf", L"rtf:missing", FALSE), E_FAIL);
    edit->SetWindowTextW(L"one\ttwo");
    EXPECT_EQ(edit->GetLines(), (std::vector<std::wstring>{L"one    two"}));
    EXPECT_FALSE(edit->HasScrollBar(TRUE));
}

}  // namespace
}  // namespace souitest
