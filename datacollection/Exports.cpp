// The six exports. Each one keeps every exception inside and ends as for a
// failed request.
#include "common/JsonText.h"
#include "datacollection/BrowserPages.h"
#include "datacollection/DataCollectionApi.h"
#include "datacollection/DeviceIdentity.h"
#include "datacollection/ReportSealing.h"
#include "datacollection/ToolReplies.h"
#include "datacollection/ToolRequests.h"
#include "os/ProductQuery.h"

using namespace tessaly;

namespace {

constexpr const char* kVersionPath = "/Home/tool/version";
constexpr const char* kStatisticsPath = "/Home/tool/statistics";
constexpr const char* kUrlListPath = "/home/tool/urlList";

}  // namespace

int DataCollection_VersionGet(ToolVersionInfo* info) {
    if (info == nullptr) return 0;
    try {
        Json::Value body(Json::objectValue);
        body["id"] = info->id;
        body["versions"] = info->versions;
        if (PostJson(kVersionPath, StyledJson(body)) != Transfer::Completed) return 0;
        return ParseVersionResponse();
    } catch (...) {
        return 0;
    }
}

bool DataCollection_OpenToolDownUrl() {
    try {
        OpenInBrowser(ToolDownloadUrl);
    } catch (...) {
    }
    return true;
}

bool DataCollection_OpenFeedbackQuestion(ToolVersionInfo* info) {
    if (info == nullptr) return true;
    try {
        OpenInBrowser(FeedbackAddress(info->id));
    } catch (...) {
    }
    return true;
}

bool DataCollection_OperationResponse(OperationReport* report) {
    if (report == nullptr) return false;
    try {
        const std::string body = "{\"data\":\"" + SealOperationReport(*report) + "\"}";
        return PostJson(kStatisticsPath, body) == Transfer::Completed;
    } catch (...) {
        return false;
    }
}

bool DataCollection_GetDeviceInfo(DeviceInfoRecord* record) {
    if (record == nullptr) return true;
    try {
        CollectDeviceInfo(*record, os::ProductQueryCommand());
    } catch (...) {
    }
    return true;
}

bool DataCollection_GetServerUrlInfo(ServiceUrlTable* table) {
    if (table == nullptr) return false;
    try {
        const Transfer transfer = Get(kUrlListPath);
        if (transfer == Transfer::NoHandle) return false;
        const bool counted = transfer == Transfer::Completed && ParseUrlListResponse();
        *table = GlobalServiceUrls;
        return counted;
    } catch (...) {
        return false;
    }
}
