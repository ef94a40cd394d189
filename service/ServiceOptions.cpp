#include "ServiceOptions.h"

#include <charconv>
#include <cstring>
#include <system_error>

namespace {

// The catalogue copied beside the binary at build time.
std::filesystem::path DefaultDataDir() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path("service-data") : exe.parent_path() / "service-data";
}

bool ParsePort(const char* text, int& port) {
    const char* end = text + std::strlen(text);
    auto [ptr, ec] = std::from_chars(text, end, port);
    return ec == std::errc() && ptr == end && port > 0 && port < 65536;
}

}  // namespace

bool ParseServiceOptions(int argc, char** argv, ServiceOptions& options, std::string& error) {
    options.dataDir = DefaultDataDir();
    bool havePort = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--cert" || arg == "--key" || arg == "--data") {
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return false;
            }
            std::string value = argv[++i];
            if (arg == "--cert")
                options.certFile = value;
            else if (arg == "--key")
                options.keyFile = value;
            else
                options.dataDir = value;
        } else if (!havePort && ParsePort(argv[i], options.port)) {
            havePort = true;
        } else {
            error = "unexpected argument " + arg;
            return false;
        }
    }
    if (!havePort)
        error = "a port (1-65535) is required";
    else if (options.certFile.empty() || options.keyFile.empty())
        error = "--cert and --key are required";
    return error.empty();
}
