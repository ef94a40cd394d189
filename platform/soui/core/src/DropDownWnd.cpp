#include "soui/SDropDownWnd.h"

#include <QCoreApplication>
#include <QTimer>

#include "soui/SScreenApi.h"
#include "soui/SystemApi.h"

namespace SOUI {

namespace {

bool IsMouseMessage(UINT msg) {
    return msg >= WM_MOUSEMOVE && msg <= WM_MOUSEWHEEL;
}

bool IsButtonDown(UINT msg) {
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_LBUTTONDBLCLK;
}

}  // namespace

SDropDownWnd::SDropDownWnd(ISDropDownOwner* owner) : SHostWnd(nullptr), owner_(owner) {}

SDropDownWnd::~SDropDownWnd() {
    deleting_ = true;
    DestroyWindow();
}

HWND SDropDownWnd::CreateEx(HWND parent, DWORD, DWORD exStyle, int x, int y, int cx, int cy) {
    SXmlDoc doc;
    SXmlNode host = doc.append_child("SOUI");
    host.append_attribute("toolWindow") = (exStyle & WS_EX_TOOLWINDOW) ? 1 : 0;
    host.append_child("root");
    SetLayoutXml(host);
    if (!Create(parent, x, y, cx, cy)) return nullptr;
    if (exStyle & WS_EX_TOPMOST) SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SMessageLoop::GetCurrent()->AddMessageFilter(this);
    return m_hWnd;
}

void SDropDownWnd::EndDropDown(int exitCode) {
    if (ending_ || !IsWindow()) return;
    ending_ = true;
    exitCode_ = exitCode;
    DestroyWindow();
}

BOOL SDropDownWnd::PreTranslateMessage(MSG* msg) {
    if (!IsWindow() || GetCapture() != m_hWnd || msg->hwnd == m_hWnd || !IsMouseMessage(msg->message))
        return FALSE;
    SNativeWnd* source = SNativeWnd::FromHandle(msg->hwnd);
    CPoint pt(GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam));
    // The wheel carries screen coordinates already.
    if (source && msg->message != WM_MOUSEWHEEL) source->ClientToScreen(&pt);
    if (msg->message != WM_MOUSEWHEEL) {
        CPoint origin;
        ClientToScreen(&origin);
        pt = CPoint(pt.x - origin.x, pt.y - origin.y);
    }
    SendMessageW(msg->message, msg->wParam, MAKELPARAM(pt.x, pt.y));
    return TRUE;
}

BOOL SDropDownWnd::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result,
                                        DWORD msgMapID) {
    if (IsButtonDown(msg)) {
        CRect client;
        GetClientRect(&client);
        if (!client.PtInRect(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))) {
            EndDropDown(IDCANCEL);
            result = 0;
            return TRUE;
        }
    }
    if (msg == WM_KEYDOWN && wParam == VK_ESCAPE) {
        EndDropDown(IDCANCEL);
        result = 0;
        return TRUE;
    }
    return SHostWnd::ProcessWindowMessage(hWnd, msg, wParam, lParam, result, msgMapID);
}

void SDropDownWnd::OnFinalMessage(HWND hwnd) {
    SHostWnd::OnFinalMessage(hwnd);
    SMessageLoop::GetCurrent()->RemoveMessageFilter(this);
    if (GetCapture() == hwnd) ReleaseCapture();
    if (owner_) owner_->OnDestroyDropDown(this);
    if (deleting_) return;
    // The popup may have ended from inside one of its own handlers.
    QTimer::singleShot(0, QCoreApplication::instance(), [this] { delete this; });
}

}  // namespace SOUI
