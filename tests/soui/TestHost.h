#pragma once
// The test layout in a host window that records what reaches its event map.
#include <string>
#include <vector>

#include "soui/SHostWnd.h"

namespace souitest {

struct RecordedEvent {
    int code;
    int id;
    std::wstring name;
};

class TestHost : public SOUI::SHostWnd {
public:
    TestHost() : SOUI::SHostWnd(L"LAYOUT:TEST_MAIN") {}

    SOUI::BOOL _HandleEvent(SOUI::EventArgs* evt) override {
        if (evt->GetID() == SOUI::EVT_CMD) events.push_back({evt->GetID(), evt->idFrom, evt->nameFrom});
        return SOUI::SHostWnd::_HandleEvent(evt);
    }

    // Created and shown; false when the layout did not load.
    bool Open() {
        if (!Create(nullptr)) return false;
        ShowWindow(SOUI::SW_SHOWNORMAL);
        return true;
    }

    std::vector<RecordedEvent> events;
};

}  // namespace souitest
