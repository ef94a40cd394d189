#include <gtest/gtest.h>

#include "Pixels.h"
#include "TestFramework.h"
#include "soui/SHostWnd.h"
#include "soui/SSkin.h"

namespace souitest {
namespace {

using namespace SOUI;

class MyCounter : public SWindow {
    SOUI_CLASS_NAME(SWindow, L"mycounter")

public:
    HRESULT SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) override {
        if (name == L"step") {
            step = std::stoi(value);
            return AfterAttribute(name, value, loading, S_FALSE);
        }
        return SWindow::SetAttribute(name, value, loading);
    }
    int step = 0;
};

// Track and arrows from other frames than the base skin uses.
class MyScrollSkin : public SSkinScrollbar {
    SOUI_CLASS_NAME(SSkinScrollbar, L"myscroll")

public:
    CRect GetPartRectVertical(int part, int, BOOL vertical) const override {
        if (!vertical) return {};
        const int width = GetImage()->Width() / GetStates();
        return CRect(CPoint(part == SB_PAGEUP ? 2 * width : 0, 0), CSize(width, GetImage()->Height()));
    }
};

class XmlHost : public SHostWnd {
public:
    explicit XmlHost(const char* xml) {
        doc_.load_string(xml);
        SetLayoutXml(doc_.child("SOUI"));
    }

private:
    SXmlDoc doc_;
};

class FactoryTest : public ::testing::Test {
protected:
    TestFramework framework;
};

TEST_F(FactoryTest, ProgramClassesAreBuiltFromTheirTags) {
    framework.App().RegisterWindowClass<MyCounter>();
    const SObjectInfo* info = framework.App().FindInfo(L"mycounter", Window);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->baseClassName, L"window");

    XmlHost host(R"(<SOUI width="100" height="60"><root>
      <mycounter name="counter" step="3" pos="0,0,@10,@10"/>
      <nosuchtag name="unknown"/>
      <text name="after" pos="0,20" text="x"/></root></SOUI>)");
    ASSERT_NE(host.Create(nullptr), nullptr);
    auto* counter = host.FindChildByName2<MyCounter>(L"counter");
    ASSERT_NE(counter, nullptr);
    EXPECT_EQ(counter->step, 3);
    EXPECT_TRUE(counter->IsClass(L"mycounter"));
    EXPECT_TRUE(counter->IsClass(L"window"));
    EXPECT_FALSE(counter->IsClass(L"button"));
    EXPECT_STREQ(counter->GetObjectClass(), L"mycounter");
    EXPECT_EQ(counter->GetObjectType(), Window);
    EXPECT_EQ(host.FindChildByName(L"unknown"), nullptr) << "an unknown tag builds nothing";
    EXPECT_NE(host.FindChildByName(L"after"), nullptr) << "and the rest of the layout still loads";
    EXPECT_EQ(framework.App().CreateObject(L"nosuchtag", Window), nullptr);
}

TEST_F(FactoryTest, ScrollBarSkinAsksItsPartRectangles) {
    framework.App().RegisterSkinClass<MyScrollSkin>();
    SObject* obj = framework.App().CreateObject(L"myscroll", Skin);
    std::unique_ptr<MyScrollSkin> skin(dynamic_cast<MyScrollSkin*>(obj));
    ASSERT_NE(skin, nullptr);
    SXmlDoc doc;
    doc.load_string(R"(<myscroll name="s" src="IMG.TEST:IMGBTN" states="4"/>)");
    skin->InitFromXml(doc.first_child());
    ASSERT_NE(skin->GetImage(), nullptr);
    EXPECT_EQ(skin->GetPartWidth(), 60);

    SAutoRefPtr<IRenderTarget> rt;
    ASSERT_TRUE(framework.App().GetRenderFactory()->CreateRenderTarget(&rt, 40, 40));
    rt->Clear(kColorTransparent);
    skin->DrawScrollBarPart(rt, CRect(0, 0, 20, 40), SB_PAGEUP, 0, TRUE);
    skin->DrawScrollBarPart(rt, CRect(20, 0, 40, 40), SB_PAGEUP, 0, FALSE);
    const SImageData image = rt->Snapshot();
    // Frame 2 of the button image is its dark pressed face.
    EXPECT_EQ(PixelAt(image, {10, 20}) & 0xFFFFFF, 0x0b2f6au);
    EXPECT_EQ(PixelAt(image, {30, 20}) >> 24, 0u) << "a horizontal part this skin does not draw";
}

}  // namespace
}  // namespace souitest
