#pragma once
// The message queue of the window thread over Qt's event loop.
#include <QEventLoop>

#include "soui/Win32Defs.h"

class QObject;

namespace SOUI::detail {

// Creates the Qt application and the queue's receiver on the window thread.
void InitMessageQueue();
// Thread-safe; false before InitMessageQueue.
bool PostToQueue(const MSG& msg);
// From another thread: runs the message's procedure on the window thread and
// waits for its result; 0 before InitMessageQueue or for a message dropped
// unrun.
LRESULT SendToWindowThread(const MSG& msg);
// True on the thread that runs the windows.
bool OnWindowThread();

// One running loop: Run or a modal dialog.
struct LoopFrame {
    QEventLoop loop;
    bool quit = false;  // ended by WM_QUIT
    int code = 0;
};
// Runs until WM_QUIT or ExitLoopFrame; a WM_QUIT that came while no loop
// ran ends it at once.
void RunLoopFrame(LoopFrame& frame);
void ExitLoopFrame(LoopFrame& frame, int code);

// Counts nested deliveries of native events, so that objects are not
// deleted under the code that is still using them.
class DeliveryScope {
public:
    DeliveryScope();
    ~DeliveryScope();
    DeliveryScope(const DeliveryScope&) = delete;
    DeliveryScope& operator=(const DeliveryScope&) = delete;
};
// Deletes now, or once the current delivery has ended.
void SafeDelete(QObject* obj);

}  // namespace SOUI::detail
