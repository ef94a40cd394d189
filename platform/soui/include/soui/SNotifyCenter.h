#pragma once
// Delivers events to registered listeners on the window thread; one instance
// lives from start-up to teardown.
#include <functional>
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
  // Runs fn on the window thread from its message loop; any thread may call.
  void RunOnUI(std::function<void()> fn);

 private:
  std::vector<Subscriber> listeners_;
};

}  // namespace SOUI
