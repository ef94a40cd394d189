#include "soui/SEvents.h"

#include <algorithm>

#include "soui/SWindow.h"

namespace SOUI {

EventArgs::EventArgs(SObject* pSender) : sender(pSender), idFrom(0) {
    if (auto* wnd = dynamic_cast<SWindow*>(pSender)) {
        idFrom = wnd->GetID();
        nameFrom = wnd->GetName();
    }
}

void SEventSet::addEvent(int id, LPCWSTR name) {
    if (find(id) == nullptr) events_.push_back({id, name ? name : L"", {}});
}

BOOL SEventSet::isEventPresent(int id) const {
    return find(id) != nullptr ? TRUE : FALSE;
}

BOOL SEventSet::subscribeEvent(int id, const Subscriber& subscriber) {
    Event* evt = find(id);
    if (evt == nullptr) return FALSE;
    if (std::find(evt->subscribers.begin(), evt->subscribers.end(), subscriber) == evt->subscribers.end()) {
        evt->subscribers.push_back(subscriber);
    }
    return TRUE;
}

BOOL SEventSet::unsubscribeEvent(int id, const Subscriber& subscriber) {
    Event* evt = find(id);
    if (evt == nullptr) return FALSE;
    const auto before = evt->subscribers.size();
    std::erase(evt->subscribers, subscriber);
    return evt->subscribers.size() != before ? TRUE : FALSE;
}

std::size_t SEventSet::subscriberCount(int id) const {
    const Event* evt = find(id);
    return evt ? evt->subscribers.size() : 0;
}

void SEventSet::FireEvent(EventArgs& evt) {
    if (muted_) return;
    const Event* e = find(evt.GetID());
    if (e == nullptr) return;
    // A handler may subscribe or unsubscribe while it runs.
    const std::vector<Subscriber> subscribers = e->subscribers;
    for (const auto& s : subscribers) {
        if (s(&evt)) ++evt.handled;
    }
}

SEventSet::Event* SEventSet::find(int id) {
    for (auto& e : events_) {
        if (e.id == id) return &e;
    }
    return nullptr;
}

const SEventSet::Event* SEventSet::find(int id) const {
    return const_cast<SEventSet*>(this)->find(id);
}

}  // namespace SOUI
