#include "os/ServiceAddress.h"

#include <cstdlib>
#include <optional>

namespace os {
namespace {

std::optional<std::string> ReadOverride() {
    const char* value = std::getenv(kServiceUrlVariable);
    if (value == nullptr || *value == '\0') return std::nullopt;
    std::string url = value;
    while (!url.empty() && url.back() == '/') url.pop_back();
    if (url.empty()) return std::nullopt;
    return url;
}

}  // namespace

std::string ServiceBaseUrl(const std::string& compiledDefault) {
    static const std::optional<std::string> override = ReadOverride();
    return override ? *override : compiledDefault;
}

}  // namespace os
