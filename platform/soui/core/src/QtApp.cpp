#include "QtApp.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace SOUI::detail {

namespace {

// Qt's own dialogs (file and folder choosers) in the user's language; with no
// translation for it they stay in English.
void InstallQtTranslation(QApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

}  // namespace

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
    InstallQtTranslation(*app);
}

}  // namespace SOUI::detail
