#include "soui/SWindow.h"

namespace SOUI {

LRESULT SWindow::SSendMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    ProcessSwndMessage(msg, wParam, lParam, result);
    return result;
}

void SWindow::SetFocus() {
    if (ISwndContainer* container = GetContainer(); container && container->GetSwndFocus() != this) {
        container->OnSetSwndFocus(this);
    }
}

void SWindow::KillFocus() {
    if (ISwndContainer* container = GetContainer(); container && container->GetSwndFocus() == this) {
        container->OnSetSwndFocus(nullptr);
    }
}

BOOL SWindow::IsFocused() const {
    const ISwndContainer* container = GetContainer();
    return container && container->GetSwndFocus() == this ? TRUE : FALSE;
}

}  // namespace SOUI
