#include "QtApp.h"

#include <QApplication>

#include <memory>

namespace SOUI::detail {

void EnsureQtApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "soui";
  static char* argv[] = {name, nullptr};
  // Built after Qt's own statics, so it goes before them at exit.
  static std::unique_ptr<QApplication> app = std::make_unique<QApplication>(argc, argv);
  app->setQuitOnLastWindowClosed(false);
}

}  // namespace SOUI::detail
