#include "os/FileManager.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>

#include "os/UnicodeText.h"

extern char** environ;

namespace os {
namespace {

// The shell starts the command in the background and ends at once, so
// nothing waits for the file manager.
void RunDetached(const char* script, std::string first, std::string second) {
    char shell[] = "/bin/sh";
    char flag[] = "-c";
    std::string body = script;
    char name[] = "pellucor-show";
    char* argv[] = {shell, flag, body.data(), name, first.data(), second.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, shell, nullptr, nullptr, argv, environ) != 0) return;
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

std::string FileUri(const std::string& path) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (const unsigned char c : path) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                           c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 0xF];
        }
    }
    return uri;
}

void ShowInFileManager(const std::wstring& filePath) {
    const std::string path = WideToUtf8Lossy(filePath);
    const char* hook = std::getenv("PELLUCOR_FILE_MANAGER");
    if (hook != nullptr && *hook != '\0') {
        RunDetached("\"$1\" \"$2\" </dev/null >/dev/null 2>&1 &", hook, path);
        return;
    }
    const std::string::size_type slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    RunDetached(
        "{ dbus-send --session --print-reply --reply-timeout=3000 --dest=org.freedesktop.FileManager1 "
        "/org/freedesktop/FileManager1 org.freedesktop.FileManager1.ShowItems array:string:\"$1\" "
        "string:\"\" "
        "|| xdg-open \"$2\"; } </dev/null >/dev/null 2>&1 &",
        FileUri(path), folder);
}

}  // namespace os
