#include "soui/SSessionEnd.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <atomic>

#include "QtApp.h"
#include "soui/SystemApi.h"

namespace SOUI {
namespace {

int g_signalPipe[2] = {-1, -1};
std::atomic<HWND> g_sessionWindow{nullptr};

// Only an async-signal-safe write: the window thread does the rest.
void OnSignal(int signal) {
    const int saved = errno;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &byte, 1);
    errno = saved;
}

bool MakePipe() {
    if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char bytes[16];
        while (::read(g_signalPipe[0], bytes, sizeof bytes) > 0) {
        }
        if (HWND hwnd = g_sessionWindow.load()) PostMessageW(hwnd, WM_CLOSE, 0, 0);
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(signal, &action, nullptr);
    return true;
}

}  // namespace

void CloseOnSessionEnd(HWND hwnd) {
    detail::EnsureQtApplication();
    static const bool ready = MakePipe();
    if (ready) g_sessionWindow = hwnd;
}

}  // namespace SOUI
