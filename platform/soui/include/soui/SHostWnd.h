#pragma once
// Host windows: one native window that holds, lays out and paints a tree of
// windowless controls built from a layout resource.
#include <memory>
#include <string>
#include <vector>

#include "soui/SEvents.h"
#include "soui/SNativeWnd.h"
#include "soui/SWindow.h"
#include "soui/SXml.h"

namespace SOUI {

class SHostWnd : public SNativeWnd, public ISwndContainer {
public:
    // layoutId: "LAYOUT:NAME"; null for a window filled by InitFromXml.
    explicit SHostWnd(LPCWSTR layoutId = nullptr);
    ~SHostWnd() override;

    // Loads the layout and creates the window (hidden), sized as the layout
    // says unless cx and cy are given. Null when the layout cannot be loaded.
    HWND Create(HWND parent, int x = 0, int y = 0, int cx = 0, int cy = 0);
    // Builds the window's content from a layout node (<SOUI> with a <root>);
    // a created window takes the node's size.
    BOOL InitFromXml(SXmlNode node);

    SNativeWnd* GetNative() { return this; }
    SWindow* GetRoot() { return root_.get(); }
    SWindow* FindChildByName(LPCWSTR name, int depth = -1);
    SWindow* FindChildByID(int id, int depth = -1);
    template <class T>
    T* FindChildByName2(LPCWSTR name, int depth = -1) {
        return dynamic_cast<T*>(FindChildByName(name, depth));
    }

    // The event map; the base takes nothing.
    virtual BOOL _HandleEvent(EventArgs* evt);
    // The host's own handling: layout on WM_SIZE, WM_TIMER to OnTimer, mouse
    // input to the controls, WM_CLOSE ends the window.
    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result,
                              DWORD msgMapID = 0) override;
    // Timers the message map did not take.
    virtual void OnTimer(UINT_PTR id);

    // Paints the whole window into a new picture (premultiplied ARGB).
    SImageData RenderToImage();

    // ISwndContainer
    BOOL OnFireEvent(EventArgs* evt) override;
    void OnRedraw(const CRect& rc) override;
    void OnSetSwndCapture(SWindow* wnd) override;
    void OnReleaseSwndCapture(SWindow* wnd) override;
    void OnSwndDestroyed(SWindow* wnd) override;
    HWND GetHostHwnd() override { return m_hWnd; }
    void OnSetSwndFocus(SWindow* wnd) override;
    SWindow* GetSwndFocus() const override { return focus_; }

protected:
    // Uses a copy of node as the layout instead of loading a resource.
    void SetLayoutXml(SXmlNode node);
    void OnFinalMessage(HWND hwnd) override;
    BOOL HandleMouse(UINT msg, WPARAM wParam, LPARAM lParam);
    // Keys to the focused control, the wheel to the one under the mouse (or
    // the focused one), each passed up to the parents until one takes it.
    BOOL RouteToControls(SWindow* target, UINT msg, WPARAM wParam, LPARAM lParam);
    SWindow* GetHover() const { return hover_; }

private:
    friend struct HostAccess;
    struct HostState;
    BOOL ReadHostAttributes(SXmlNode node);
    void ApplyIcons();
    void BuildTree(SXmlNode node);
    void UpdateHover(SWindow* wnd, WPARAM wParam, LPARAM lParam);

    std::unique_ptr<HostState> state_;

    std::wstring layoutId_;
    SXmlDoc layoutDoc_;
    std::unique_ptr<SWindow> root_;
    SWindow* hover_ = nullptr;
    SWindow* capture_ = nullptr;
    SWindow* focus_ = nullptr;
    CSize layoutSize_{0, 0};
    BOOL translucent_ = FALSE;
    BOOL resizable_ = TRUE;
    BOOL toolWindow_ = FALSE;
    std::wstring title_;
    std::vector<std::wstring> icons_;  // "TYPE:NAME" of the window's icon pictures
};

// A host window run modally: DoModal returns the code given to EndDialog.
class SHostDialog : public SHostWnd {
public:
    explicit SHostDialog(LPCWSTR layoutId);
    ~SHostDialog() override;

    // Creates the window, sends WM_INITDIALOG, shows it with the owner
    // disabled and runs until EndDialog; the window is destroyed on return.
    int DoModal(HWND parent = nullptr);
    void EndDialog(int code);
    void OnOK() { EndDialog(IDOK); }
    void OnCancel() { EndDialog(IDCANCEL); }

    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result,
                              DWORD msgMapID = 0) override;

private:
    struct Modal;
    std::unique_ptr<Modal> modal_;
};

}  // namespace SOUI
