#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

#include "LoopInternals.h"
#include "QtApp.h"
#include "soui/SMessageLoop.h"
#include "soui/SystemApi.h"

namespace SOUI {

namespace detail {

namespace {

const QEvent::Type kPostedMessage = static_cast<QEvent::Type>(QEvent::User + 0x50);
const QEvent::Type kSentMessage = static_cast<QEvent::Type>(QEvent::User + 0x51);

// Qt hands a posted event to the window thread in code that thread checks
// cannot see into; these marks show them the hand-over.
void MarkHandedOver([[maybe_unused]] QEvent* e) {
#if defined(__SANITIZE_THREAD__)
    __tsan_release(e);
#endif
}

void MarkTakenOver([[maybe_unused]] QEvent* e) {
#if defined(__SANITIZE_THREAD__)
    __tsan_acquire(e);
#endif
}

class PostedMessageEvent : public QEvent {
public:
    explicit PostedMessageEvent(const MSG& m) : QEvent(kPostedMessage), msg(m) {}
    MSG msg;
};

// The result of a message sent from another thread; the first one counts.
class SendReply {
public:
    void Finish(LRESULT value) {
        std::lock_guard held(lock_);
        if (done_) return;
        result_ = value;
        done_ = true;
        ready_.notify_one();
    }
    LRESULT Wait() {
        std::unique_lock held(lock_);
        ready_.wait(held, [this] { return done_; });
        return result_;
    }

private:
    std::mutex lock_;
    std::condition_variable ready_;
    bool done_ = false;
    LRESULT result_ = 0;
};

class SentMessageEvent : public QEvent {
public:
    SentMessageEvent(const MSG& m, std::shared_ptr<SendReply> r)
        : QEvent(kSentMessage), msg(m), reply(std::move(r)) {}
    // A message dropped unrun still frees its sender.
    ~SentMessageEvent() override { reply->Finish(0); }
    MSG msg;
    std::shared_ptr<SendReply> reply;
};

void HandleQuit(int code);

class QueueReceiver : public QObject {
protected:
    void customEvent(QEvent* e) override {
        MarkTakenOver(e);
        if (e->type() == kSentMessage) {
            const auto* sent = static_cast<SentMessageEvent*>(e);
            const MSG& msg = sent->msg;
            sent->reply->Finish(SOUI::SendMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam));
            return;
        }
        if (e->type() != kPostedMessage) return;
        MSG msg = static_cast<PostedMessageEvent*>(e)->msg;
        if (msg.message == WM_QUIT) {
            HandleQuit(static_cast<int>(msg.wParam));
            return;
        }
        SMessageLoop::GetCurrent()->DispatchMessage(msg);
    }
};

// Made once on the window thread; other threads only read it.
std::atomic<QueueReceiver*>& Receiver() {
    static std::atomic<QueueReceiver*> receiver{nullptr};
    return receiver;
}

std::vector<LoopFrame*>& Frames() {
    static std::vector<LoopFrame*> frames;
    return frames;
}

std::optional<int>& PendingQuit() {
    static std::optional<int> pending;
    return pending;
}

int& Deliveries() {
    static int depth = 0;
    return depth;
}

void HandleQuit(int code) {
    if (Frames().empty()) {
        PendingQuit() = code;
        return;
    }
    LoopFrame* top = Frames().back();
    top->quit = true;
    ExitLoopFrame(*top, code);
}

}  // namespace

void InitMessageQueue() {
    EnsureQtApplication();
    // Kept with the Qt application until the process ends.
    if (!Receiver().load()) Receiver().store(new QueueReceiver());
}

bool PostToQueue(const MSG& msg) {
    QObject* receiver = Receiver().load();
    if (receiver == nullptr) return false;
    auto* event = new PostedMessageEvent(msg);
    MarkHandedOver(event);
    QCoreApplication::postEvent(receiver, event);
    return true;
}

LRESULT SendToWindowThread(const MSG& msg) {
    QObject* receiver = Receiver().load();
    if (receiver == nullptr) return 0;
    auto reply = std::make_shared<SendReply>();
    auto* event = new SentMessageEvent(msg, reply);
    MarkHandedOver(event);
    QCoreApplication::postEvent(receiver, event);
    return reply->Wait();
}

bool OnWindowThread() {
    return QCoreApplication::instance() != nullptr &&
           QThread::currentThread() == QCoreApplication::instance()->thread();
}

void RunLoopFrame(LoopFrame& frame) {
    if (PendingQuit()) {
        frame.quit = true;
        frame.code = *PendingQuit();
        PendingQuit().reset();
        return;
    }
    Frames().push_back(&frame);
    frame.loop.exec();
    std::erase(Frames(), &frame);
}

void ExitLoopFrame(LoopFrame& frame, int code) {
    frame.code = code;
    frame.loop.exit(code);
}

DeliveryScope::DeliveryScope() {
    ++Deliveries();
}
DeliveryScope::~DeliveryScope() {
    --Deliveries();
}

void SafeDelete(QObject* obj) {
    if (obj == nullptr) return;
    if (Deliveries() > 0)
        obj->deleteLater();
    else
        delete obj;
}

}  // namespace detail

namespace {

std::vector<IMessageFilter*>& Filters() {
    static std::vector<IMessageFilter*> filters;
    return filters;
}

}  // namespace

SMessageLoop* SMessageLoop::GetCurrent() {
    static SMessageLoop loop;
    return &loop;
}

BOOL SMessageLoop::AddMessageFilter(IMessageFilter* filter) {
    if (filter == nullptr || std::find(Filters().begin(), Filters().end(), filter) != Filters().end()) {
        return FALSE;
    }
    Filters().push_back(filter);
    return TRUE;
}

BOOL SMessageLoop::RemoveMessageFilter(IMessageFilter* filter) {
    const auto before = Filters().size();
    std::erase(Filters(), filter);
    return Filters().size() != before ? TRUE : FALSE;
}

void SMessageLoop::DispatchMessage(MSG& msg) {
    detail::DeliveryScope scope;
    if (PreTranslateMessage(&msg)) return;
    if (msg.hwnd != nullptr) SOUI::SendMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

BOOL SMessageLoop::PreTranslateMessage(MSG* msg) {
    // Newest filter first; a filter may remove itself while it runs.
    const std::vector<IMessageFilter*> filters = Filters();
    for (auto it = filters.rbegin(); it != filters.rend(); ++it) {
        if (std::find(Filters().begin(), Filters().end(), *it) == Filters().end()) continue;
        if ((*it)->PreTranslateMessage(msg)) return TRUE;
    }
    return FALSE;
}

int SMessageLoop::Run() {
    detail::InitMessageQueue();
    detail::LoopFrame frame;
    detail::RunLoopFrame(frame);
    return frame.code;
}

BOOL PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hwnd != nullptr && !IsWindow(hwnd)) return FALSE;
    return detail::PostToQueue(MSG{hwnd, msg, wParam, lParam}) ? TRUE : FALSE;
}

void PostQuitMessage(int exitCode) {
    detail::PostToQueue(MSG{nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0});
}

}  // namespace SOUI
