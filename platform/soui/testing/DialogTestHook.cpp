#include "soui/SDialogTestHook.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>

#include <deque>
#include <mutex>

#include "core/src/FileDialogHook.h"
#include "core/src/NativeImpl.h"

namespace SOUI::test {

namespace {

std::vector<std::wstring> VisibleTexts(const QFileDialog& dialog) {
    std::vector<std::wstring> texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->isVisibleTo(&dialog) && !label->text().isEmpty())
            texts.push_back(label->text().toStdWString());
    }
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        if (button->isVisibleTo(&dialog) && !button->text().isEmpty())
            texts.push_back(button->text().toStdWString());
    }
    return texts;
}

}  // namespace

struct DialogAnswerer::State : detail::IFileDialogHook {
    void OnDialogShown(QFileDialog& dialog, detail::DialogKind kind) override {
        ShownDialog shown;
        shown.title = dialog.windowTitle().toStdWString();
        shown.folder = dialog.directory().absolutePath().toStdWString();
        QLineEdit* box = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (box != nullptr) shown.nameBox = box->text().toStdWString();
        shown.texts = VisibleTexts(dialog);
        shown.folderBrowser = kind == detail::DialogKind::kFolderBrowser;
        shown.saveDialog = kind == detail::DialogKind::kSave;
        if (auto* owner = dynamic_cast<detail::NativeWidget*>(dialog.parentWidget()))
            shown.owner = owner->Handle();

        DialogAnswer answer{false, {}};
        {
            std::lock_guard lock(mutex);
            this->shown.push_back(shown);
            if (!answers.empty()) {
                answer = answers.front();
                answers.pop_front();
            }
        }
        if (!answer.typed.empty() && box != nullptr) box->setText(QString::fromStdWString(answer.typed));
        // Through QDialog, where accept is public and reaches the dialog's own.
        if (answer.accept) static_cast<QDialog&>(dialog).accept();
        // An answer the dialog refused (it stays open) counts as a cancel, so the
        // test goes on.
        if (dialog.isVisible()) dialog.reject();
    }

    mutable std::mutex mutex;
    std::deque<DialogAnswer> answers;
    std::vector<ShownDialog> shown;
};

DialogAnswerer::DialogAnswerer() : state_(std::make_shared<State>()) {
    detail::SetFileDialogHook(state_.get());
}

DialogAnswerer::~DialogAnswerer() {
    detail::SetFileDialogHook(nullptr);
}

void DialogAnswerer::Queue(DialogAnswer answer) {
    std::lock_guard lock(state_->mutex);
    state_->answers.push_back(std::move(answer));
}

std::vector<ShownDialog> DialogAnswerer::Shown() const {
    std::lock_guard lock(state_->mutex);
    return state_->shown;
}

}  // namespace SOUI::test
