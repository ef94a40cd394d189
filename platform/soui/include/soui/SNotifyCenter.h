#pragma once
// Delivers events to registered listeners on the window thread; one instance
// lives from start-up to teardown.
#include <vector>

#include "soui/SEvents.h"

namespace SOUI {

class SNotifyCenter {
public:
    SNotifyCenter();
    ~SNotifyCenter();
    SNotifyCenter(const SNotifyCenter&) = delete;
    SNotifyCenter& operator=(const SNotifyCenter&) = delete;

    static SNotifyCenter* getSingletonPtr();

    void RegisterEventMap(const Subscriber& listener);
    void UnregisterEventMap(const Subscriber& listener);
    // Calls every listener now.
    void FireEventSync(EventArgs* evt);

private:
    std::vector<Subscriber> listeners_;
};

}  // namespace SOUI
