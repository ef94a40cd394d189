// The program's file dialog and folder browser over the window layer's,
// answered by the layer's dialog test hook.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/dialogs/FileDialog.h"
#include "os/UnicodeText.h"
#include "soui/SDialogTestHook.h"
#include "soui/SDropDownWnd.h"
#include "soui/STestApi.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/TempFolder.h"

namespace apptest {
namespace {

namespace fs = std::filesystem;
using SOUI::test::DialogAnswer;

std::wstring Wide(const fs::path& path) {
    return os::Utf8ToWide(path.string()).value();
}

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        Framework();
        fs::create_directories(root / "下载" / "sub");
        for (const char* name : {"a.txt", "Report.TXT", "Tool.LNK"})
            std::ofstream(root / "下载" / name) << name;
        ASSERT_NE(owner.CreateEx(nullptr, SOUI::WS_POPUP, 0, 0, 0, 100, 100), nullptr);
    }

    fs::path Folder() const { return root / "下载"; }

    pelltest::TempFolder folder{"pell_filedialog_"};
    const fs::path& root = folder.Path();
    // A window to be modal over; it goes with the fixture.
    SOUI::SDropDownWnd owner{nullptr};
    SOUI::test::DialogAnswerer answers;
};

TEST_F(FileDialogTest, SaveProposesTheFileAndHoldsTheChoice) {
    const fs::path cwd = fs::current_path();
    const std::wstring proposed = Wide(Folder() / "Driver.iso");
    FileDialog dialog(false, L".iso", proposed, kFileDialogOverwritePrompt, {{L"ISO", L".iso"}});
    EXPECT_EQ(dialog.file, proposed);
    EXPECT_EQ(dialog.fileTitle, L"");

    answers.Queue({true, L"驱动包"});
    EXPECT_NE(dialog.Run(owner.m_hWnd), 0);
    EXPECT_EQ(dialog.file, Wide(Folder() / "驱动包.iso"));
    EXPECT_EQ(dialog.fileTitle, L"驱动包.iso");

    const auto shown = answers.Shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].saveDialog);
    EXPECT_EQ(shown[0].folder, Wide(Folder()));
    EXPECT_EQ(shown[0].nameBox, L"Driver.iso");
    EXPECT_EQ(shown[0].owner, owner.m_hWnd) << "a dialog built without an owner is modal over Run's";
    EXPECT_EQ(fs::current_path(), cwd) << "the process's current folder stays";
}

TEST_F(FileDialogTest, CancelledDialogChangesNothing) {
    const std::wstring proposed = Wide(Folder() / "Driver.iso");
    FileDialog save(false, L".iso", proposed, kFileDialogOverwritePrompt, {{L"ISO", L".iso"}});
    answers.Queue({false, L"other"});
    EXPECT_EQ(save.Run(owner.m_hWnd), 0);
    EXPECT_EQ(save.file, proposed);
    EXPECT_EQ(save.fileTitle, L"");

    std::wstring folder = Wide(Folder());
    answers.Queue({false, {}});
    EXPECT_FALSE(BrowseFolder(owner.m_hWnd, L"请选择驱动存储目录:", folder));
    EXPECT_EQ(folder, Wide(Folder()));
}

TEST_F(FileDialogTest, FolderPickerAcceptsAFolderAndFilesAsUsual) {
    struct Case {
        const wchar_t* typed;
        bool folderPicker;
        int result;
        fs::path chosen;
    };
    const Case cases[] = {
        {L"sub", true, 1, Folder() / "sub"},
        {L"a.txt", true, 1, Folder() / "a.txt"},
        // Without the mode OK on a folder opens it, and the test hook then cancels.
        {L"sub", false, 0, Folder() / "a.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folderPicker ? "folder picker" : "plain open");
        FileDialog dialog(true, L"", Wide(Folder() / "a.txt"), 0, {}, nullptr, c.folderPicker);
        answers.Queue({true, c.typed});
        EXPECT_EQ(dialog.Run(owner.m_hWnd), c.result);
        EXPECT_EQ(dialog.file, Wide(c.chosen));
        EXPECT_EQ(dialog.fileTitle, c.result != 0 ? Wide(c.chosen.filename()) : L"");
    }
    // A record that names its owner keeps it.
    SOUI::SDropDownWnd other(nullptr);
    ASSERT_NE(other.CreateEx(nullptr, SOUI::WS_POPUP, 0, 0, 0, 100, 100), nullptr);
    FileDialog owned(true, L"", L"", 0, {}, other.m_hWnd, true);
    answers.Queue({false, {}});
    EXPECT_EQ(owned.Run(owner.m_hWnd), 0);
    EXPECT_EQ(answers.Shown().back().owner, other.m_hWnd);
}

// What the folder picker's name box shows for a selection.
TEST_F(FileDialogTest, FolderPickerNameBoxShowsTheFullPathWithALowerCaseExtension) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {Wide(Folder() / "Report.TXT"), Wide(Folder() / "Report.txt")},
        {Wide(Folder() / "Tool.LNK"), Wide(Folder() / "Tool")},
        {Wide(Folder() / "sub"), Wide(Folder() / "sub")},
        {L"/A.B", L"/A.b"},
        {L"A.B", L"A.B"},  // shorter than 4 characters: as it is
    };
    for (const auto& [selected, box] : cases) EXPECT_EQ(SOUI::FolderPickerBoxText(selected), box);
}

TEST_F(FileDialogTest, FolderBrowserStartsOnTheGivenFolderAndReturnsTheChoice) {
    std::wstring folder = Wide(Folder() / "sub");
    answers.Queue({});
    EXPECT_TRUE(BrowseFolder(owner.m_hWnd, L"请选择驱动存储目录:", folder));
    EXPECT_EQ(folder, Wide(Folder() / "sub"));

    folder.clear();
    answers.Queue({true, Wide(Folder())});
    EXPECT_TRUE(BrowseFolder(owner.m_hWnd, L"请选择驱动文件目录:", folder));
    EXPECT_EQ(folder, Wide(Folder()));

    const auto shown = answers.Shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_TRUE(shown[0].folderBrowser);
    EXPECT_EQ(shown[0].title, L"请选择驱动存储目录:");
    EXPECT_EQ(shown[0].folder, Wide(Folder()));
    EXPECT_EQ(shown[0].nameBox, L"sub");
    EXPECT_EQ(shown[0].owner, owner.m_hWnd);
    EXPECT_EQ(shown[1].nameBox, L"");
}

}  // namespace
}  // namespace apptest
