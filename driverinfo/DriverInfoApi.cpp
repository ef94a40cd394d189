#include "driverinfo/DriverInfoApi.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "common/ServiceRequest.h"
#include "driverinfo/Records.h"
#include "driverinfo/Requests.h"

namespace {

// A text argument: `len` bytes, cut at the first NUL. False for a negative
// length or a missing text with a positive length.
bool TextArgument(const char* text, int len, std::string& out) {
    if (len < 0 || (text == nullptr && len > 0)) return false;
    out = len == 0 ? std::string() : std::string(text, ::strnlen(text, static_cast<size_t>(len)));
    return true;
}

// The lookup's first hit chooses the search key: its serial number for status
// "300", its category for "200"; none for any other status or no category.
bool SearchKeyFromLookup(const QueryForWebResult& lookup, std::string& key) {
    if (lookup.Data.empty()) return false;
    const QueryForWebItem first = lookup.Data.front();
    if (first.categoryid.empty() || first.categoryid == "0") return false;
    if (lookup.StatusCode == "300")
        key = first.sn;
    else if (lookup.StatusCode == "200")
        key = first.categoryid;
    else
        return false;
    return true;
}

}  // namespace

bool DriverInfo_Init() {
    try {
        CreateRecords();
    } catch (...) {
        // Out of memory: the records that exist stay usable.
    }
    return true;
}

bool DriverInfo_Free() {
    DestroyRecords();
    return true;
}

bool DriverInfo_QueryBy_SN(DmInfoResult** out, const char* sn, int snLen, int osId) {
    try {
        std::string serial;
        if (!TextArgument(sn, snLen, serial)) return false;
        return SendDmInfoRequest(out, serial, std::to_string(osId));
    } catch (...) {
        return false;
    }
}

bool DriverInfo_QueryBy_DevName(SearchResult** out, const char* text, int textLen, int osId) {
    try {
        std::string key;
        if (out == nullptr || !TextArgument(text, textLen, key)) return false;
        const std::string osText = std::to_string(osId);
        QueryForWebResult* lookup = nullptr;
        if (!SendQueryForWebRequest(&lookup, key)) return false;
        std::string searchKey;
        if (!SearchKeyFromLookup(*lookup, searchKey)) return false;
        return SendSearchRequest(out, osText, searchKey);
    } catch (...) {
        return false;
    }
}

bool DriverInfo_QuerySuggest(TreeNodeResult** out, const char* text, int textLen) {
    try {
        std::string key;
        if (!TextArgument(text, textLen, key)) return false;
        return SendTreeNodeRequest(out, key);
    } catch (...) {
        return false;
    }
}

bool DriverInfo_GetNetWorkCondition() {
    try {
        // The home page's head: any completed exchange counts, whatever its status.
        const ServiceTransfer transfer = ProbeService(ServiceBase());
        if (transfer == ServiceTransfer::NoHandle) std::fputs("couldn't init curl", stdout);
        return transfer == ServiceTransfer::Completed;
    } catch (...) {
        return false;
    }
}
