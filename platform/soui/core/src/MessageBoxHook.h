#pragma once
// Lets a test answer message boxes in place of a person.
#include <string>
#include <vector>

#include "soui/Win32Defs.h"

namespace SOUI {
class SHostDialog;
}

namespace SOUI::detail {

struct IMessageBoxHook {
    virtual ~IMessageBoxHook() = default;
    // The system's box: the answer, given instead of showing it.
    virtual int OnSystemBox(const std::wstring& text, const std::wstring& caption, UINT type) = 0;
    // A framework box is showing and its modal loop runs; buttonIds[i] is
    // the answer of the i-th button ("button1st", ...).
    virtual void OnFrameworkBox(SHostDialog& box, const std::wstring& text, const std::wstring& caption,
                                const std::vector<int>& buttonIds) = 0;
};

void SetMessageBoxHook(IMessageBoxHook* hook);
// The hook set last; else, when the environment names a file in
// SOUI_MESSAGEBOX_LOG, one that appends each box's text to it and presses
// the box's first button (for tests of whole programs); else none.
IMessageBoxHook* GetMessageBoxHook();

// The answers of a box's buttons, in order, for a message-box type.
std::vector<int> MessageBoxButtonIds(UINT type);

// Names of the buttons of a framework box, in order.
extern const wchar_t* const kMsgBoxButtonNames[3];

}  // namespace SOUI::detail
