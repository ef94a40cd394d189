#pragma once
// Runs a file dialog modally, or lets a test answer it.
class QFileDialog;

namespace SOUI::detail {

enum class DialogKind { kOpen, kSave, kFolderBrowser };

struct IFileDialogHook {
    virtual ~IFileDialogHook() = default;
    // The dialog shows and has listed its folder; the hook answers it.
    virtual void OnDialogShown(QFileDialog& dialog, DialogKind kind) = 0;
};

void SetFileDialogHook(IFileDialogHook* hook);

// QDialog::Accepted or Rejected.
int ExecFileDialog(QFileDialog& dialog, DialogKind kind);

}  // namespace SOUI::detail
