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
