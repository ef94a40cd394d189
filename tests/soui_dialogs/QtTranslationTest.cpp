// Qt's own file and folder dialogs speak the user's language. A process of
// its own: the locale is read once, when the first window comes up.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "soui/SDialogTestHook.h"
#include "soui/SFileDialog.h"
#include "soui/STestApi.h"

namespace {

using SOUI::test::DialogAnswerer;

bool Has(const std::vector<std::wstring>& texts, const std::wstring& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

bool HasChinese(const std::wstring& text) {
    return std::any_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0x4E00 && c <= 0x9FFF; });
}

class ChineseLocale : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // As a user's session sets it; nothing else may override it.
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"}) ::unsetenv(name);
        ::setenv("LANG", "zh_CN.UTF-8", 1);
        SOUI::test::UseOffscreenPlatform();
    }
    DialogAnswerer answerer_;
};

TEST_F(ChineseLocale, FileAndFolderDialogsShowChineseLabelsAndButtons) {
    SOUI::FileDialogParams save;
    save.open = false;
    save.proposedFile = L"/tmp/Driver.iso";
    answerer_.Queue({false, {}});
    EXPECT_FALSE(SOUI::RunFileDialog(save).accepted);
    SOUI::FolderBrowserParams browse;
    browse.title = L"请选择驱动文件目录:";
    answerer_.Queue({false, {}});
    EXPECT_EQ(SOUI::BrowseForFolder(browse), L"");

    const auto shown = answerer_.Shown();
    ASSERT_EQ(shown.size(), 2u);
    for (const auto& dialog : shown) {
        ASSERT_GE(dialog.texts.size(), 4u) << "labels and buttons";
        for (const auto& text : dialog.texts) EXPECT_TRUE(HasChinese(text)) << ::testing::PrintToString(text);
        EXPECT_TRUE(Has(dialog.texts, L"取消")) << ::testing::PrintToString(dialog.texts);
    }
    EXPECT_TRUE(Has(shown[0].texts, L"保存(&S)")) << ::testing::PrintToString(shown[0].texts);
    EXPECT_TRUE(Has(shown[1].texts, L"选择(&C)")) << ::testing::PrintToString(shown[1].texts);
}

}  // namespace
