// The save-path rule as plain functions, with no window: what each part
// becomes.
#include <gtest/gtest.h>

#include <string>

#include "app/mainwnd/DownloadPath.h"

namespace apptest {
namespace {

struct PartCase {
    std::wstring given;
    std::wstring folder;
    std::wstring file;
};

TEST(SavePathRule, FolderPartsLoseTheSevenCharactersFileNamesOnlyWhatConfinementMends) {
    const PartCase cases[] = {
        {L"M10/2:3", L"M1023", L"M10_2:3"},
        {L"x*y?", L"xy", L"x*y?"},
        {L"a?b<c>d*e:f\"g|h.exe", L"abcdef\"g|h.exe", L"a?b<c>d*e:f\"g|h.exe"},
        {L"a\\b", L"ab", L"a\\b"},
        {L"Win 11 64位", L"Win 11 64位", L"Win 11 64位"},
        {L"", L"", L"_"},
        {L".", L"_", L"_"},
        {L"..", L"_", L"_"},
        {L"...", L"...", L"..."},
        {L"/", L"_", L"_"},
        {L"*?", L"_", L"*?"},
        {L"../../../.bashrc", L".......bashrc", L".._.._.._.bashrc"},
        {L"/etc/passwd", L"etcpasswd", L"_etc_passwd"},
        {std::wstring(L"..\0/x", 5), L".._x", L"..__x"},
        {L"\x01\x1b[31m\x7f.exe", L"\x01\x1b[31m\x7f.exe", L"\x01\x1b[31m\x7f.exe"},
    };
    for (const PartCase& c : cases) {
        EXPECT_EQ(CleanFolderPart(c.given), c.folder) << testing::PrintToString(c.given);
        EXPECT_EQ(CleanFileName(c.given), c.file) << testing::PrintToString(c.given);
    }
}

TEST(SavePathRule, TheSubpathJoinsTheCleanedPartsAndKeepsAnEmptySystem) {
    EXPECT_EQ(DownloadSubpath({L"M10/2:3", L"Win 11 64位", L"x*y?", L"a?b.exe"}),
              L"M1023/Win 11 64位/xy/a?b.exe");
    EXPECT_EQ(DownloadSubpath({L"M1", L"", L"网卡", L"n.exe"}), L"M1//网卡/n.exe");
    EXPECT_EQ(DownloadSubpath({L"..", L"/", L".", L".."}), L"_/_/_/_");
    EXPECT_EQ(FolderOf(L"M1//网卡/n.exe"), L"M1//网卡");
    EXPECT_EQ(FolderOf(L"n.exe"), L"n.exe");
}

}  // namespace
}  // namespace apptest
