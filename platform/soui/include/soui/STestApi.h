#pragma once
// What tests use to drive windows without a person: real input through the
// native window, answers for message boxes, pictures of windows.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "soui/Win32Defs.h"

namespace SOUI {
class SHostWnd;
class SNativeWnd;
class SWindow;
}  // namespace SOUI

namespace SOUI::test {

// Qt's "offscreen" platform unless the environment already chose one; call
// before the first window or message box.
void UseOffscreenPlatform();

// Mouse input at the control's centre, delivered to its host's native window
// as a user's would be. FALSE when no visible control of that name exists or
// another control lies on top at that point.
bool Hover(SHostWnd& host, const wchar_t* name);
bool Press(SHostWnd& host, const wchar_t* name);    // button down, no release
bool Release(SHostWnd& host, const wchar_t* name);  // button up
bool Click(SHostWnd& host, const wchar_t* name);    // move, down, up
// Moves the mouse off every control of the window.
void MouseAway(SHostWnd& host);

// Runs the message loop until done() or the timeout; true when done.
bool PumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::seconds(20));
// Runs the message loop for the given time.
void Pump(std::chrono::milliseconds duration);

// While it lives, every message box (the framework's and the system's) is
// answered instead of waiting for a person: the next queued answer, or the
// fallback when none is left. A framework box is answered by clicking its
// button; each box's text is recorded (for a framework box, the text and
// title that its template shows).
class MessageBoxAnswerer {
public:
    // Answers that press a key on a framework box instead of a button.
    static constexpr int kPressReturn = -1;
    static constexpr int kPressEscape = -2;

    explicit MessageBoxAnswerer(std::vector<int> answers = {}, int fallback = IDOK);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    void Queue(int answer);
    std::vector<std::wstring> Texts() const;
    std::vector<std::wstring> Captions() const;
    // Framework boxes whose button for the answer could not be clicked (a
    // template without it); such a box is ended with the answer directly.
    int Failures() const;
    // The shown buttons of the last framework box, in order.
    std::vector<std::wstring> LastButtonLabels() const;

private:
    struct State;
    std::shared_ptr<State> state_;
};

// Sizes of the pictures of the window's icon, smallest first.
std::vector<int> WindowIconSizes(SHostWnd& host);

// The text of the tool tip on screen, empty when none shows.
std::wstring ShownToolTip();

// Writes what the window shows as a PNG file.
bool SaveWindowAsPng(SHostWnd& host, const std::wstring& path);

// The window's id in the platform's window system (an X window id on xcb),
// for tools that look at the screen; 0 when it has none.
std::uintptr_t NativeWindowId(SNativeWnd& wnd);

}  // namespace SOUI::test
