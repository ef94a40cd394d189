#pragma once
// Skins: pictures cut from one image into states, drawn into a rectangle.
#include "soui/IRender.h"
#include "soui/SObject.h"

namespace SOUI {

class SSkinObjBase : public SObject {
    SOUI_CLASS_NAME_TYPE(SObject, L"skinobj", Skin)

public:
    HRESULT SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) override;

    const std::wstring& GetName() const { return name_; }
    virtual int GetStates() const { return 1; }
    virtual CSize GetSkinSize() const { return {}; }
    // state 0..GetStates()-1; an out-of-range state draws the first.
    virtual void DrawByState(IRenderTarget* rt, const CRect& rc, int state, BYTE alpha = 0xFF) const = 0;

private:
    std::wstring name_;
};

// "imglist": states side by side (or stacked with vertical="1"), each drawn
// stretched into the target rectangle.
class SSkinImgList : public SSkinObjBase {
    SOUI_CLASS_NAME(SSkinObjBase, L"imglist")

public:
    ~SSkinImgList() override;
    HRESULT SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) override;

    int GetStates() const override { return states_; }
    void SetStates(int states) { states_ = states < 1 ? 1 : states; }
    CSize GetSkinSize() const override;
    void DrawByState(IRenderTarget* rt, const CRect& rc, int state, BYTE alpha = 0xFF) const override;

    IBitmap* GetImage() const { return image_; }
    void SetImage(IBitmap* image);
    BOOL IsVertical() const { return vertical_; }

protected:
    // Where state lies in the image.
    CRect StateRect(int state) const;
    virtual void DrawPart(IRenderTarget* rt, const CRect& dst, const CRect& src, BYTE alpha) const;

private:
    IBitmap* image_ = nullptr;
    int states_ = 1;
    BOOL vertical_ = FALSE;
};

// "imgframe": an image list drawn as nine patches; "margin" (left, top,
// right, bottom) keeps the borders unstretched (frames, shadows).
class SSkinImgFrame : public SSkinImgList {
    SOUI_CLASS_NAME(SSkinImgList, L"imgframe")

public:
    HRESULT SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) override;
    const CRect& GetMargin() const { return margin_; }

protected:
    void DrawPart(IRenderTarget* rt, const CRect& dst, const CRect& src, BYTE alpha) const override;

private:
    CRect margin_;
};

// Scroll-bar part codes.
enum {
    SB_LINEUP = 0,
    SB_LINEDOWN = 1,
    SB_PAGEUP = 2,
    SB_PAGEDOWN = 3,
    SB_THUMBTRACK = 5,
    SB_CORNER = 10,        // where a vertical and a horizontal bar meet
    SB_THUMBGRIPPER = 11,  // the grip drawn on a thumb
};

// "scrollbar": the parts of a scroll bar from one image. The image holds one
// column per state; rows from the top: up arrow, down arrow, track, thumb of
// the vertical bar, then the same four of the horizontal bar. Classes that
// lay their image out otherwise replace GetPartRectVertical.
class SSkinScrollbar : public SSkinImgList {
    SOUI_CLASS_NAME(SSkinImgList, L"scrollbar")

public:
    HRESULT SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) override;

    virtual BOOL HasArrowParts() const { return TRUE; }
    virtual int GetPartWidth() const;
    // Source rectangle of one part in the image.
    virtual CRect GetPartRectVertical(int part, int state, BOOL vertical) const;

    void DrawScrollBarPart(IRenderTarget* rt, const CRect& dst, int part, int state, BOOL vertical,
                           BYTE alpha = 0xFF) const;
    const CRect& GetMargin() const { return margin_; }

private:
    CRect margin_;
};

}  // namespace SOUI
