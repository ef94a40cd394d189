#include "tests/support/PartialFileHeld.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace pelltest {

bool PartialFileHeld(const std::string& target) {
    const int fd = ::open((target + ".part").c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno != ENOENT;
    // The engine's lock belongs to its open file, so this open's own close
    // leaves it alone, and it shows here even when this process holds it.
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    const bool held = ::fcntl(fd, F_OFD_GETLK, &lock) != 0 || lock.l_type != F_UNLCK;
    ::close(fd);
    return held;
}

}  // namespace pelltest
