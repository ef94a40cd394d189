#pragma once
// Control events: an event goes to the sender's subscribers, then (while its
// bubble-up flag stays set) to the sender's owner or its host's event map.
#include <memory>
#include <string>
#include <vector>

#include "soui/SObject.h"

namespace SOUI {

enum SEventId {
    EVT_STATECHANGED = 8106,
    EVT_CMD = 10000,
};

class EventArgs : public SObject {
    SOUI_CLASS_NAME(SObject, L"eventargs")

public:
    explicit EventArgs(SObject* pSender);

    virtual int GetID() const = 0;
    virtual LPCWSTR GetName() const = 0;

    SObject* sender;
    int idFrom;
    std::wstring nameFrom;
    int handled = 0;       // number of handlers that took it
    BOOL bubbleUp = TRUE;  // cleared by a handler to stop the route
};

// Events of one kind: T supplies EventID and its class name.
template <class T>
class TplEventArgs : public EventArgs {
public:
    using EventArgs::EventArgs;
    int GetID() const override { return T::EventID; }
    LPCWSTR GetName() const override { return T::GetClassName(); }
};

class EventCmd : public TplEventArgs<EventCmd> {
    SOUI_CLASS_NAME(TplEventArgs<EventCmd>, L"on_command")

public:
    enum { EventID = EVT_CMD };
    using TplEventArgs::TplEventArgs;
};

class EventSwndStateChanged : public TplEventArgs<EventSwndStateChanged> {
    SOUI_CLASS_NAME(TplEventArgs<EventSwndStateChanged>, L"on_state_changed")

public:
    enum { EventID = EVT_STATECHANGED };
    using TplEventArgs::TplEventArgs;
    DWORD dwOldState = 0;
    DWORD dwNewState = 0;
    BOOL CheckState(DWORD bit) const { return ((dwOldState & bit) != (dwNewState & bit)) ? TRUE : FALSE; }
};

// A handler of events. Two subscribers are equal when they name the same
// member function of the same object (or the same free function).
class Subscriber {
public:
    template <class T, class A>
    Subscriber(bool (T::*fn)(A*), T* obj) : slot_(std::make_shared<MemberSlot<T, A>>(fn, obj)) {}
    template <class A>
    Subscriber(bool (*fn)(A*)) : slot_(std::make_shared<FreeSlot<A>>(fn)) {}  // NOLINT

    bool operator()(EventArgs* evt) const { return slot_->Call(evt); }
    bool operator==(const Subscriber& o) const { return slot_->Equals(*o.slot_); }

private:
    struct Slot {
        virtual ~Slot() = default;
        virtual bool Call(EventArgs* evt) = 0;
        virtual bool Equals(const Slot& o) const = 0;
    };
    template <class T, class A>
    struct MemberSlot : Slot {
        MemberSlot(bool (T::*f)(A*), T* o) : fn(f), obj(o) {}
        bool Call(EventArgs* evt) override { return (obj->*fn)(static_cast<A*>(evt)); }
        bool Equals(const Slot& o) const override {
            auto* other = dynamic_cast<const MemberSlot*>(&o);
            return other && other->fn == fn && other->obj == obj;
        }
        bool (T::*fn)(A*);
        T* obj;
    };
    template <class A>
    struct FreeSlot : Slot {
        explicit FreeSlot(bool (*f)(A*)) : fn(f) {}
        bool Call(EventArgs* evt) override { return fn(static_cast<A*>(evt)); }
        bool Equals(const Slot& o) const override {
            auto* other = dynamic_cast<const FreeSlot*>(&o);
            return other && other->fn == fn;
        }
        bool (*fn)(A*);
    };
    std::shared_ptr<Slot> slot_;
};

// The events a control raises and their subscribers.
class SEventSet {
public:
    void addEvent(int id, LPCWSTR name);
    BOOL isEventPresent(int id) const;
    // FALSE when the set has no such event; an equal subscriber is kept once.
    BOOL subscribeEvent(int id, const Subscriber& subscriber);
    template <class T, class A>
    BOOL subscribeEvent(int id, bool (T::*fn)(A*), T* obj) {
        return subscribeEvent(id, Subscriber(fn, obj));
    }
    BOOL unsubscribeEvent(int id, const Subscriber& subscriber);
    std::size_t subscriberCount(int id) const;
    // Calls the subscribers in order; each that returns true counts as a handler.
    void FireEvent(EventArgs& evt);
    void setMutedState(BOOL muted) { muted_ = muted; }
    BOOL isMuted() const { return muted_; }

private:
    struct Event {
        int id;
        std::wstring name;
        std::vector<Subscriber> subscribers;
    };
    Event* find(int id);
    const Event* find(int id) const;
    std::vector<Event> events_;
    BOOL muted_ = FALSE;
};

}  // namespace SOUI
