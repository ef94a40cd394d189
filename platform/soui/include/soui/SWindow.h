#pragma once
// A windowless control: a node of its host's tree, laid out from XML and
// painted by the host.
#include <string>
#include <vector>

#include "soui/IRender.h"
#include "soui/SEvents.h"
#include "soui/SObject.h"
#include "soui/SRect.h"
#include "soui/SString.h"

namespace SOUI {

class SWindow;
class SSkinObjBase;

// Window states; a skin draws the state that these select.
constexpr DWORD WndState_Normal = 0;
constexpr DWORD WndState_Hover = 1;
constexpr DWORD WndState_PushDown = 2;
constexpr DWORD WndState_Check = 4;
constexpr DWORD WndState_Invisible = 8;
constexpr DWORD WndState_Disable = 16;

// A control timer's tick, sent to ProcessSwndMessage with the id in wParam.
constexpr UINT UM_SWNDTIMER = WM_USER + 5432;

// What holds a tree of controls: a host window (or, for list items, a panel).
struct ISwndContainer {
    virtual ~ISwndContainer() = default;
    // The end of the event route; TRUE when the event was handled.
    virtual BOOL OnFireEvent(EventArgs* evt) = 0;
    // rc in the container's coordinates needs repainting.
    virtual void OnRedraw(const CRect& rc) = 0;
    virtual void OnSetSwndCapture(SWindow* wnd) = 0;
    virtual void OnReleaseSwndCapture(SWindow* wnd) = 0;
    // A control of the tree is going away: forget it (hover, capture, focus).
    virtual void OnSwndDestroyed(SWindow* wnd) = 0;
    virtual HWND GetHostHwnd() = 0;
    // From the container's coordinates to the host window's client area.
    virtual CRect FrameToHost(const CRect& rc) const { return rc; }
    // The control that gets the keyboard (null: none); the old one is told
    // WM_KILLFOCUS, the new one WM_SETFOCUS.
    virtual void OnSetSwndFocus(SWindow*) {}
    virtual SWindow* GetSwndFocus() const { return nullptr; }
};

// A position in a layout: "pos" with 2 or 4 coordinates. A coordinate is
// a number from the parent's left/top, "-N" from its right/bottom, "N%" of
// its size, "|N" from its centre, or (third and fourth only) "@N" a size.
struct SPosItem {
    enum Kind { FromStart, FromEnd, Percent, FromCenter, Size } kind = FromStart;
    float value = 0;
};

class SWindow : public SObject {
    SOUI_CLASS_NAME_TYPE(SObject, L"window", Window)

public:
    SWindow();
    ~SWindow() override;
    SWindow(const SWindow&) = delete;
    SWindow& operator=(const SWindow&) = delete;

    // Tree.
    SWindow* GetParent() const { return parent_; }
    SWindow* GetRoot();
    UINT GetChildrenCount() const { return static_cast<UINT>(children_.size()); }
    SWindow* GetChild(UINT index) const { return index < children_.size() ? children_[index] : nullptr; }
    // Takes ownership of the child.
    void InsertChild(SWindow* child);
    // Removes the child from the tree and deletes it.
    BOOL DestroyChild(SWindow* child);
    void DestroyAllChildren();
    // The descendant of that name (depth -1: any depth), or null.
    SWindow* FindChildByName(LPCWSTR name, int depth = -1);
    SWindow* FindChildByID(int id, int depth = -1);
    template <class T>
    T* FindChildByName2(LPCWSTR name, int depth = -1) {
        return dynamic_cast<T*>(FindChildByName(name, depth));
    }

    ISwndContainer* GetContainer() const { return container_; }
    void SetContainer(ISwndContainer* container);
    // Events that bubble go to the owner (when set) instead of the container.
    void SetOwner(SWindow* owner) { owner_ = owner; }
    SWindow* GetOwner() const { return owner_; }

    // Identity.
    const std::wstring& GetName() const { return name_; }
    void SetName(LPCWSTR name) { name_ = name ? name : L""; }
    int GetID() const { return id_; }
    void SetID(int id) { id_ = id; }

    // Text.
    SStringW GetWindowTextW(BOOL rawText = FALSE) const;
    virtual void SetWindowTextW(LPCWSTR text);
    const std::wstring& GetToolTipText() const { return tip_; }

    // States.
    DWORD GetState() const { return state_; }
    // Adds and removes state bits; fires the state-changed event on a change.
    DWORD ModifyState(DWORD add, DWORD remove, BOOL update = FALSE);
    void EnableWindow(BOOL enable, BOOL update = FALSE);
    BOOL IsDisabled(BOOL checkParent = FALSE) const;
    void SetVisible(BOOL visible, BOOL update = FALSE);
    BOOL IsVisible(BOOL checkParent = FALSE) const;
    BOOL IsChecked() const { return (state_ & WndState_Check) ? TRUE : FALSE; }
    void SetCheck(BOOL checked);

