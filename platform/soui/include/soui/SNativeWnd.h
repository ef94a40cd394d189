#pragma once
// One top-level native window: a handle, its message procedure and timers.
#include <memory>
#include <string>

#include "soui/SRect.h"
#include "soui/Win32Defs.h"

namespace SOUI {

class SHostWnd;

// SetWindowPos flags and the top-most place.
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
inline HWND const HWND_TOP = nullptr;
inline HWND const HWND_TOPMOST = reinterpret_cast<HWND>(static_cast<std::intptr_t>(-1));

class SNativeWnd {
public:
    SNativeWnd();
    virtual ~SNativeWnd();
    SNativeWnd(const SNativeWnd&) = delete;
    SNativeWnd& operator=(const SNativeWnd&) = delete;

    // The message map: TRUE when the message was handled, with its result.
    virtual BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result,
                                      DWORD msgMapID = 0);
    void SetMsgHandled(BOOL handled) { msgHandled_ = handled; }
    BOOL IsMsgHandled() const { return msgHandled_; }
    // What the map did not take: handled by nobody here, so nothing happens.
    LRESULT ReflectNotifications(UINT msg, WPARAM wParam, LPARAM lParam, BOOL& handled);

    HWND m_hWnd = nullptr;

    // Synchronous: runs the message procedure now and returns its result.
    LRESULT SendMessageW(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // Queued: the message loop delivers it later; FALSE without a window.
    BOOL PostMessageW(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    BOOL IsWindow() const;
    BOOL ShowWindow(int cmd);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    BOOL DestroyWindow();
    BOOL EnableWindow(BOOL enable);
    BOOL IsWindowEnabled() const;
    BOOL SetWindowTextW(LPCWSTR text);
    BOOL SetWindowTextA(const char* text);  // UTF-8, the ANSI code page here
    std::wstring GetWindowTextW() const;
    // In screen coordinates.
    BOOL GetWindowRect(CRect* rc) const;
    BOOL GetClientRect(CRect* rc) const;
    BOOL ClientToScreen(CPoint* pt) const;
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags);

    // WM_TIMER with the id every elapse milliseconds until KillTimer; a
    // second SetTimer with the same id restarts it.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse);
    BOOL KillTimer(UINT_PTR id);

    // The window object behind a handle, or null when there is none.
    static SNativeWnd* FromHandle(HWND hwnd);

protected:
    // Creates the native window (hidden); translucent windows have no
    // background of their own where the display blends them, else they stay
    // opaque.
    HWND CreateNative(LPCWSTR title, HWND parent, const CRect& rc, BOOL translucent, BOOL toolWindow);
    // The message procedure: the message map, then the default handling.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Runs after the window is gone (WM_DESTROY delivered).
    virtual void OnFinalMessage(HWND hwnd);

    struct Impl;
    std::unique_ptr<Impl> impl_;

private:
    friend struct NativeAccess;
    BOOL msgHandled_ = TRUE;
};

}  // namespace SOUI
