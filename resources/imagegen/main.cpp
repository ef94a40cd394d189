// Draws the program's pictures. Usage: pell_imagegen <folder> <NAME>...
// Writes <folder>/<NAME>.png for every name given; the names must be exactly
// the pictures it knows, so the build's list and this catalogue stay alike.
#include <QImage>
#include <QString>

#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "CategoryIcons.h"
#include "ControlImages.h"

namespace {

using Painter = std::function<QImage()>;

std::map<std::string, Painter> Catalogue() {
    using namespace imagegen;
    std::map<std::string, Painter> pictures = {
        {"ID_PNG_MAIN_HEADER", MainHeader},
        {"ID_PNG_MAIN_LOGO", MainLogo},
        {"ID_PNG_QUERY_BANNER", QueryBanner},
        {"ID_PNG_QUERY_INPUT", QueryInput},
        {"ID_PNG_NETWORK_ERROR", NetworkError},
        {"ID_PNG_OS_BOX", OsBox},
        {"ID_PNG_PROGRESS_BG", ProgressBackground},
        {"ID_PNG_PROGRESS_FT", ProgressForeground},
        {"ID_PNG_ITEM_DOWNLOADING", ItemDownloading},
        {"ID_PNG_ITEM_PAUSED", ItemPaused},
        {"ID_PNG_POPWND_TITLE", PopupTitle},
        {"ID_PNG_POPWND_EDIT", PopupEdit},
        {"ID_PNG_POPWND_EDIT_SMALL", PopupEditSmall},
        {"ID_PNG_MSGBOX_TITLE", MessageBoxTitle},
        {"ID_PNG_AGREEMENT_TITLE", AgreementTitle},
        {"ID_PNG_BUSY", Busy},
        {"ID_PNG_BTN_CLOSE", ButtonClose},
        {"ID_PNG_BTN_MIN", ButtonMinimise},
        {"ID_PNG_BTN_QUERY", ButtonQuery},
        {"ID_PNG_BTN_HELP", ButtonHelpCard},
        {"ID_PNG_BTN_SET", ButtonSettingsCard},
        {"ID_PNG_BTN_PACK", ButtonPackCard},
        {"ID_PNG_BTN_OS_DROPDOWN", ButtonOsDropdown},
        {"ID_PNG_BTN_LIST_DOWNLOAD", ButtonListDownload},
        {"ID_PNG_BTN_LIST_NORMAL", ButtonListNormal},
        {"ID_PNG_BTN_LIST_BACK", ButtonListBack},
        {"ID_PNG_BTN_BACK_HOME", ButtonBackHome},
        {"ID_PNG_BTN_ITEM_DOWNLOAD", ButtonItemDownload},
        {"ID_PNG_BTN_ITEM_PAUSE", ButtonItemPause},
        {"ID_PNG_BTN_ITEM_RESUME", ButtonItemResume},
        {"ID_PNG_BTN_ITEM_CANCEL", ButtonItemCancel},
        {"ID_PNG_BTN_ITEM_OPEN", ButtonItemOpen},
        {"ID_PNG_BTN_ITEM_RETRY", ButtonItemRetry},
        {"ID_PNG_BTN_POPWND_CLOSE", ButtonPopupClose},
        {"ID_PNG_BTN_POPWND_CHOOSE", ButtonPopupChoose},
        {"ID_PNG_BTN_POPWND_OK", ButtonPopupOk},
        {"ID_PNG_BTN_POPWND_CANCEL", ButtonPopupCancel},
        {"ID_PNG_BTN_MSGBOX", ButtonMessageBox},
        {"ID_PNG_CHECKBOX", CheckBox},
        {"ID_PNG_CHECKBOX_ITEM", CheckBoxItem},
        {"ID_PNG_SHADOW", Shadow},
        {"ID_PNG_SYS_SCROLLBAR", SystemScrollBar},
        {"ID_PNG_SYS_VSCROLLBAR", SlimScrollBar},
        {"LOGO32", [] { return Logo(32); }},
        {"LOGO16", [] { return Logo(16); }},
    };
    for (std::size_t i = 0; i < CategoryIcons().size(); ++i) {
        pictures["ID_PNG_DRIVER_ICON_" + std::to_string(CategoryIcons()[i].number)] = [i] {
            return DrawCategoryIcon(i);
        };
    }
    return pictures;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <folder> <NAME>...\n", argv[0]);
        return 2;
    }
    const std::map<std::string, Painter> catalogue = Catalogue();
    std::set<std::string> wanted(argv + 2, argv + argc);
    for (const auto& [name, paint] : catalogue) {
        if (wanted.erase(name) == 0) {
            std::fprintf(stderr, "picture %s is drawn but not asked for\n", name.c_str());
            return 1;
        }
    }
    if (!wanted.empty()) {
        std::fprintf(stderr, "no picture named %s\n", wanted.begin()->c_str());
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (const auto& [name, paint] : catalogue) {
        const QString path =
            folder + QLatin1Char('/') + QString::fromStdString(name) + QStringLiteral(".png");
        const QImage image = paint().convertToFormat(QImage::Format_ARGB32);
        if (!image.save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
            return 1;
        }
    }
    return 0;
}
