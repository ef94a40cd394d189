// Preloaded into the program by the globals-order test: records, in order,
// the address of every object whose destructor is registered at exit (a
// global is registered right after its construction), as an offset into the
// executable, one a line, into the file PELLUCOR_ATEXIT_LOG names.
#include <dlfcn.h>
#include <link.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

uintptr_t ExecutableBase() {
    uintptr_t base = 0;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            *static_cast<uintptr_t*>(data) = info->dlpi_addr;
            return 1;  // the first entry is the executable
        },
        &base);
    return base;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int __cxa_atexit(void (*fn)(void*), void* object,
                                                                   void* dso) {
    using Real = int (*)(void (*)(void*), void*, void*);
    static Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "__cxa_atexit"));
    if (const char* path = std::getenv("PELLUCOR_ATEXIT_LOG")) {
        if (FILE* log = std::fopen(path, "a")) {
            std::fprintf(log, "%lx\n",
                         static_cast<unsigned long>(reinterpret_cast<uintptr_t>(object) - ExecutableBase()));
            std::fclose(log);
        }
    }
    return real(fn, object, dso);
}
