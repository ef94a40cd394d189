#include "DriverEndpoints.h"

#include <array>
#include <cctype>
#include <functional>

#include "Reply.h"

namespace {

constexpr std::array<const char*, 21> kSearchDriverFields{"DriverEdtionId",
                                                          "DriverName",
                                                          "Version",
                                                          "PartID",
                                                          "HisCount",
                                                          "ActiveTime",
                                                          "HardwareId",
                                                          "InstallCode",
                                                          "SystemBus",
                                                          "IsIssued",
                                                          "DriverIssuedDateTime",
                                                          "CreateTime",
                                                          "UpdateTime",
                                                          "Remark",
                                                          "InstallOverTime",
                                                          "ISDCH",
                                                          "CoreVersion",
                                                          "FileName",
                                                          "FileSize",
                                                          "FilePath",
                                                          "FileType"};

using ReplyBuilder = std::function<Json::Value(const Json::Value& request)>;

// The file name as one path segment: anything but letters, digits and "._-"
// is escaped, and so are the dots of "." and "..", which a client would
// otherwise fold away.
std::string EscapedSegment(const std::string& name) {
    const bool onlyDots = name.find_first_not_of('.') == std::string::npos;
    std::string out;
    for (unsigned char c : name) {
        if (std::isalnum(c) || c == '_' || c == '-' || (c == '.' && !onlyDots)) {
            out += static_cast<char>(c);
        } else {
            static constexpr char kHex[] = "0123456789ABCDEF";
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

// A catalogue driver with a FilePath of its own is fetched from there (the
// window's download benchmark points it at a faster server; a path that
// starts with "/" is on this service, so one file name can have two
// contents); the others from this service.
std::string FileAddress(const ServiceState& state, const Json::Value& driver) {
    if (driver["FilePath"].isString()) {
        const std::string path = driver["FilePath"].asString();
        return path.rfind('/', 0) == 0 ? state.BaseUrl() + path : path;
    }
    const std::string name = driver["FileName"].asString();
    return name.empty() ? std::string() : state.BaseUrl() + "/files/" + EscapedSegment(name);
}

bool ListedFor(const Json::Value& driver, const std::string& osId) {
    for (const auto& id : driver["OSIDs"]) {
        if (id.asString() == osId) return true;
    }
    return false;
}

// A model marked "omitEmptyFields" leaves out the fields it has no text for,
// so that a very long driver list still fits a client's reply buffer.
Json::Value SearchDriver(const ServiceState& state, const Json::Value& driver, bool omitEmpty) {
    Json::Value out(Json::objectValue);
    for (const char* field : kSearchDriverFields) out[field] = driver[field].isString() ? driver[field] : "";
    out["FilePath"] = FileAddress(state, driver);
    if (omitEmpty) {
        for (const char* field : kSearchDriverFields) {
            if (out[field].asString().empty()) out.removeMember(field);
        }
    }
    return out;
}

Json::Value QueryForWebItem(const Json::Value& model, const std::string& sn) {
    Json::Value item;
    item["categoryid"] = model["categoryid"];
    item["codeName"] = model["codeName"];
    item["productLine"] = model["productLine"];
    item["sn"] = sn;
    return item;
}

Json::Value QueryForWebReply(const Catalogue& catalogue, const std::string& key) {
    Json::Value reply;
    reply["Data"] = Json::Value(Json::arrayValue);
    if (const Json::Value* model = catalogue.ModelBySerial(key)) {
        reply["StatusCode"] = 300;
        reply["Message"] = "成功";
        for (const auto& sn : (*model)["serials"]) {
            if (FoldCase(sn.asString()) == FoldCase(key))
                reply["Data"].append(QueryForWebItem(*model, sn.asString()));
        }
        return reply;
    }
    auto models = catalogue.ModelsByName(key);
    if (models.empty()) {
        reply["StatusCode"] = 404;
        reply["Message"] = "未找到相关机型";
        return reply;
    }
    reply["StatusCode"] = 200;
    reply["Message"] = "成功";
    for (const Json::Value* model : models) reply["Data"].append(QueryForWebItem(*model, ""));
    return reply;
}

const Json::Value* ModelBySerialOrCategory(const Catalogue& catalogue, const std::string& key) {
    if (const Json::Value* model = catalogue.ModelBySerial(key)) return model;
    // "0" marks a model outside the product tree, not a category.
    if (key == "0") return nullptr;
    return catalogue.ModelByCategory(key);
}

// Whether the model offers drivers for the system: those its "offeredOSIDs"
// names, else every system one of its drivers is listed for.
bool Offers(const Json::Value& model, const std::string& osId) {
    const Json::Value& offered = model["offeredOSIDs"];
    if (offered.isArray()) {
        for (const auto& id : offered) {
            if (id.asString() == osId) return true;
        }
        return false;
    }
    for (const auto& driver : model["drivers"]) {
        if (ListedFor(driver, osId)) return true;
    }
    return false;
}

Json::Value OsListOf(const Catalogue& catalogue, const Json::Value& model) {
    Json::Value list(Json::arrayValue);
    for (const auto& os : catalogue.Oses()) {
        if (!Offers(model, os["ID"].asString())) continue;
        Json::Value entry;
        entry["OSID"] = os["ID"];
        entry["OrderNumber"] = os["OrderNumber"];
        entry["OSName"] = os["NAME"];
        list.append(entry);
    }
    return list;
}

Json::Value PartListOf(const Catalogue& catalogue, const Json::Value& drivers) {
    Json::Value list(Json::arrayValue);
    for (const auto& part : catalogue.Parts()) {
        for (const auto& driver : drivers) {
            if (driver["PartID"] == part["PartID"]) {
                list.append(part);
                break;
            }
        }
    }
    return list;
}

Json::Value SearchReply(const ServiceState& state, const Catalogue& catalogue, const Json::Value& request) {
    const std::string osId = TextMember(request, "osid");
    Json::Value reply;
    const Json::Value* model = ModelBySerialOrCategory(catalogue, TextMember(request, "searchKey"));
    if (!model) {
        reply["StatusCode"] = "404";
        reply["Message"] = "未找到相关驱动";
        reply["Data"] = Json::Value::null;
        return reply;
    }
    Json::Value data;
    data["driverList"] = Json::Value(Json::arrayValue);
    const bool omitEmpty = (*model)["omitEmptyFields"].asBool();
    for (const auto& driver : (*model)["drivers"]) {
        if (ListedFor(driver, osId)) data["driverList"].append(SearchDriver(state, driver, omitEmpty));
    }
    data["partList"] = PartListOf(catalogue, data["driverList"]);
    data["osList"] = OsListOf(catalogue, *model);
    Json::Value series;
    series["ProductTreeId"] = (*model)["productTreeId"];
    series["NodeCode"] = (*model)["codeName"];
    series["PicturePath"] = (*model)["picturePath"];
    series["MarketTime"] = (*model)["marketTime"];
    series["MEMO"] = (*model)["memo"];
    data["driverSerious"] = Json::Value(Json::arrayValue);
    // A model marked "withoutSeries" answers without its product-tree node.
    if (!(*model)["withoutSeries"].asBool()) data["driverSerious"].append(series);
    Json::Value modelType;
    modelType["ProductTreeId"] = (*model)["productTreeId"];
    modelType["NodeCode"] = (*model)["codeName"];
    data["driverMTList"].append(modelType);
    data["defaultOS"] = Json::Value(Json::arrayValue);
    if (const Json::Value* os = catalogue.Os((*model)["defaultOS"].asString())) data["defaultOS"].append(*os);
    reply["StatusCode"] = "200";
    reply["Message"] = "成功";
    reply["Data"] = data;
    return reply;
}

Json::Value DmInfoDriver(const ServiceState& state, const Catalogue& catalogue, const Json::Value& driver) {
    const Json::Value* part = catalogue.Part(driver["PartID"].asString());
    Json::Value out;
    out["Bus"] = driver.get("SystemBus", "");
    out["Hardwareid"] = driver.get("HardwareId", "");
    out["Vender"] = driver.get("Vender", "");
    out["Class"] = part ? (*part)["PartName"] : Json::Value("");
    out["Exefiledlurl"] = FileAddress(state, driver);
    out["Filesize"] = driver.get("FileSize", "");
    out["Version"] = driver.get("Version", "");
    out["CoreVersion"] = driver.get("CoreVersion", "");
    out["Md5"] = driver.get("Md5", "");
    out["Drivername"] = driver.get("DriverName", "");
    out["Pubtime"] = driver.get("ActiveTime", "");
    out["Parameter"] = driver.get("InstallCode", "");
    out["Timeout"] = driver.get("InstallOverTime", "");
    out["Bootfile"] = driver["FileName"];
    out["Type"] = driver.get("FileType", "");
    return out;
}

Json::Value DmInfoReply(const ServiceState& state, const Catalogue& catalogue, const Json::Value& request) {
    const std::string osId = TextMember(request, "OS");
    Json::Value reply;
    reply["Driveinfo"] = Json::Value(Json::arrayValue);
    const Json::Value* model = catalogue.ModelBySerial(TextMember(request, "SN"));
    if (!model) {
        reply["StatusCode"] = 404;
        reply["Success"] = "false";
        reply["Message"] = "未找到该主机编号";
        reply["ResultCode"] = "1";
        reply["ResultMessage"] = "not found";
        return reply;
    }
    reply["StatusCode"] = 200;
    reply["Success"] = "true";
    reply["Message"] = "成功";
    reply["ResultCode"] = "0";
    reply["ResultMessage"] = "ok";
    reply["ProductServiceinfo"] =
        (*model)["codeName"].asString() + " / " + (*model)["productLine"].asString();
    reply["Hardwareinfo"] = (*model)["memo"];
    for (const auto& driver : (*model)["drivers"]) {
        if (ListedFor(driver, osId)) reply["Driveinfo"].append(DmInfoDriver(state, catalogue, driver));
    }
    return reply;
}

Json::Value TreeNodeReply(const Catalogue& catalogue, const Json::Value& request) {
    Json::Value reply;
    reply["StatusCode"] = 200;
    reply["Message"] = "成功";
    reply["Data"] = Json::Value(Json::arrayValue);
    for (const auto& name : catalogue.SuggestNames(TextMember(request, "key"))) {
        Json::Value node;
        node["NAME"] = name;
        reply["Data"].append(node);
    }
    return reply;
}

// Every driver endpoint: a JSON object in, the builder's reply (or the test
// override for the path) out through the fault switch.
void AddJsonEndpoint(httplib::Server& server, ServiceState& state, const std::string& path,
                     ReplyBuilder build) {
    server.Post(path, [&state, build](const httplib::Request& req, httplib::Response& res) {
        if (auto raw = state.Mode("reply", req.path)) return SendJson(state, req, res, *raw);
        Json::Value request;
        if (!ParseJson(req.body, request) || !request.isObject()) {
            return SendBadRequest(res, "request body is not a JSON object");
        }
        SendJson(state, req, res, CompactJson(build(request)));
    });
}

}  // namespace

void RegisterDriverEndpoints(httplib::Server& server, ServiceState& state, const Catalogue& catalogue) {
    // The home page, which the reachability check asks for, obeys the fault switch too.
    server.Get("/", [&state](const httplib::Request& req, httplib::Response& res) {
        SendReply(state, req, res,
                  "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Support</title></head>"
                  "<body><p>Driver support service</p></body></html>",
                  "text/html;charset=UTF-8");
    });
    AddJsonEndpoint(server, state, "/home/driver/QueryForWeb", [&catalogue](const Json::Value& request) {
        return QueryForWebReply(catalogue, TextMember(request, "searchKey"));
    });
    AddJsonEndpoint(server, state, "/home/driver/Search", [&state, &catalogue](const Json::Value& request) {
        return SearchReply(state, catalogue, request);
    });
    AddJsonEndpoint(server, state, "/home/driver/DmInfo", [&state, &catalogue](const Json::Value& request) {
        return DmInfoReply(state, catalogue, request);
    });
    AddJsonEndpoint(server, state, "/home/driver/TreeNode",
                    [&catalogue](const Json::Value& request) { return TreeNodeReply(catalogue, request); });
}
