#include "driverinfo/Parsers.h"

#include <exception>
#include <string>

#include "common/JsonText.h"
#include "driverinfo/Records.h"
#include "driverinfo/ReplyRules.h"

namespace {

// Reads the reply and hands its root object to `fill`; false for a reply
// without "{", a JSON error, an unreadable member or any other exception.
template <typename Fill>
bool ParseReply(Fill fill) {
    try {
        Json::Value root;
        if (!ReadResponseJson(root) || !root.isObject()) return false;
        return fill(root);
    } catch (const std::exception&) {
        return false;
    }
}

void FillDmInfo(DmInfoResult& r, const Json::Value& root) {
    if (root["Success"].isString()) r.Success = root["Success"].asString();
    if (IsInt32(root["StatusCode"])) r.StatusCode = root["StatusCode"].asInt();
    if (root["Message"].isString()) r.Message = root["Message"].asString();
    r.ResultCode = TextRule(root, "ResultCode");
    r.ResultMessage = TextRule(root, "ResultMessage");
    r.ProductServiceinfo = TextRule(root, "ProductServiceinfo");
    r.Hardwareinfo = TextRule(root, "Hardwareinfo");
    for (const auto& e : ListRule(root, "Driveinfo")) {
        DmInfoDriver d;
        d.Bus = TextRule(e, "Bus");
        d.Hardwareid = TextRule(e, "Hardwareid");
        d.Vender = TextRule(e, "Vender");
        d.Class = TextRule(e, "Class");
        d.Exefiledlurl = TextRule(e, "Exefiledlurl");
        d.Filesize = TextRule(e, "Filesize");
        d.Version = TextRule(e, "Version");
        d.CoreVersion = TextRule(e, "CoreVersion");
        d.Md5 = TextRule(e, "Md5");
        d.Drivername = TextRule(e, "Drivername");
        d.Pubtime = TextRule(e, "Pubtime");
        d.Parameter = TextRule(e, "Parameter");
        d.Timeout = TextRule(e, "Timeout");
        d.Bootfile = TextRule(e, "Bootfile");
        d.Type = TextRule(e, "Type");
        r.Driveinfo.push_back(std::move(d));
    }
}

SearchDriver ReadSearchDriver(const Json::Value& e) {
    SearchDriver d;
    d.DriverEdtionId = TextRule(e, "DriverEdtionId");
    d.DriverName = TextRule(e, "DriverName");
    d.Version = TextRule(e, "Version");
    d.PartID = TextRule(e, "PartID");
    d.HisCount = TextRule(e, "HisCount");
    d.ActiveTime = TextRule(e, "ActiveTime");
    d.HardwareId = TextRule(e, "HardwareId");
    d.InstallCode = TextRule(e, "InstallCode");
    d.SystemBus = TextRule(e, "SystemBus");
    d.IsIssued = TextRule(e, "IsIssued");
    d.DriverIssuedDateTime = TextRule(e, "DriverIssuedDateTime");
    d.CreateTime = TextRule(e, "CreateTime");
    d.UpdateTime = TextRule(e, "UpdateTime");
    d.Remark = TextRule(e, "Remark");
    d.InstallOverTime = TextRule(e, "InstallOverTime");
    d.ISDCH = TextRule(e, "ISDCH");
    d.CoreVersion = TextRule(e, "CoreVersion");
    d.FileName = TextRule(e, "FileName");
    d.FileSize = TextRule(e, "FileSize");
    d.FilePath = TextRule(e, "FilePath");
    d.FileType = TextRule(e, "FileType");
    return d;
}

void ReadDefaultOs(SearchDefaultOs& os, const Json::Value& e) {
    os.ID = NumberFromTextRule(e, "ID");
    os.NAME = TextRule(e, "NAME");
    os.Status = TextRule(e, "Status");
    os.Memo = TextRule(e, "Memo");
    os.OrderNumber = TextRule(e, "OrderNumber");
    os.CreateBy = TextRule(e, "CreateBy");
    os.CreateTime = TextRule(e, "CreateTime");
    os.UpdateBy = TextRule(e, "UpdateBy");
    os.UpdateTime = TextRule(e, "UpdateTime");
    os.ProductLineList = TextRule(e, "ProductLineList");
}

void FillSearch(SearchResult& r, const Json::Value& root) {
    r.StatusCode = TextRule(root, "StatusCode");
    r.Message = TextRule(root, "Message");
    const Json::Value& data = ObjectRule(root, "Data");
    const Json::Value& drivers = ListRule(data, "driverList");
    // Thousands of drivers: one allocation, not a dozen growing copies.
    r.driverList.reserve(drivers.size());
    for (const auto& e : drivers) r.driverList.push_back(ReadSearchDriver(e));
    for (const auto& e : ListRule(data, "osList")) {
        SearchOs os;
        os.OSName = TextRule(e, "OSName");
        os.OrderNumber = TextRule(e, "OrderNumber");
        os.OSID = NumberFromTextRule(e, "OSID");
        r.osList.push_back(std::move(os));
    }
    for (const auto& e : ListRule(data, "partList")) {
        SearchPart part;
        part.PartName = TextRule(e, "PartName");
        part.PartID = TextRule(e, "PartID");
        part.OrderNum = TextRule(e, "OrderNum");
        r.partList.push_back(std::move(part));
    }
    for (const auto& e : ListRule(data, "driverSerious")) {
        SearchSeries s;
        s.MarketTime = TextRule(e, "MarketTime");
        s.MEMO = TextRule(e, "MEMO");
        s.NodeCode = TextRule(e, "NodeCode");
        s.PicturePath = TextRule(e, "PicturePath");
        s.ProductTreeId = TextRule(e, "ProductTreeId");
        r.driverSerious.push_back(std::move(s));
    }
    for (const auto& e : ListRule(data, "driverMTList")) {
        SearchModelType mt;
        mt.NodeCode = TextRule(e, "NodeCode");
        mt.ProductTreeId = TextRule(e, "ProductTreeId");
        r.driverMTList.push_back(std::move(mt));
    }
    for (const auto& e : ListRule(data, "defaultOS")) ReadDefaultOs(r.defaultOS, e);
}

// The lookup's status as a number: an int32 as it is, a text through atoi,
// anything else 0.
int32_t LookupStatus(const Json::Value& status) {
    if (IsInt32(status)) return status.asInt();
    if (status.isString()) return LeadingNumber(status.asString());
    return 0;
}

bool FillQueryForWeb(QueryForWebResult& r, const Json::Value& root) {
    const Json::Value& status = root["StatusCode"];
    const int32_t number = LookupStatus(status);
    if (number != 200 && number != 300) return false;
    r.StatusCode = status.isString() ? status.asString() : std::to_string(number);
    r.Message = TextRule(root, "Message");
    for (const auto& e : ListRule(root, "Data")) {
        QueryForWebItem item;
        item.categoryid = TextRule(e, "categoryid");
        item.codeName = TextRule(e, "codeName");
        item.productLine = TextRule(e, "productLine");
        item.sn = TextRule(e, "sn");
        r.Data.push_back(std::move(item));
    }
    return true;
}

void FillTreeNode(TreeNodeResult& r, const Json::Value& root) {
    r.StatusCode = std::to_string(IntegerRule(root, "StatusCode"));
    r.Message = TextRule(root, "Message");
    for (const auto& e : ListRule(root, "Data")) r.names.push_back(TextRule(e, "NAME"));
}

}  // namespace

bool ParseDmInfoResponse() {
    return g_dmInfoResult && ParseReply([](const Json::Value& root) {
               FillDmInfo(*g_dmInfoResult, root);
               return true;
           });
}

bool ParseSearchResponse() {
    return g_searchResult && ParseReply([](const Json::Value& root) {
               FillSearch(*g_searchResult, root);
               return true;
           });
}

bool ParseQueryForWebResponse() {
    return g_queryForWebResult &&
           ParseReply([](const Json::Value& root) { return FillQueryForWeb(*g_queryForWebResult, root); });
}

bool ParseTreeNodeResponse() {
    return g_treeNodeResult && ParseReply([](const Json::Value& root) {
               FillTreeNode(*g_treeNodeResult, root);
               return true;
           });
}
