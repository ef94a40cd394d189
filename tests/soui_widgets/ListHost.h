#pragma once
// The widget test layout in a host window, and an adapter that counts what
// the list asks of it.
#include <map>
#include <string>
#include <vector>

#include "soui/SHostWnd.h"
#include "soui/SListView.h"

namespace souitest {

class ListHost : public SOUI::SHostWnd {
public:
    ListHost() : SOUI::SHostWnd(L"LAYOUT:TEST_LIST") {}
    SOUI::BOOL _HandleEvent(SOUI::EventArgs* evt) override {
        if (evt->GetID() == SOUI::EVT_CMD) commands.push_back(evt->nameFrom);
        return SOUI::SHostWnd::_HandleEvent(evt);
    }
    bool Open() {
        if (!Create(nullptr)) return false;
        ShowWindow(SOUI::SW_SHOWNORMAL);
        return true;
    }
    SOUI::SListView* List() { return FindChildByName2<SOUI::SListView>(L"lv"); }
    // The areas the window was asked to paint again.
    void OnRedraw(const SOUI::CRect& rc) override {
        redraws.push_back(rc);
        SOUI::SHostWnd::OnRedraw(rc);
    }

    std::vector<std::wstring> commands;
    std::vector<SOUI::CRect> redraws;
};

class CountingAdapter : public SOUI::SAdapterBase {
public:
    explicit CountingAdapter(int count, bool* gone = nullptr) : gone_(gone), count_(count) {}
    ~CountingAdapter() override {
        if (gone_) *gone_ = true;
    }
    int getCount() override { return count_; }
    void getView(int position, SOUI::SItemPanel* item, SOUI::SXmlNode xmlTemplate) override {
        views.push_back(position);
        if (item->GetChildrenCount() == 0) {
            ++built;
            item->InitFromXml(xmlTemplate);
        }
        if (SOUI::SWindow* text = item->FindChildByName(L"item_text")) {
            const auto own = texts.find(position);
            text->SetWindowTextW(own != texts.end() ? own->second.c_str()
                                                    : (label + std::to_wstring(position)).c_str());
        }
        if (SOUI::SWindow* button = item->FindChildByName(L"item_btn")) {
            button->GetEventSet()->subscribeEvent(SOUI::EVT_CMD, &CountingAdapter::OnButton, this);
        }
    }
    bool OnButton(SOUI::EventArgs* evt) {
        auto* sender = dynamic_cast<SOUI::SWindow*>(evt->sender);
        auto* panel = sender ? dynamic_cast<SOUI::SItemPanel*>(sender->GetRoot()) : nullptr;
        if (panel) ++clicks[panel->GetItemIndex()];
        return true;
    }
    void SetCount(int count) { count_ = count; }

    std::wstring label = L"item ";
    std::map<int, std::wstring> texts;  // in place of the label and position
    std::vector<int> views;
    std::map<int, int> clicks;
    int built = 0;  // item windows this adapter built from the template

private:
    bool* gone_;
    int count_;
};

}  // namespace souitest
