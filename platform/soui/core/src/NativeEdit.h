#pragma once
// The Qt line edit behind an SEdit.
#include <QLineEdit>
#include <QPointer>

#include "soui/SEdit.h"

namespace SOUI {

struct SEdit::Native : QObject {
    explicit Native(SEdit* edit) : owner(edit) {}
    // Follows the control's place and visibility on each repaint of the host.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void Sync();

    SEdit* owner;
    QPointer<QWidget> host;
    QPointer<QLineEdit> edit;
    // For telling the edit's events apart; unlike the pointer it may be
    // compared while the edit is being destroyed.
    const QObject* editObject = nullptr;
};

// Lets the test driver reach the native edit.
struct EditAccess {
    static QLineEdit* LineEdit(SEdit& edit) {
        SEdit::Native* native = edit.EnsureNative();
        return native ? native->edit.data() : nullptr;
    }
};

}  // namespace SOUI
