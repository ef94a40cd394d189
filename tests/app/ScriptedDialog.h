#pragma once
// Runs one of the program's modal dialogs with DoModal and acts on it from
// inside its modal loop, as a user would while it shows.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <utility>

#include "soui/SHostWnd.h"
#include "soui/SMessageLoop.h"
#include "soui/STestApi.h"
#include "soui/SystemApi.h"

namespace apptest {

// A quit message left by an earlier test's main window (its close ends the
// message loop) would end every later modal loop at once. Posting one more
// and running a loop takes whichever is pending.
inline void DropPendingQuit() {
    SOUI::PostQuitMessage(0);
    SOUI::test::Pump(std::chrono::milliseconds(20));
    SOUI::SMessageLoop::GetCurrent()->Run();
}

template <class Dialog>
class ScriptedDialog : public Dialog {
public:
    using Script = std::function<void(ScriptedDialog&)>;

    explicit ScriptedDialog(Script script) : script_(std::move(script)) {}

    SOUI::BOOL ProcessWindowMessage(SOUI::HWND hWnd, SOUI::UINT msg, SOUI::WPARAM wParam, SOUI::LPARAM lParam,
                                    SOUI::LRESULT& result, SOUI::DWORD msgMapID = 0) override {
        if (msg == SOUI::WM_TIMER && wParam == kScriptTimer) {
            this->KillTimer(kScriptTimer);
            script_(*this);
            result = 0;
            return SOUI::TRUE;
        }
        if (msg == SOUI::WM_TIMER && wParam == kGuardTimer) {
            // A script that left the dialog open would otherwise hang the test.
            this->KillTimer(kGuardTimer);
            ADD_FAILURE() << "the dialog was still open after the script";
            this->EndDialog(SOUI::IDCANCEL);
            return SOUI::TRUE;
        }
        const SOUI::BOOL handled = Dialog::ProcessWindowMessage(hWnd, msg, wParam, lParam, result, msgMapID);
        if (msg == SOUI::WM_INITDIALOG) {
            this->SetTimer(kScriptTimer, 20);
            this->SetTimer(kGuardTimer, 120000);
        }
        return handled;
    }

private:
    static constexpr SOUI::UINT_PTR kScriptTimer = 901;
    static constexpr SOUI::UINT_PTR kGuardTimer = 902;
    Script script_;
};

}  // namespace apptest
