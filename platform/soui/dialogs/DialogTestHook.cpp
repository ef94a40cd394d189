#include "soui/SDialogTestHook.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTimer>

#include <deque>
#include <mutex>

#include "DialogHook.h"

namespace SOUI::test {

struct DialogAnswerer::State {
  mutable std::mutex mutex;
  std::deque<DialogAnswer> answers;
  std::vector<ShownDialog> shown;
};

namespace {

// The answerer that is alive, if any; dialogs run on the window thread only,
// but tests may queue from elsewhere.
std::mutex gActiveMutex;
std::weak_ptr<DialogAnswerer::State> gActive;

std::shared_ptr<DialogAnswerer::State> Active() {
  std::lock_guard lock(gActiveMutex);
  return gActive.lock();
}

QLineEdit* NameBox(QFileDialog& dialog) { return dialog.findChild<QLineEdit*>("fileNameEdit"); }

void Answer(QFileDialog& dialog, detail::DialogKind kind, DialogAnswerer::State& state) {
  ShownDialog shown;
  shown.title = dialog.windowTitle().toStdWString();
  shown.folder = dialog.directory().absolutePath().toStdWString();
  QLineEdit* box = NameBox(dialog);
  if (box != nullptr) shown.nameBox = box->text().toStdWString();
  shown.folderBrowser = kind == detail::DialogKind::kFolderBrowser;
  shown.saveDialog = kind == detail::DialogKind::kSave;

  DialogAnswer answer{false, {}};
  {
    std::lock_guard lock(state.mutex);
    state.shown.push_back(shown);
    if (!state.answers.empty()) {
      answer = state.answers.front();
      state.answers.pop_front();
    }
  }
  if (!answer.typed.empty() && box != nullptr) box->setText(QString::fromStdWString(answer.typed));
  // Through QDialog, where accept is public and reaches the dialog's own.
  if (answer.accept) static_cast<QDialog&>(dialog).accept();
  // An answer the dialog refused (it stays open) counts as a cancel, so the
  // test goes on.
  if (dialog.isVisible()) dialog.reject();
}

}  // namespace

DialogAnswerer::DialogAnswerer() : state_(std::make_shared<State>()) {
  std::lock_guard lock(gActiveMutex);
  gActive = state_;
}

DialogAnswerer::~DialogAnswerer() {
  std::lock_guard lock(gActiveMutex);
  gActive.reset();
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

namespace SOUI::detail {

int ExecFileDialog(QFileDialog& dialog, DialogKind kind) {
  if (auto state = test::Active()) {
    // The dialog lists its folder on a thread of its own and then selects
    // the proposed name; the answer waits for that, as a person would.
    auto answered = std::make_shared<bool>(false);
    auto answer = [&dialog, kind, state, answered] {
      if (*answered) return;
      *answered = true;
      test::Answer(dialog, kind, *state);
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
