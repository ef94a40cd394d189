// Preloaded into fendrel_pack for the benchmark's unflushed figure: the calls
// through which the packer pushes its image to the disk and out of the page
// cache do nothing, so the image stays in the cache as the other tools leave
// theirs. Declared here rather than through the system headers, whose
// declarations carry attributes that a definition may not repeat.
#include <cstdint>

extern "C" {

int fsync(int) {
    return 0;
}

int fdatasync(int) {
    return 0;
}

int sync_file_range(int, std::int64_t, std::int64_t, unsigned int) {
    return 0;
}

int posix_fadvise(int, std::int64_t, std::int64_t, int) {
    return 0;
}

int posix_fadvise64(int, std::int64_t, std::int64_t, int) {
    return 0;
}

}  // extern "C"
