#include "driverinfo/DriverInfoApi.h"

#include <curl/curl.h>

#include <cstdio>
#include <cstring>
#include <string>

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
        CURL* curl = curl_easy_init();
        if (curl == nullptr) {
            std::fputs("couldn't init curl", stdout);
            return false;
        }
        const std::string home = ServiceBase();
        curl_easy_setopt(curl, CURLOPT_URL, home.c_str());
        curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
        curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
        curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
        const CURLcode result = curl_easy_perform(curl);
        curl_easy_cleanup(curl);
        return result == CURLE_OK;
    } catch (...) {
        return false;
    }
}
