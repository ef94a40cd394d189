#include "ToolServiceFixture.h"

#include <curl/curl.h>

#include <cstdlib>

#include "common/ServiceRequest.h"

namespace {

size_t Append(const char* data, size_t size, size_t count, void* target) {
    static_cast<std::string*>(target)->append(data, size * count);
    return size * count;
}

}  // namespace

void ToolServiceTest::SetUpTestSuite() {
    ::setenv("PELLUCOR_SERVICE_URL", Base().c_str(), 1);
    ::setenv(kCaFileVariable, Service().CertificateFile().c_str(), 1);
}

void ToolServiceTest::SetUp() {
    Service().Reset();
}

std::string ToolServiceTest::ReceivedReport() {
    std::string body;
    CURL* handle = curl_easy_init();
    if (handle == nullptr) return body;
    const std::string url = Base() + "/_control/tool-report";
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &Append);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
    if (curl_easy_perform(handle) != CURLE_OK) body.clear();
    curl_easy_cleanup(handle);
    return body;
}
