#pragma once
// A drop-down popup: a top-most tool window that does not take activation,
// sees the thread's messages while it exists, and ends with an exit code.
#include "soui/SHostWnd.h"
#include "soui/SMessageLoop.h"

namespace SOUI {

class SDropDownWnd;

// Native window styles a popup is created with.
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_EX_TOPMOST = 0x00000008;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;

// The control that opens a popup and hears of its end.
struct ISDropDownOwner {
    virtual ~ISDropDownOwner() = default;
    virtual SWindow* GetDropDownOwner() = 0;
    virtual void OnCreateDropDown(SDropDownWnd* dropDown) = 0;
    // The popup's window is gone; the popup object goes right after.
    virtual void OnDestroyDropDown(SDropDownWnd* dropDown) = 0;
};

class SDropDownWnd : public SHostWnd, public IMessageFilter {
public:
    explicit SDropDownWnd(ISDropDownOwner* owner);
    ~SDropDownWnd() override;

    // Creates the hidden popup window without content (InitFromXml fills it);
    // WS_EX_TOOLWINDOW: no task-bar entry, WS_EX_TOPMOST: above other windows.
    HWND CreateEx(HWND parent, DWORD style, DWORD exStyle, int x, int y, int cx, int cy);
    // Ends the popup: its window is destroyed, the owner told, and the popup
    // object deleted once the current message has been handled.
    virtual void EndDropDown(int exitCode = IDCANCEL);
    int GetExitCode() const { return exitCode_; }
    ISDropDownOwner* GetOwnerOfDropDown() const { return owner_; }

    // Mouse input for other windows while the popup holds the capture comes
    // here; a press outside the popup ends it with IDCANCEL.
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result,
                              DWORD msgMapID = 0) override;

protected:
    void OnFinalMessage(HWND hwnd) override;

private:
    ISDropDownOwner* owner_;
    int exitCode_ = IDCANCEL;
    bool ending_ = false;
    bool deleting_ = false;
};

}  // namespace SOUI
