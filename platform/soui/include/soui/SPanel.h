#pragma once
// A control with scroll bars over a view of content larger than itself.
// The bars are drawn by a scroll-bar skin ("sbSkin"), part by part.
#include "soui/SSkin.h"
#include "soui/SWindow.h"

namespace SOUI {

// Which scroll bars a panel may show ("sbEnable"); each shows only while
// the content exceeds the view in its direction.
constexpr DWORD SSB_HORZ = 1;
constexpr DWORD SSB_VERT = 2;
constexpr DWORD SSB_BOTH = SSB_HORZ | SSB_VERT;

class SPanel : public SWindow {
    SOUI_CLASS_NAME(SWindow, L"panel")

public:
    SPanel();

    // Clamped to the range; FALSE when the bar shows no range.
    BOOL SetScrollPos(BOOL vertical, int pos, BOOL redraw);
    int GetScrollPos(BOOL vertical) const;
    // The part of the window that shows content: the client area without the
    // shown bars.
    CRect GetViewRect() const;
    CSize GetViewSize() const { return viewSize_; }
    BOOL HasScrollBar(BOOL vertical) const;

    HRESULT SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) override;
    BOOL ProcessSwndMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    // The size of the whole content; shows or hides the bars to fit it.
    void SetViewSize(CSize size);
    // The view moved to show another part of the content.
    virtual void OnViewOriginChanged(CPoint oldOrigin, CPoint newOrigin);
    // Pixels one wheel notch or arrow click moves.
    virtual int GetScrollLineSize(BOOL vertical) const;

    void OnSize(CSize size) override;
    void OnPaint(IRenderTarget* rt) override;
    void DrawScrollBars(IRenderTarget* rt);
    // TRUE when the mouse message belongs to a scroll bar (or its drag).
    BOOL OnBarMouse(UINT msg, CPoint pt);

private:
    struct Bar {
        int pos = 0;
        bool shown = false;
    };
    CRect BarRect(BOOL vertical) const;
    SSkinScrollbar* BarSkin() const;
    int BarWidth() const;
    int ArrowSize() const;
    void UpdateBars();
    int PageSize(BOOL vertical) const;
    int MaxPos(BOOL vertical) const;

    Bar vbar_;
    Bar hbar_;
    CSize viewSize_;
    DWORD sbEnable_ = SSB_BOTH;
    std::wstring sbSkinName_;
    int sbWidth_ = -1;      // -1: the skin's part width
    int sbArrowSize_ = -1;  // -1: the bar width, when the skin has arrows
    // Mouse on the bars: the part pressed, and for the thumb the grab point.
    int pressedPart_ = -1;
    BOOL pressedVertical_ = TRUE;
    int grabOffset_ = 0;
    int hotPart_ = -1;
    BOOL hotVertical_ = TRUE;
};

}  // namespace SOUI
