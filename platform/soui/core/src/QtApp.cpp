#include "QtApp.h"

#include <QApplication>

namespace SOUI::detail {

void EnsureQtApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "soui";
  static char* argv[] = {name, nullptr};
  // Lives until the process ends: Qt objects made later (input devices,
  // fonts) register with statics that are gone before a static application
  // could be destroyed at exit.
  static QApplication* app = new QApplication(argc, argv);
  app->setQuitOnLastWindowClosed(false);
}

}  // namespace SOUI::detail

// Fontconfig, which Qt's font database loads, keeps parts of its parsed
// configuration unreachable for good; leak checks of sanitizer builds skip
// what it allocated.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

// Qt's raster engine spreads large fills and blits over a thread pool that
// synchronises in uninstrumented code; thread checks of sanitizer builds
// skip races found inside Qt's own allocations.
extern "C" __attribute__((visibility("default"), used)) const char* __tsan_default_suppressions() {
  return "race:libQt6Core.so\nrace:libQt6Gui.so\n";
}
