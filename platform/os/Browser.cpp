#include "os/Browser.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>

#include "os/UnicodeText.h"

extern char** environ;

namespace os {

namespace {

constexpr const char* kDefaultOpener = "xdg-open";

}  // namespace

void OpenInBrowser(const std::wstring& address) {
    const char* configured = std::getenv("PELLUCOR_BROWSER");
    std::string opener = configured != nullptr && *configured != '\0' ? configured : kDefaultOpener;
    std::string text = WideToUtf8Lossy(address);
    // The shell starts the opener in the background and ends at once, so the
    // opener is nobody's child here and nothing waits for it.
    char shell[] = "/bin/sh";
    char flag[] = "-c";
    char script[] = "\"$0\" \"$1\" </dev/null >/dev/null 2>&1 &";
    char* argv[] = {shell, flag, script, opener.data(), text.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, shell, nullptr, nullptr, argv, environ) != 0) return;
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace os
