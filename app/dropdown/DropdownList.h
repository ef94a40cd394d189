#pragma once
// The popups of the search drop-downs: a drop-down window whose content is
// one list view. While the popup shows, the list keys and the wheel go to it
// wherever the keyboard is; typing stays in the box that opened it.
#include "soui/SDropDownWnd.h"
#include "soui/SListView.h"
#include "soui/SXml.h"

// What a search drop-down asks of its popup.
struct IDropdownList {
    virtual ~IDropdownList() = default;
    // Creates the hidden popup window and builds its content from the node.
    virtual SOUI::BOOL CreateDropDownWindow(SOUI::SXmlNode node) = 0;
    // The owning control's width and the height of every entry.
    virtual SOUI::CSize CalcDropDownSize() = 0;
};

// The same for the query box's popup.
struct IDropdownList_1 {
    virtual ~IDropdownList_1() = default;
    virtual SOUI::BOOL CreateDropDownWindow(SOUI::SXmlNode node) = 0;
    virtual SOUI::CSize CalcDropDownSize() = 0;
};

// Both popups; they differ only in the name of their list view.
template <class Interface>
class TDropdownList : public SOUI::SDropDownWnd, public Interface {
public:
    SOUI::BOOL CreateDropDownWindow(SOUI::SXmlNode node) override;
    SOUI::CSize CalcDropDownSize() override;
    // The list's selection, -1 when none (or no list).
    int GetSelectedIndex() const;
    SOUI::SListView* GetListView() const { return listView_; }

    SOUI::BOOL PreTranslateMessage(SOUI::MSG* msg) override;

protected:
    TDropdownList(SOUI::ISDropDownOwner* owner, const wchar_t* listName);

private:
    const wchar_t* listName_;
    SOUI::SListView* listView_ = nullptr;
};

class SDropdownList : public TDropdownList<IDropdownList> {
public:
    static constexpr const wchar_t* kListName = L"lv_dropdown";
    explicit SDropdownList(SOUI::ISDropDownOwner* owner) : TDropdownList(owner, kListName) {}
};

class SDropdownList_1 : public TDropdownList<IDropdownList_1> {
public:
    static constexpr const wchar_t* kListName = L"lv_dropdown_1";
    explicit SDropdownList_1(SOUI::ISDropDownOwner* owner) : TDropdownList(owner, kListName) {}
};
