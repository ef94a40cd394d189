#include <gtest/gtest.h>

#include "soui/SWindow.h"
#include "tests/soui/TestFramework.h"

namespace souitest {
namespace {

using namespace SOUI;

// A deep match met first in document order, the nearest one in a later
// branch, another as near after it, and a direct child last.
constexpr char kTree[] = R"(<window>
  <window name="a" id="10"><window name="b" id="11"><window name="x" id="3"/></window></window>
  <window name="c" id="12"><window name="x" id="2"/></window>
  <window name="d" id="13"><window name="x" id="4"/></window>
  <window name="y" id="5"/>
</window>)";

TEST(FindChildTest, TheNearestMatchInOrderWinsWithinTheDepth) {
    TestFramework framework;
    SXmlDoc doc;
    ASSERT_TRUE(doc.load_string(kTree));
    SWindow root;
    ASSERT_TRUE(root.InitFromXml(doc.first_child()));
    struct Case {
        const wchar_t* name;
        int depth;
        int found;  // the id of the window found, 0 for none
    };
    const Case cases[] = {
        {L"x", -1, 2}, {L"x", 3, 2},  {L"x", 1, 0}, {L"y", -1, 5},
        {L"y", 0, 5},  {L"b", 2, 11}, {L"b", 1, 0}, {L"none", -1, 0},
    };
    for (const Case& c : cases) {
        const SWindow* found = root.FindChildByName(c.name, c.depth);
        EXPECT_EQ(found != nullptr ? found->GetID() : 0, c.found) << c.name << " depth " << c.depth;
    }
    // By id the same walk: the deep one only beyond the depth of the others.
    EXPECT_EQ(root.FindChildByID(3, 2), nullptr);
    ASSERT_NE(root.FindChildByID(3, 3), nullptr);
    EXPECT_EQ(root.FindChildByID(3, 3)->GetName(), L"x");
    EXPECT_EQ(root.FindChildByID(13, 0), root.FindChildByName(L"d"));
}

}  // namespace
}  // namespace souitest
