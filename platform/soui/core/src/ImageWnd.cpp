#include "AttrParse.h"
#include "soui/SControls.h"

namespace SOUI {

HRESULT SImageWnd::SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) {
    if (name == L"iconIndex") {
        frame_ = detail::ToInt(value);
        return AfterAttribute(name, value, loading, S_OK);
    }
    return SWindow::SetAttribute(name, value, loading);
}

CSize SImageWnd::GetDesiredSize(int, int) {
    return GetSkin() ? GetSkin()->GetSkinSize() : CSize();
}

BOOL SImageWnd::SetSkin(SSkinObjBase* skin, int frame) {
    SetAttribute(L"skin", skin ? skin->GetName() : std::wstring(), FALSE);
    frame_ = frame;
    Invalidate();
    return TRUE;
}

void SImageWnd::OnPaint(IRenderTarget* rt) {
    if (SSkinObjBase* skin = GetSkin()) skin->DrawByState(rt, GetWindowRect(), frame_);
}

}  // namespace SOUI
