#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "soui/SDialogTestHook.h"
#include "soui/SDropDownWnd.h"
#include "soui/SFileDialog.h"
#include "soui/STestApi.h"
#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using SOUI::test::DialogAnswer;
using SOUI::test::DialogAnswerer;

class FileDialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SOUI::test::UseOffscreenPlatform(); }
    void SetUp() override {
        fs::create_directories(root_ / "sub");
        std::ofstream(root_ / "a.txt") << "a";
    }
    std::wstring Path(const std::string& rel = {}) const {
        const std::string p = rel.empty() ? root_.string() : (root_ / rel).string();
        return std::wstring(p.begin(), p.end());
    }

    pelltest::TempFolder folder_{"pell_dialogs_"};
    const fs::path& root_ = folder_.Path();
    DialogAnswerer answerer_;
};

TEST_F(FileDialogs, SaveOpensOnTheProposedFileAndAddsTheExtension) {
    SOUI::FileDialogParams save;
    save.open = false;
    save.proposedFile = Path("Driver.iso");
    save.defaultExtension = L".iso";
    save.filters = {{L"ISO", L".iso"}};
    answerer_.Queue({});
    answerer_.Queue({true, L"pack"});

    const auto kept = SOUI::RunFileDialog(save);
    EXPECT_TRUE(kept.accepted);
    EXPECT_EQ(kept.path, Path("Driver.iso"));
    EXPECT_EQ(kept.fileTitle, L"Driver.iso");
    const auto typed = SOUI::RunFileDialog(save);
    EXPECT_TRUE(typed.accepted);
    EXPECT_EQ(typed.path, Path("pack.iso"));
    EXPECT_EQ(typed.fileTitle, L"pack.iso");

    const auto shown = answerer_.Shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_TRUE(shown[0].saveDialog);
    EXPECT_EQ(shown[0].folder, Path());
    EXPECT_EQ(shown[0].nameBox, L"Driver.iso");
}

TEST_F(FileDialogs, AreModalOverTheirOwner) {
    SOUI::SDropDownWnd window(nullptr);
    ASSERT_NE(window.CreateEx(nullptr, SOUI::WS_POPUP, 0, 0, 0, 100, 100), nullptr);
    SOUI::FolderBrowserParams browse;
    browse.owner = window.m_hWnd;
    answerer_.Queue({false, {}});
    EXPECT_EQ(SOUI::BrowseForFolder(browse), L"");
    ASSERT_EQ(answerer_.Shown().size(), 1u);
    EXPECT_EQ(answerer_.Shown()[0].owner, window.m_hWnd);
}

TEST_F(FileDialogs, FolderPickerAcceptsFoldersAndFiles) {
    SOUI::FileDialogParams open;
    open.proposedFile = Path("a.txt");
    open.folderPicker = true;
    answerer_.Queue({true, L"sub"});
    answerer_.Queue({true, Path("sub")});
    answerer_.Queue({true, L"a.txt"});
    answerer_.Queue({false, L"a.txt"});

    EXPECT_EQ(SOUI::RunFileDialog(open).path, Path("sub"));
    const auto absolute = SOUI::RunFileDialog(open);
    EXPECT_EQ(absolute.path, Path("sub"));
    EXPECT_EQ(absolute.fileTitle, L"sub");
    EXPECT_EQ(SOUI::RunFileDialog(open).path, Path("a.txt"));
    EXPECT_FALSE(SOUI::RunFileDialog(open).accepted);
}

TEST_F(FileDialogs, WithoutFolderPickerAFolderIsEnteredNotChosen) {
    SOUI::FileDialogParams open;
    open.proposedFile = Path("a.txt");
    answerer_.Queue({true, L"sub"});
    EXPECT_FALSE(SOUI::RunFileDialog(open).accepted);
}

TEST_F(FileDialogs, FolderBrowserStartsOnTheSelectionAndReturnsFoldersOnly) {
    SOUI::FolderBrowserParams browse;
    browse.title = L"请选择驱动存储目录:";
    browse.initialSelection = Path("sub");
    answerer_.Queue({});
    answerer_.Queue({true, L"a.txt"});
    answerer_.Queue({false, {}});

    EXPECT_EQ(SOUI::BrowseForFolder(browse), Path("sub"));
    EXPECT_EQ(SOUI::BrowseForFolder(browse), L"");
    EXPECT_EQ(SOUI::BrowseForFolder(browse), L"");
    // Nothing left to answer: the dialog is cancelled rather than waiting.
    browse.initialSelection.clear();
    EXPECT_EQ(SOUI::BrowseForFolder(browse), L"");

    const auto shown = answerer_.Shown();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_TRUE(shown[0].folderBrowser);
    EXPECT_EQ(shown[0].title, L"请选择驱动存储目录:");
    EXPECT_EQ(shown[0].folder, Path());
    EXPECT_EQ(shown[0].nameBox, L"sub");
    EXPECT_EQ(shown[3].nameBox, L"");
}

TEST(FolderPickerBoxText, LowersExtensionsAndDropsShortcutExtension) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"/e/Docs/Report.TXT", L"/e/Docs/Report.txt"},
        {L"/e/Docs/Tool.LNK", L"/e/Docs/Tool"},
        {L"/e/Docs.D/README", L"/e/Docs.D/README"},
        {L"/A.B", L"/A.b"},
        {L"A.B", L"A.B"},  // shorter than 4: unchanged
        {L"", L""},
    };
    for (const auto& [path, box] : cases) EXPECT_EQ(SOUI::FolderPickerBoxText(path), box) << path;
}

}  // namespace
