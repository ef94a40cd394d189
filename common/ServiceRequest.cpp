#include "common/ServiceRequest.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "common/ResponseBuffer.h"

namespace {

struct EasyHandleRelease {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct HeaderListRelease {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using EasyHandle = std::unique_ptr<CURL, EasyHandleRelease>;
using HeaderList = std::unique_ptr<curl_slist, HeaderListRelease>;

// Seconds to connect (TLS handshake included), without a byte, and for the
// whole request.
struct Waits {
    long connect;
    long stall;
    long total;
};
// The window thread waits on these calls. The replies are small (a search
// reply is some KiB), so 15 s leaves a slow link room, while a query by
// name, two requests in a row, still ends within half a minute; a service
// gets about 10 s to start answering.
constexpr Waits kRequestWaits{10, 5, 15};
// The reachability probe asks for a page head only.
constexpr Waits kProbeWaits{5, 5, 10};
// Below this many bytes a second for the stall time, a transfer counts as stalled.
constexpr long kLowestSpeed = 1;

// `seconds`, or less where PELLUCOR_SERVICE_TIMEOUT says so.
long Shortened(long seconds) {
    const char* value = std::getenv(kServiceTimeoutVariable);
    if (value == nullptr || *value == '\0') return seconds;
    char* end = nullptr;
    const long limit = std::strtol(value, &end, 10);
    if (*end != '\0' || limit < 1) return seconds;
    return std::min(seconds, limit);
}

// What every request shares: the address, HTTPS only, bounded waits and a
// verified peer.
void Prepare(CURL* handle, const std::string& url, const Waits& waits) {
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "https");
    // Time-outs must not come by signal in a program with threads.
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, Shortened(waits.connect));
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, kLowestSpeed);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, Shortened(waits.stall));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT, Shortened(waits.total));
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L);
    const char* caFile = std::getenv(kCaFileVariable);
    if (caFile != nullptr && *caFile != '\0') {
        curl_easy_setopt(handle, CURLOPT_CAINFO, caFile);
        // In place of the store, not beside it.
        curl_easy_setopt(handle, CURLOPT_CAPATH, nullptr);
    }
}

void IntoResponseBuffer(CURL* handle) {
    ResetResponseBuffer();
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, nullptr);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &OnResponseData);
}

ServiceTransfer Perform(CURL* handle) {
    return curl_easy_perform(handle) == CURLE_OK ? ServiceTransfer::Completed : ServiceTransfer::Failed;
}

}  // namespace

ServiceTransfer PostToService(const std::string& url, const char* headerLine, const std::string& body) {
    const EasyHandle handle(curl_easy_init());
    if (!handle) return ServiceTransfer::NoHandle;
    IntoResponseBuffer(handle.get());
    Prepare(handle.get(), url, kRequestWaits);
    // The reply readers skip the status line and headers to the first "{".
    curl_easy_setopt(handle.get(), CURLOPT_HEADER, 1L);
    const HeaderList headers(curl_slist_append(nullptr, headerLine));
    if (!headers) return ServiceTransfer::Failed;
    curl_easy_setopt(handle.get(), CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(handle.get(), CURLOPT_POSTFIELDS, body.c_str());
    curl_easy_setopt(handle.get(), CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
    curl_easy_setopt(handle.get(), CURLOPT_POST, 1L);
    return Perform(handle.get());
}

ServiceTransfer GetFromService(const std::string& url) {
    const EasyHandle handle(curl_easy_init());
    if (!handle) return ServiceTransfer::NoHandle;
    IntoResponseBuffer(handle.get());
    Prepare(handle.get(), url, kRequestWaits);
    return Perform(handle.get());
}

ServiceTransfer ProbeService(const std::string& url) {
    const EasyHandle handle(curl_easy_init());
    if (!handle) return ServiceTransfer::NoHandle;
    Prepare(handle.get(), url, kProbeWaits);
    curl_easy_setopt(handle.get(), CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(handle.get(), CURLOPT_NOBODY, 1L);
    return Perform(handle.get());
}
