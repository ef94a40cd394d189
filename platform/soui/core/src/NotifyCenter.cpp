#include <algorithm>

#include "LoopInternals.h"
#include "soui/SNotifyCenter.h"

namespace SOUI {

namespace {

SNotifyCenter* g_center = nullptr;

}  // namespace

SNotifyCenter::SNotifyCenter() {
    detail::InitMessageQueue();
    g_center = this;
}

SNotifyCenter::~SNotifyCenter() {
    if (g_center == this) g_center = nullptr;
}

SNotifyCenter* SNotifyCenter::getSingletonPtr() {
    return g_center;
}

void SNotifyCenter::RegisterEventMap(const Subscriber& listener) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void SNotifyCenter::UnregisterEventMap(const Subscriber& listener) {
    std::erase(listeners_, listener);
}

void SNotifyCenter::FireEventSync(EventArgs* evt) {
    const std::vector<Subscriber> listeners = listeners_;
    for (const auto& l : listeners) {
        if (l(evt)) ++evt->handled;
    }
}

}  // namespace SOUI
