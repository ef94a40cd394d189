#pragma once
// Runs a dialog modally, or hands it to the test answerer when one lives.
class QFileDialog;

namespace SOUI::detail {

enum class DialogKind { kOpen, kSave, kFolderBrowser };

// QDialog::Accepted or Rejected.
int ExecFileDialog(QFileDialog& dialog, DialogKind kind);

}  // namespace SOUI::detail
