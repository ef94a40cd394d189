#pragma once
// The window thread's message loop and the filters that see its messages
// before they reach a window.
#include "soui/Win32Defs.h"

namespace SOUI {

struct IMessageFilter {
    virtual ~IMessageFilter() = default;
    // Non-zero: the message is consumed and goes no further.
    virtual BOOL PreTranslateMessage(MSG* msg) = 0;
};

class SMessageLoop {
public:
    static SMessageLoop* GetCurrent();
    BOOL AddMessageFilter(IMessageFilter* filter);
    BOOL RemoveMessageFilter(IMessageFilter* filter);
    // Filters first; what none consumes goes to its window.
    void DispatchMessage(MSG& msg);
    // Only the filters, newest first; TRUE when one consumed the message.
    BOOL PreTranslateMessage(MSG* msg);
    // Runs until WM_QUIT; returns its wParam.
    int Run();
};

}  // namespace SOUI
