// The tests' temporary folder: its own name, and nothing left behind.
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

namespace {

namespace fs = std::filesystem;

TEST(TempFolder, EachIsNewAndOnlyItsOwnersToEnter) {
    fs::path first;
    {
        pelltest::TempFolder one("pell_temp_");
        pelltest::TempFolder two("pell_temp_");
        first = one.Path();
        EXPECT_NE(one.Path(), two.Path());
        EXPECT_EQ(one.Path().parent_path(), fs::temp_directory_path());
        EXPECT_EQ(one.Path().filename().string().rfind("pell_temp_", 0), 0u);
        EXPECT_EQ(one / "a", one.Path() / "a");
        struct stat st {};
        ASSERT_EQ(::stat(one.Path().c_str(), &st), 0);
        EXPECT_TRUE(S_ISDIR(st.st_mode));
        EXPECT_EQ(st.st_mode & 0777, 0700u);
    }
    EXPECT_FALSE(fs::exists(first));
}

// An extracted image keeps its read-only folders; the folder goes all the
// same, as does one that the test emptied or removed itself.
TEST(TempFolder, GoesWithReadOnlyFoldersAndWithoutThrowingWhenAlreadyGone) {
    fs::path kept;
    {
        pelltest::TempFolder folder("pell_temp_");
        kept = folder.Path();
        const fs::path tree = folder / "extracted" / "驱动";
        fs::create_directories(tree / "sub");
        std::ofstream(tree / "readme.txt") << "x";
        std::ofstream(tree / "sub" / "a.inf") << "y";
        const auto readOnly = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;
        fs::permissions(tree / "sub", fs::perms::none);
        for (const fs::path& dir : {tree, tree.parent_path()}) fs::permissions(dir, readOnly);
    }
    EXPECT_FALSE(fs::exists(kept));

    EXPECT_NO_THROW({
        pelltest::TempFolder folder("pell_temp_");
        fs::remove_all(folder.Path());
    });
}

}  // namespace
