#include "datacollection/ToolRequests.h"

#include <curl/curl.h>

#include <cstdio>
#include <memory>

#include "common/ResponseBuffer.h"
#include "common/TextEncoding.h"
#include "os/ServiceAddress.h"

namespace tessaly {

namespace {

constexpr const char* kCompiledServiceBase = "https://tool.zorvik.example";

struct EasyHandleRelease {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct HeaderListRelease {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using EasyHandle = std::unique_ptr<CURL, EasyHandleRelease>;
using HeaderList = std::unique_ptr<curl_slist, HeaderListRelease>;

EasyHandle OpenHandle() {
    EasyHandle handle(curl_easy_init());
    if (!handle) std::puts("couldn't init curl");
    return handle;
}

// Starts a request: a clean response buffer, the address, the reply into
// the buffer, no certificate checks.
void Prepare(CURL* handle, const std::string& url) {
    ResetResponseBuffer();
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, nullptr);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &OnResponseData);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 0L);
}

Transfer Perform(CURL* handle) {
    return curl_easy_perform(handle) == CURLE_OK ? Transfer::Completed : Transfer::Failed;
}

}  // namespace

const std::string& ToolServiceBase() {
    static const std::string base = os::ServiceBaseUrl(kCompiledServiceBase);
    return base;
}

Transfer PostJson(const char* path, const std::string& body) {
    const EasyHandle handle = OpenHandle();
    if (!handle) return Transfer::NoHandle;
    Prepare(handle.get(), ToolServiceBase() + path);
    // The reply parsers skip the status line and headers to the first "{".
    curl_easy_setopt(handle.get(), CURLOPT_HEADER, 1L);
    const HeaderList headers(curl_slist_append(nullptr, "Content-Type:application/json"));
    curl_easy_setopt(handle.get(), CURLOPT_HTTPHEADER, headers.get());
    const std::string utf8Body = AnsiToUtf8(body);
    curl_easy_setopt(handle.get(), CURLOPT_POSTFIELDS, utf8Body.c_str());
    curl_easy_setopt(handle.get(), CURLOPT_POSTFIELDSIZE, static_cast<long>(utf8Body.size()));
    return Perform(handle.get());
}

Transfer Get(const char* path) {
    const EasyHandle handle = OpenHandle();
    if (!handle) return Transfer::NoHandle;
    Prepare(handle.get(), ToolServiceBase() + path);
    return Perform(handle.get());
}

}  // namespace tessaly