    // Geometry, in the container's coordinates.
    void GetWindowRect(CRect* rc) const { *rc = rect_; }
    CRect GetWindowRect() const { return rect_; }
    CRect GetClientRect() const;
    // Places the window and lays its children out inside it.
    void Move(const CRect& rc);
    // Lays the children out inside the current rectangle.
    void UpdateChildrenPosition();
    // The size the content asks for when the layout gives none.
    virtual CSize GetDesiredSize(int maxWidth, int maxHeight);
    // The deepest visible descendant (or this) under pt that takes the mouse.
    SWindow* SwndFromPoint(CPoint pt);

    // Drawing.
    void Invalidate();
    void InvalidateRect(const CRect& rc);
    // Paints this window and its children; rt's origin is the container's.
    void RedrawTree(IRenderTarget* rt, const CRect& dirty);
    SColor GetTextColor() const;
    const SFontDesc& GetFont() const { return font_; }
    SSkinObjBase* GetBkgndSkin() const { return bkgndSkin_; }

    // Events.
    SEventSet* GetEventSet() { return &eventSet_; }
    // Subscribers first, then owner or container while bubbleUp stays set.
    virtual BOOL FireEvent(EventArgs* evt);
    BOOL FireCommand();

    // Messages sent to the control (mouse, timers); TRUE when handled.
    virtual BOOL ProcessSwndMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Sends a message to the control now and returns its result.
    LRESULT SSendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    // Keyboard focus within the host.
    void SetFocus();
    void KillFocus();
    BOOL IsFocused() const;

    // UM_SWNDTIMER every elapse milliseconds until KillTimer2 or the
    // control's end; the same id again restarts it.
    BOOL SetTimer2(UINT_PTR id, UINT elapse);
    void KillTimer2(UINT_PTR id);
    void SetMsgHandled(BOOL handled) { msgHandled_ = handled; }
    BOOL IsMsgHandled() const { return msgHandled_; }

    // Loading.
    HRESULT SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) override;
    BOOL InitFromXml(SXmlNode node) override;
    // Builds the children that the node describes.
    virtual BOOL CreateChildren(SXmlNode node);

protected:
    HRESULT AfterAttribute(const std::wstring& name, const std::wstring& value, BOOL loading,
                           HRESULT hr) override;

    // Drawing steps: background colour and skin, then the content.
    virtual void OnPaint(IRenderTarget* rt);
    // Paints the part of the window inside area (the container's
    // coordinates); by default all of it, clipped to area.
    virtual void OnPaintArea(IRenderTarget* rt, const CRect& area);
    void DrawBackground(IRenderTarget* rt, const CRect& rc);
    void DrawTextContent(IRenderTarget* rt, const CRect& rc, const std::wstring& text);
    // The skin state that the window state selects (normal, hover, pushed, disabled).
    int SkinStateIndex() const;

    virtual void OnLButtonDown(UINT flags, CPoint pt);
    virtual void OnLButtonUp(UINT flags, CPoint pt);
    virtual void OnMouseMove(UINT flags, CPoint pt);
    virtual void OnMouseHover(UINT flags, CPoint pt);
    virtual void OnMouseLeave();
    // A full click (press and release inside); fires the command event.
    virtual void OnClick();
    // After Move: the window got a new size.
    virtual void OnSize(CSize size);

    std::wstring text_;
    CRect padding_;
    UINT textAlign_ = DT_LEFT | DT_VCENTER | DT_SINGLELINE;

private:
    CRect LayoutChild(const SWindow& child, const CRect& parentClient);
    void DetachTree();

    SWindow* parent_ = nullptr;
    std::vector<SWindow*> children_;
    ISwndContainer* container_ = nullptr;
    SWindow* owner_ = nullptr;
    SEventSet eventSet_;

    std::wstring name_;
    int id_ = 0;
    std::wstring tip_;
    DWORD state_ = WndState_Normal;
    BOOL msgHandled_ = TRUE;
    BOOL msgTransparent_ = FALSE;

    CRect rect_;
    std::vector<SPosItem> pos_;
    CSize size_{-1, -1};  // -1: from the content
    float offsetX_ = 0;
    float offsetY_ = 0;

    SColor colorText_ = RGBA(0, 0, 0);
    SColor colorBkgnd_ = kColorTransparent;
    SColor colorBorder_ = kColorTransparent;
    SFontDesc font_;
    SSkinObjBase* bkgndSkin_ = nullptr;
};

}  // namespace SOUI
