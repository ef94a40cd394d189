#include "AttrParse.h"
#include "soui/SApplication.h"
#include "soui/SControls.h"

namespace SOUI {

namespace {

SSkinObjBase* SysSkin(const wchar_t* name) {
    SApplication* app = SApplication::getSingletonPtr();
    return app ? app->GetSkin(name) : nullptr;
}

}  // namespace

SStatic::SStatic() {
    textAlign_ = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    // Text lets the mouse through to what lies below (a caption, a button).
    SetAttribute(L"msgTransparent", L"1", TRUE);
}

SButton::SButton() {
    textAlign_ = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (SSkinObjBase* skin = SysSkin(L"_skin.sys.btn.normal")) SetAttribute(L"skin", skin->GetName(), TRUE);
}

SLink::SLink() {
    // A link draws no button face.
    SetAttribute(L"skin", L"", TRUE);
    textAlign_ = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
}

void SLink::OnPaint(IRenderTarget* rt) {
    DrawBackground(rt, GetWindowRect());
    SFontDesc font = GetFont();
    if (GetState() & WndState_Hover) font.underline = true;
    if (!text_.empty()) rt->DrawText(text_, GetClientRect(), textAlign_, font, GetTextColor());
}

SCheckBox::SCheckBox() {
    textAlign_ = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    checkSkin_ = SysSkin(L"_skin.sys.checkbox");
}

HRESULT SCheckBox::SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) {
    if (name == L"skin") {
        SApplication* app = SApplication::getSingletonPtr();
        checkSkin_ = app ? app->GetSkin(value) : nullptr;
        return AfterAttribute(name, value, loading, S_OK);
    }
    return SWindow::SetAttribute(name, value, loading);
}

CSize SCheckBox::GetDesiredSize(int maxWidth, int maxHeight) {
    CSize size = SWindow::GetDesiredSize(maxWidth, maxHeight);
    if (checkSkin_) {
        const CSize box = checkSkin_->GetSkinSize();
        size.cx += box.cx + (text_.empty() ? 0 : 4);
        size.cy = std::max(size.cy, box.cy);
    }
    return size;
}

void SCheckBox::OnPaint(IRenderTarget* rt) {
    const CRect rc = GetClientRect();
    DrawBackground(rt, GetWindowRect());
    int textLeft = rc.left;
    if (checkSkin_) {
        const CSize box = checkSkin_->GetSkinSize();
        const int top = rc.top + (rc.Height() - box.cy) / 2;
        int state = IsDisabled(TRUE)                   ? 3
                    : (GetState() & WndState_PushDown) ? 2
                    : (GetState() & WndState_Hover)    ? 1
                                                       : 0;
        if (IsChecked()) state += 4;
        if (state >= checkSkin_->GetStates()) state = IsChecked() && checkSkin_->GetStates() > 1 ? 1 : 0;
        checkSkin_->DrawByState(rt, CRect(CPoint(rc.left, top), box), state);
        textLeft += box.cx + 4;
    }
    DrawTextContent(rt, CRect(textLeft, rc.top, rc.right, rc.bottom), text_);
}

void SCheckBox::OnClick() {
    SetCheck(IsChecked() ? FALSE : TRUE);
    SWindow::OnClick();
}

}  // namespace SOUI
