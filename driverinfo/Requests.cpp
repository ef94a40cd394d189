#include "driverinfo/Requests.h"

#include <curl/curl.h>

#include <cstdio>
#include <initializer_list>
#include <memory>
#include <utility>

#include "common/JsonText.h"
#include "common/ResponseBuffer.h"
#include "common/TextEncoding.h"
#include "driverinfo/Parsers.h"
#include "driverinfo/Records.h"
#include "os/ServiceAddress.h"

namespace {

constexpr const char* kCompiledServiceBase = "https://driver.zorvik.example";
constexpr const char* kJsonHeader = "Content-Type:application/json;charset=UTF-8";

using Members = std::initializer_list<std::pair<const char*, std::string>>;

struct CurlCleanup {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct SlistCleanup {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

std::string RequestBody(Members members) {
    Json::Value body(Json::objectValue);
    for (const auto& [key, value] : members) body[key] = value;
    return AnsiToUtf8(StyledJson(body));
}

// One POST of a JSON body into ResponseBuffer; then, on a completed
// transfer, the record is cleared, parsed into and handed out.
template <typename Record>
bool Send(Record** out, Record* record, const char* path, Members members, bool (*clear)(), bool (*parse)(),
          bool reportInitFailure) {
    if (out == nullptr || record == nullptr) return false;
    std::unique_ptr<CURL, CurlCleanup> curl(curl_easy_init());
    if (!curl) {
        if (reportInitFailure) std::fputs("couldn't init curl", stdout);
        return false;
    }
    ResetResponseBuffer();
    const std::string url = ServiceBase() + path;
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_HEADER, 1L);
    const std::string body = RequestBody(members);
    std::unique_ptr<curl_slist, SlistCleanup> headers(curl_slist_append(nullptr, kJsonHeader));
    if (!headers) return false;
    curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, body.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, static_cast<void*>(nullptr));
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, &OnResponseData);
    curl_easy_setopt(curl.get(), CURLOPT_POST, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(curl.get(), CURLOPT_SSL_VERIFYHOST, 0L);
    if (curl_easy_perform(curl.get()) != CURLE_OK) return false;
    clear();
    const bool read = parse();
    *out = record;
    return read;
}

}  // namespace

std::string ServiceBase() {
    return os::ServiceBaseUrl(kCompiledServiceBase);
}

bool SendDmInfoRequest(DmInfoResult** out, const std::string& serial, const std::string& osText) {
    return Send(out, g_dmInfoResult, "/home/driver/DmInfo", {{"OS", osText}, {"SN", serial}},
                ClearDmInfoResult, ParseDmInfoResponse, true);
}

bool SendSearchRequest(SearchResult** out, const std::string& osText, const std::string& searchKey) {
    return Send(out, g_searchResult, "/home/driver/Search", {{"osid", osText}, {"searchKey", searchKey}},
                ClearSearchResult, ParseSearchResponse, false);
}

bool SendQueryForWebRequest(QueryForWebResult** out, const std::string& searchKey) {
    return Send(out, g_queryForWebResult, "/home/driver/QueryForWeb", {{"searchKey", searchKey}},
                ClearQueryForWebResult, ParseQueryForWebResponse, true);
}

bool SendTreeNodeRequest(TreeNodeResult** out, const std::string& key) {
    return Send(out, g_treeNodeResult, "/home/driver/TreeNode", {{"key", key}}, ClearTreeNodeResult,
                ParseTreeNodeResponse, true);
}
