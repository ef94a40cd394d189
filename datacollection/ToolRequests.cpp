#include "datacollection/ToolRequests.h"

#include <cstdio>

#include "common/TextEncoding.h"
#include "os/ServiceAddress.h"

namespace tessaly {

namespace {

constexpr const char* kCompiledServiceBase = "https://tool.zorvik.example";

Transfer Reported(Transfer transfer) {
    if (transfer == Transfer::NoHandle) std::puts("couldn't init curl");
    return transfer;
}

}  // namespace

const std::string& ToolServiceBase() {
    static const std::string base = os::ServiceBaseUrl(kCompiledServiceBase);
    return base;
}

Transfer PostJson(const char* path, const std::string& body) {
    return Reported(
        PostToService(ToolServiceBase() + path, "Content-Type:application/json", AnsiToUtf8(body)));
}

Transfer Get(const char* path) {
    return Reported(GetFromService(ToolServiceBase() + path));
}

}  // namespace tessaly
