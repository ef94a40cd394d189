#include "soui/SSkin.h"

#include "AttrParse.h"
#include "soui/SApplication.h"

namespace SOUI {

HRESULT SSkinObjBase::SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) {
    if (name == L"name") {
        name_ = value;
        return AfterAttribute(name, value, loading, S_FALSE);
    }
    return SObject::SetAttribute(name, value, loading);
}

SSkinImgList::~SSkinImgList() {
    SetImage(nullptr);
}

void SSkinImgList::SetImage(IBitmap* image) {
    if (image) image->AddRef();
    if (image_) image_->Release();
    image_ = image;
}

HRESULT SSkinImgList::SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) {
    if (name == L"src") {
        SApplication* app = SApplication::getSingletonPtr();
        SetImage(app ? app->LoadImage(value) : nullptr);
        return AfterAttribute(name, value, loading, image_ ? S_OK : E_FAIL);
    }
    if (name == L"states") {
        SetStates(detail::ToInt(value));
        return AfterAttribute(name, value, loading, S_OK);
    }
    if (name == L"vertical") {
        vertical_ = detail::ToBool(value) ? TRUE : FALSE;
        return AfterAttribute(name, value, loading, S_OK);
    }
    return SSkinObjBase::SetAttribute(name, value, loading);
}

CSize SSkinImgList::GetSkinSize() const {
    if (!image_) return {};
    return vertical_ ? CSize(image_->Width(), image_->Height() / states_)
                     : CSize(image_->Width() / states_, image_->Height());
}

CRect SSkinImgList::StateRect(int state) const {
    if (state < 0 || state >= states_) state = 0;
    const CSize size = GetSkinSize();
    return vertical_ ? CRect(CPoint(0, state * size.cy), size) : CRect(CPoint(state * size.cx, 0), size);
}

void SSkinImgList::DrawByState(IRenderTarget* rt, const CRect& rc, int state, BYTE alpha) const {
    if (!image_ || rc.IsRectEmpty()) return;
    DrawPart(rt, rc, StateRect(state), alpha);
}

void SSkinImgList::DrawPart(IRenderTarget* rt, const CRect& dst, const CRect& src, BYTE alpha) const {
    rt->DrawBitmap(dst, image_, src, alpha);
}

HRESULT SSkinImgFrame::SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) {
    if (name == L"margin") {
        return AfterAttribute(name, value, loading, detail::ParseRect(value, &margin_) ? S_OK : E_FAIL);
    }
    return SSkinImgList::SetAttribute(name, value, loading);
}

void SSkinImgFrame::DrawPart(IRenderTarget* rt, const CRect& dst, const CRect& src, BYTE alpha) const {
    rt->DrawBitmap9Patch(dst, GetImage(), src, margin_, alpha);
}

HRESULT SSkinScrollbar::SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) {
    if (name == L"margin") {
        return AfterAttribute(name, value, loading, detail::ParseRect(value, &margin_) ? S_OK : E_FAIL);
    }
    return SSkinImgList::SetAttribute(name, value, loading);
}

int SSkinScrollbar::GetPartWidth() const {
    IBitmap* image = GetImage();
    return image ? image->Width() / GetStates() : 0;
}

CRect SSkinScrollbar::GetPartRectVertical(int part, int state, BOOL vertical) const {
    IBitmap* image = GetImage();
    if (!image) return {};
    if (state < 0 || state >= GetStates()) state = 0;
    int row = 3;  // the thumb, and every part without a row of its own
    if (part == SB_LINEUP)
        row = 0;
    else if (part == SB_LINEDOWN)
        row = 1;
    else if (part == SB_PAGEUP || part == SB_PAGEDOWN)
        row = 2;
    if (!vertical) row += 4;
    const int width = GetPartWidth();
    const int height = image->Height() / 8;
    return CRect(CPoint(state * width, row * height), CSize(width, height));
}

void SSkinScrollbar::DrawScrollBarPart(IRenderTarget* rt, const CRect& dst, int part, int state,
                                       BOOL vertical, BYTE alpha) const {
    IBitmap* image = GetImage();
    const CRect src = GetPartRectVertical(part, state, vertical);
    if (!image || src.IsRectEmpty() || dst.IsRectEmpty()) return;
    rt->DrawBitmap9Patch(dst, image, src, margin_, alpha);
}

}  // namespace SOUI
