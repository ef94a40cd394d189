#include <gtest/gtest.h>

#include "soui/SWindow.h"

namespace souitest {
namespace {

using namespace SOUI;

struct PosCase {
    const wchar_t* pos;
    const wchar_t* size;
    const wchar_t* offset;
    CRect expected;
};

TEST(LayoutTest, PositionsResolveInsideTheParent) {
    const PosCase cases[] = {
        {L"10,20,-10,-20", nullptr, nullptr, {10, 20, 190, 80}},
        {L"10,20,@50,@30", nullptr, nullptr, {10, 20, 60, 50}},
        {L"50%,0,100%,50%", nullptr, nullptr, {100, 0, 200, 50}},
        {L"|-20,|-10,|20,|10", nullptr, nullptr, {80, 40, 120, 60}},
        {L"10,10", L"30,20", nullptr, {10, 10, 40, 30}},
        {L"|0,|0", L"40,20", L"-0.5,-0.5", {80, 40, 120, 60}},
        {L"-0,0,-0,0", nullptr, nullptr, {200, 0, 200, 0}},
        {L"150,0,100,10", nullptr, nullptr, {150, 0, 150, 10}},  // a right edge left of the left stays empty
        {L"10,x", nullptr, nullptr, {0, 0, 200, 100}},           // malformed: as if no position were given
    };
    for (const auto& c : cases) {
        SWindow parent;
        auto* child = new SWindow();
        parent.InsertChild(child);
        child->SetAttribute(L"pos", c.pos, TRUE);
        if (c.size) child->SetAttribute(L"size", c.size, TRUE);
        if (c.offset) child->SetAttribute(L"offset", c.offset, TRUE);
        parent.Move(CRect(0, 0, 200, 100));
        EXPECT_EQ(child->GetWindowRect(), c.expected)
            << "pos=" << testing::PrintToString(std::wstring(c.pos));
    }
}

TEST(LayoutTest, PaddingInsetsChildrenAndMovesFollowTheParent) {
    SWindow parent;
    auto* child = new SWindow();
    parent.InsertChild(child);
    parent.SetAttribute(L"padding", L"5,6,7,8", TRUE);
    child->SetAttribute(L"pos", L"0,0,-0,-0", TRUE);
    parent.Move(CRect(100, 100, 200, 200));
    EXPECT_EQ(child->GetWindowRect(), CRect(105, 106, 193, 192));
    child->SetAttribute(L"pos", L"0,0,@10,@10", FALSE);
    EXPECT_EQ(child->GetWindowRect(), CRect(105, 106, 115, 116));
}

}  // namespace
}  // namespace souitest
