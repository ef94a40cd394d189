// The save-path rule and the claims of a list's paths as plain functions, with
// no window: what each part becomes, how a shared path is numbered, and who
// keeps which file.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/mainwnd/DownloadPath.h"
#include "app/mainwnd/DownloadPathClaims.h"

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

TEST(SavePathRule, ANumberGoesBeforeTheExtensionOfTheFileNameOnly) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"m/o/c/setup.exe", L"m/o/c/setup (2).exe"},
        {L"m/o/c/archive.tar.gz", L"m/o/c/archive.tar (2).gz"},
        {L"m/o/c/_", L"m/o/c/_ (2)"},
        {L"m/o/c/.bashrc", L"m/o/c/.bashrc (2)"},
        {L"m/o.d/c/readme", L"m/o.d/c/readme (2)"},
        {L"m/o/c/a.", L"m/o/c/a (2)."},
        {L"setup.exe", L"setup (2).exe"},
    };
    for (const auto& [path, numbered] : cases) EXPECT_EQ(NumberedPath(path, 2), numbered) << path;
    EXPECT_EQ(NumberedPath(L"m/o/c/setup.exe", 12), L"m/o/c/setup (12).exe");
}

// A list of tasks by id and own path, counting how often it is asked for.
class DownloadPathClaims : public ::testing::Test {
protected:
    std::wstring Claim(int32_t id) { return claims.Claim(id, own.at(id), listedPaths); }

    std::map<int32_t, std::wstring> own{
        {1, L"m/o/c/setup.exe"}, {2, L"m/o/c/setup.exe"}, {3, L"m/o/c/setup (2).exe"},
        {4, L"m/o/c/setup.exe"}, {5, L"m/o/c/other.exe"}, {6, L"m/o/_/_"},
        {7, L"m/o/_/_"},
    };
    int asked = 0;
    CDownloadPathClaims::ListedPaths listedPaths = [this] {
        ++asked;
        return std::vector<std::pair<int32_t, std::wstring>>(own.begin(), own.end());
    };
    CDownloadPathClaims claims;
};

TEST_F(DownloadPathClaims, TheFirstKeepsItsPathLaterOnesAreNumberedPastEveryListedName) {
    EXPECT_EQ(Claim(5), L"m/o/c/other.exe");
    EXPECT_EQ(Claim(2), L"m/o/c/setup.exe");
    // "setup (2).exe" is task 3's own name, so the next number is taken.
    EXPECT_EQ(Claim(1), L"m/o/c/setup (3).exe");
    EXPECT_EQ(Claim(4), L"m/o/c/setup (4).exe");
    EXPECT_EQ(Claim(3), L"m/o/c/setup (2).exe");
    EXPECT_EQ(Claim(7), L"m/o/_/_");
    EXPECT_EQ(Claim(6), L"m/o/_/_ (2)");
    // Each keeps its claim, whoever asks again and in what order.
    for (int32_t id : {1, 2, 3, 4, 6, 7, 1}) EXPECT_EQ(Claim(id), claims.Find(id, own.at(id))) << id;
    EXPECT_EQ(claims.Find(1, own.at(1)), L"m/o/c/setup (3).exe");
    EXPECT_EQ(claims.Find(2, own.at(2)), L"m/o/c/setup.exe");
    EXPECT_EQ(asked, 1);
}

TEST_F(DownloadPathClaims, ATaskNotListedClaimsNothingAndANewListStartsWithNoClaims) {
    EXPECT_EQ(claims.Find(1, own.at(1)), L"m/o/c/setup.exe");
    EXPECT_EQ(claims.Claim(99, L"m/o/c/setup.exe", listedPaths), L"m/o/c/setup.exe");
    EXPECT_EQ(claims.Claim(99, L"m/o/c/setup.exe", listedPaths), L"m/o/c/setup.exe");
    EXPECT_EQ(Claim(1), L"m/o/c/setup.exe");
    EXPECT_EQ(Claim(2), L"m/o/c/setup (3).exe");
    claims.Clear();
    EXPECT_EQ(claims.Find(2, own.at(2)), L"m/o/c/setup.exe");
    EXPECT_EQ(Claim(2), L"m/o/c/setup.exe");
    EXPECT_EQ(Claim(1), L"m/o/c/setup (3).exe");
    EXPECT_EQ(asked, 2);
}

}  // namespace
}  // namespace apptest
