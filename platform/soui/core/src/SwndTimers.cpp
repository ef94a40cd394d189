#include "SwndTimers.h"

#include <QTimer>

#include <map>
#include <memory>

#include "LoopInternals.h"
#include "QtApp.h"
#include "soui/SWindow.h"

namespace SOUI {

namespace {

using TimerMap = std::map<UINT_PTR, QTimer*>;

std::map<SWindow*, TimerMap>& Timers() {
    static std::map<SWindow*, TimerMap> timers;
    return timers;
}

}  // namespace

BOOL SWindow::SetTimer2(UINT_PTR id, UINT elapse) {
    detail::EnsureQtApplication();
    QTimer*& timer = Timers()[this][id];
    if (timer == nullptr) {
        timer = new QTimer();
        QObject::connect(timer, &QTimer::timeout, [this, id] {
            detail::DeliveryScope scope;
            LRESULT result = 0;
            ProcessSwndMessage(UM_SWNDTIMER, id, 0, result);
        });
    }
    timer->start(static_cast<int>(elapse));
    return TRUE;
}

void SWindow::KillTimer2(UINT_PTR id) {
    const auto wnd = Timers().find(this);
    if (wnd == Timers().end()) return;
    const auto it = wnd->second.find(id);
    if (it == wnd->second.end()) return;
    // The timer may be the one delivering right now.
    it->second->stop();
    detail::SafeDelete(it->second);
    wnd->second.erase(it);
    if (wnd->second.empty()) Timers().erase(wnd);
}

namespace detail {

void KillAllTimers2(SWindow* wnd) {
    const auto it = Timers().find(wnd);
    if (it == Timers().end()) return;
    for (auto& [id, timer] : it->second) {
        timer->stop();
        SafeDelete(timer);
    }
    Timers().erase(it);
}

}  // namespace detail

}  // namespace SOUI
