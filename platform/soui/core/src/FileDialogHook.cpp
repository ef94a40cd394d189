#include "FileDialogHook.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QTimer>

#include <memory>

namespace SOUI::detail {

namespace {

IFileDialogHook*& Hook() {
    static IFileDialogHook* hook = nullptr;
    return hook;
}

}  // namespace

void SetFileDialogHook(IFileDialogHook* hook) {
    Hook() = hook;
}

int ExecFileDialog(QFileDialog& dialog, DialogKind kind) {
    if (IFileDialogHook* hook = Hook()) {
        // The dialog lists its folder on a thread of its own and then selects
        // the proposed name; the answer waits for that, as a person would.
        auto answered = std::make_shared<bool>(false);
        auto answer = [&dialog, kind, hook, answered] {
            if (*answered) return;
            *answered = true;
            hook->OnDialogShown(dialog, kind);
        };
        if (auto* model = dialog.findChild<QFileSystemModel*>()) {
            QObject::connect(model, &QFileSystemModel::directoryLoaded, &dialog,
                             [answer] { QTimer::singleShot(0, answer); });
        }
        QTimer::singleShot(1000, &dialog, answer);
    }
    return dialog.exec();
}

}  // namespace SOUI::detail
