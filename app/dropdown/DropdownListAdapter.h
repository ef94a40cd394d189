#pragma once
// What both drop-down list adapters share: their own copies of the entries,
// in the order added, each shown as one line of text ("device_name_item").
#include <utility>
#include <vector>

#include "soui/SListView.h"
#include "soui/SString.h"

class CMainWnd;

template <class Item>
class TDropdownListAdapter : public SOUI::SMcAdapterBase {
public:
    // Copies the item to the end; always true.
    bool AddItem(Item item) {
        items.push_back(std::move(item));
        return true;
    }
    // A copy of the item at index; an empty item for an index outside them.
    Item GetItem(int index) const {
        if (index < 0 || index >= static_cast<int>(items.size())) return Item{};
        return items[static_cast<std::size_t>(index)];
    }

    int getCount() override { return static_cast<int>(items.size()); }
    // One column, "col_nick"; empty for any other.
    SOUI::SStringW GetColumnName(int column) const override {
        return column == 0 ? SOUI::SStringW(L"col_nick") : SOUI::SStringW();
    }

protected:
    explicit TDropdownListAdapter(CMainWnd* owner) : owner(owner) {}

    // Builds an empty item window from the template and shows the name of
    // the entry at position in it.
    void ShowName(int position, SOUI::SItemPanel* item, SOUI::SXmlNode xmlTemplate) {
        if (item->GetChildrenCount() == 0) item->InitFromXml(xmlTemplate);
        SOUI::SWindow* text = item->FindChildByName(L"device_name_item");
        if (text == nullptr || position < 0 || position >= getCount()) return;
        text->SetWindowTextW(items[static_cast<std::size_t>(position)].name);
    }

private:
    std::vector<Item> items;
    [[maybe_unused]] CMainWnd* owner;  // the window that made the adapter
};
