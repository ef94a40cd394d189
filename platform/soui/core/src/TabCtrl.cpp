#include "AttrParse.h"
#include "soui/SControls.h"

namespace SOUI {

HRESULT STabPage::SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) {
    if (name == L"title") {
        title_ = value;
        return AfterAttribute(name, value, loading, S_FALSE);
    }
    return SWindow::SetAttribute(name, value, loading);
}

HRESULT STabCtrl::SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) {
    if (name == L"curSel") {
        if (loading)
            curSel_ = detail::ToInt(value);
        else
            SetCurSel(detail::ToInt(value));
        return AfterAttribute(name, value, loading, S_FALSE);
    }
    return SWindow::SetAttribute(name, value, loading);
}

BOOL STabCtrl::CreateChildren(SXmlNode node) {
    const BOOL created = SWindow::CreateChildren(node);
    if (curSel_ < 0 || curSel_ >= GetItemCount()) curSel_ = 0;
    for (int i = 0; i < GetItemCount(); ++i) GetItem(i)->SetVisible(i == curSel_ ? TRUE : FALSE);
    return created;
}

int STabCtrl::GetItemCount() const {
    int count = 0;
    for (UINT i = 0; i < GetChildrenCount(); ++i) {
        if (dynamic_cast<STabPage*>(GetChild(i))) ++count;
    }
    return count;
}

STabPage* STabCtrl::GetItem(int index) const {
    for (UINT i = 0; i < GetChildrenCount(); ++i) {
        auto* page = dynamic_cast<STabPage*>(GetChild(i));
        if (page && index-- == 0) return page;
    }
    return nullptr;
}

BOOL STabCtrl::SetCurSel(int index) {
    STabPage* next = GetItem(index);
    if (next == nullptr) return FALSE;
    if (index == curSel_ && next->IsVisible(FALSE)) return TRUE;
    if (STabPage* current = GetItem(curSel_); current && current != next) current->SetVisible(FALSE, TRUE);
    curSel_ = index;
    next->SetVisible(TRUE, TRUE);
    Invalidate();
    return TRUE;
}

}  // namespace SOUI
