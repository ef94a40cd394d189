#include "driverinfo/Requests.h"

#include <cstdio>
#include <initializer_list>
#include <utility>

#include "common/JsonText.h"
#include "common/ServiceRequest.h"
#include "common/TextEncoding.h"
#include "driverinfo/Parsers.h"
#include "driverinfo/Records.h"
#include "os/ServiceAddress.h"

namespace {

constexpr const char* kCompiledServiceBase = "https://driver.zorvik.example";
constexpr const char* kJsonHeader = "Content-Type:application/json;charset=UTF-8";

using Members = std::initializer_list<std::pair<const char*, std::string>>;

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
    const ServiceTransfer transfer = PostToService(ServiceBase() + path, kJsonHeader, RequestBody(members));
    if (transfer == ServiceTransfer::NoHandle && reportInitFailure) std::fputs("couldn't init curl", stdout);
    if (transfer != ServiceTransfer::Completed) return false;
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
