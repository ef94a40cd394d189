#pragma once
// Lets tests answer file and folder dialogs without a person: each queued
// answer is given to the next dialog once it shows, through its own name box
// and buttons, and what the dialog showed is recorded.
#include <memory>
#include <string>
#include <vector>

#include "soui/Win32Defs.h"

namespace SOUI::test {

struct DialogAnswer {
    bool accept = true;
    // Typed into the name box before the answer; empty keeps what it shows.
    std::wstring typed;
};

struct ShownDialog {
    std::wstring title;
    std::wstring folder;              // the folder the dialog showed
    std::wstring nameBox;             // the name box as it opened
    std::vector<std::wstring> texts;  // its visible labels and button texts, as the user reads them
    bool folderBrowser = false;
    bool saveDialog = false;
    HWND owner = nullptr;  // the framework window it was modal over, if any
};

// While it lives, dialogs without an answer left are cancelled, so a test
// never waits for a person.
class DialogAnswerer {
public:
    DialogAnswerer();
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    void Queue(DialogAnswer answer);
    std::vector<ShownDialog> Shown() const;

private:
    struct State;
    std::shared_ptr<State> state_;
};

}  // namespace SOUI::test
