#include "soui/SFileDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

#include "FileDialogHook.h"
#include "NativeImpl.h"
#include "QtApp.h"

namespace SOUI {

namespace {

QString ToQt(const std::wstring& text) {
    return QString::fromStdWString(text);
}

// Dialogs are modal over their owner, or else over the window the user
// works in.
QWidget* OwnerWidget(HWND owner) {
    if (SNativeWnd* wnd = SNativeWnd::FromHandle(owner)) {
        if (QWidget* widget = NativeAccess::Widget(wnd)) return widget;
    }
    return QApplication::activeWindow();
}

QString FilterText(const FileDialogFilter& filter) {
    QString patterns = ToQt(filter.pattern);
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    return ToQt(filter.name) + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

// In the folder-picker mode OK on a name that is an existing folder chooses
// that folder instead of entering it.
class ProgramFileDialog : public QFileDialog {
public:
    ProgramFileDialog(QWidget* parent, bool folderPicker) : QFileDialog(parent), folderPicker_(folderPicker) {
        if (!folderPicker) return;
        connect(this, &QFileDialog::currentChanged, this, [this](const QString& path) {
            if (QLineEdit* box = NameBox()) box->setText(ToQt(FolderPickerBoxText(path.toStdWString())));
        });
    }

    const QString& ChosenFolder() const { return chosenFolder_; }

    void accept() override {
        if (!folderPicker_) {
            QFileDialog::accept();
            return;
        }
        const QLineEdit* box = NameBox();
        const QString text = box != nullptr ? box->text().trimmed() : QString();
        if (!text.isEmpty()) {
            const QFileInfo info(directory(), text);
            if (info.isDir()) {
                chosenFolder_ = QDir::cleanPath(info.absoluteFilePath());
                done(QDialog::Accepted);
                return;
            }
        }
        QFileDialog::accept();
    }

private:
    QLineEdit* NameBox() const { return findChild<QLineEdit*>(QStringLiteral("fileNameEdit")); }

    bool folderPicker_;
    QString chosenFolder_;
};

void Propose(QFileDialog& dialog, const std::wstring& proposedFile) {
    if (proposedFile.empty()) return;
    const QFileInfo proposed(ToQt(proposedFile));
    dialog.setDirectory(proposed.absolutePath());
    dialog.selectFile(proposed.fileName());
}

}  // namespace

FileDialogChoice RunFileDialog(const FileDialogParams& params) {
    FileDialogChoice choice;
    detail::EnsureQtApplication();
    ProgramFileDialog dialog(OwnerWidget(params.owner), params.open && params.folderPicker);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(params.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(params.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !params.overwritePrompt);
    QString extension = ToQt(params.defaultExtension);
    if (extension.startsWith(QLatin1Char('.'))) extension.remove(0, 1);
    dialog.setDefaultSuffix(extension);
    QStringList filters;
    for (const FileDialogFilter& filter : params.filters) filters << FilterText(filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    Propose(dialog, params.proposedFile);

    const auto kind = params.open ? detail::DialogKind::kOpen : detail::DialogKind::kSave;
    if (detail::ExecFileDialog(dialog, kind) != QDialog::Accepted) return choice;

    QString path = dialog.ChosenFolder();
    if (path.isEmpty()) {
        const QStringList files = dialog.selectedFiles();
        if (files.isEmpty()) return choice;
        path = files.first();
    }
    choice.accepted = true;
    choice.path = QDir::toNativeSeparators(path).toStdWString();
    choice.fileTitle = QFileInfo(path).fileName().toStdWString();
    return choice;
}

std::wstring BrowseForFolder(const FolderBrowserParams& params) {
    detail::EnsureQtApplication();
    QFileDialog dialog(OwnerWidget(params.owner), ToQt(params.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    const QFileInfo initial(ToQt(params.initialSelection));
    if (!params.initialSelection.empty() && initial.isDir()) {
        // The folder is selected in its parent, as the user last left it.
        dialog.setDirectory(initial.absolutePath());
        dialog.selectFile(initial.fileName());
    }
    if (detail::ExecFileDialog(dialog, detail::DialogKind::kFolderBrowser) != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || !QFileInfo(chosen.first()).isDir()) return {};
    return QDir::toNativeSeparators(QDir::cleanPath(chosen.first())).toStdWString();
}

}  // namespace SOUI
