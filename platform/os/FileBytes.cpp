#include "os/FileBytes.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace os {

std::optional<std::string> ReadFileBytes(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            content.append(buffer, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        ::close(fd);
        if (n < 0) return std::nullopt;
        return content;
    }
}

}  // namespace os
