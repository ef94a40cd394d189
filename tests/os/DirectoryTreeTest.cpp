#include "os/DirectoryTree.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

class DirectoryTree : public ::testing::Test {
protected:
    // The temporary folder's name is ASCII, so widening it byte by byte is exact.
    std::wstring Wide(const fs::path& p) const {
        const std::string narrow = p.string();
        return std::wstring(narrow.begin(), narrow.end());
    }

    pelltest::TempFolder folder_{"pell_dirtree_"};
    const fs::path& root_ = folder_.Path();
};

TEST_F(DirectoryTree, CreatesEveryMissingFolder) {
    const std::wstring deep = Wide(root_) + L"/one/two/驱动";
    ASSERT_TRUE(os::CreateDirectoryTree(deep));
    EXPECT_TRUE(fs::is_directory(root_ / "one" / "two" / u8"驱动"));
    // Existing folders, a trailing separator and doubled separators are fine.
    EXPECT_TRUE(os::CreateDirectoryTree(deep));
    EXPECT_TRUE(os::CreateDirectoryTree(Wide(root_) + L"//a//b/"));
    EXPECT_TRUE(fs::is_directory(root_ / "a" / "b"));
}

TEST_F(DirectoryTree, ReportsPathsItCannotMake) {
    std::ofstream(root_ / "file.txt") << "x";
    EXPECT_FALSE(os::CreateDirectoryTree(Wide(root_ / "file.txt")));
    EXPECT_FALSE(os::CreateDirectoryTree(Wide(root_ / "file.txt" / "below")));
    EXPECT_FALSE(os::CreateDirectoryTree(L""));
    // An unpaired surrogate has no UTF-8 form; no folder of another name is made.
    EXPECT_FALSE(os::CreateDirectoryTree(Wide(root_) + L"/a" + static_cast<wchar_t>(0xD800)));
    EXPECT_EQ(std::distance(fs::directory_iterator(root_), fs::directory_iterator()), 1);
}

TEST_F(DirectoryTree, ReportsAFolderWithoutWriteRight) {
    if (::geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
    fs::create_directories(root_ / "locked");
    fs::permissions(root_ / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(os::CreateDirectoryTree(Wide(root_ / "locked" / "x" / "y")));
}

}  // namespace
