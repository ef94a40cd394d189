#pragma once
// The event maps of the program's windows: rows tested in order; the first
// that matches clears the event's bubble-up flag and runs its handler.
// Commands (10000) match by the sender's name, exactly and case-sensitively;
// the drop-downs' own events by their code and the sender's id.
#include <cstddef>

#include "soui/SEvents.h"

template <class Wnd>
struct EventRow {
    int code;
    const wchar_t* sender;  // commands: the control's name
    int senderId;           // other events: the control's id
    void (*run)(Wnd&, SOUI::EventArgs*);

    bool Matches(const SOUI::EventArgs* evt) const {
        if (evt->GetID() != code) return false;
        return code == SOUI::EVT_CMD ? evt->nameFrom == sender : evt->idFrom == senderId;
    }
};

template <class Wnd>
constexpr EventRow<Wnd> CommandRow(const wchar_t* sender, void (*run)(Wnd&, SOUI::EventArgs*)) {
    return {SOUI::EVT_CMD, sender, 0, run};
}

template <class Wnd>
constexpr EventRow<Wnd> CustomRow(int code, int senderId, void (*run)(Wnd&, SOUI::EventArgs*)) {
    return {code, nullptr, senderId, run};
}

// False when no row matched (the event goes to the framework's handling);
// else whether the event counts as handled: yes, unless the handler set the
// bubble-up flag again.
template <class Wnd, std::size_t N>
bool RunEventMap(Wnd& wnd, SOUI::EventArgs* evt, const EventRow<Wnd> (&rows)[N], SOUI::BOOL& handled) {
    for (const EventRow<Wnd>& row : rows) {
        if (!row.Matches(evt)) continue;
        evt->bubbleUp = SOUI::FALSE;
        row.run(wnd, evt);
        handled = evt->bubbleUp ? SOUI::FALSE : SOUI::TRUE;
        return true;
    }
    return false;
}
