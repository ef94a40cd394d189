#include "ToolEndpoints.h"

#include "Reply.h"
#include "ToolReportOpener.h"

namespace {

const std::string kArea = "tool";
const std::string kLastReport = "last-report";

Json::Value VersionReply(const ServiceState& state) {
    Json::Value reply;
    if (state.Mode(kArea, "version") == "newer") {
        reply["code"] = 202;
        reply["msg"] = "有新版本";
        reply["data"] = state.BaseUrl() + "/download/Pellucor-setup.exe";
    } else {
        reply["code"] = 200;
        reply["msg"] = "已是最新版本";
        reply["data"] = Json::Value::null;
    }
    return reply;
}

Json::Value UrlListReply(const ServiceState& state) {
    const std::string pages[] = {"/home#/suggest?id=", "/home/agreement", "/home/help", "/home/download",
                                 "/home"};
    Json::Value reply;
    reply["code"] = 200;
    reply["msg"] = "成功";
    reply["data"] = Json::Value(Json::arrayValue);
    for (const std::string& page : pages) {
        Json::Value entry;
        entry["url"] = state.BaseUrl() + page;
        reply["data"].append(entry);
    }
    return reply;
}

Json::Value StatisticsReply(ServiceState& state, const std::string& body) {
    Json::Value request;
    std::string report;
    Json::Value reply;
    if (!ParseJson(body, request) || !request.isObject() || !request["data"].isString() ||
        !OpenToolReport(request["data"].asString(), report)) {
        reply["code"] = 400;
        reply["msg"] = "报告无法解密";
        return reply;
    }
    state.SetMode(kArea, kLastReport, report);
    reply["code"] = 200;
    reply["msg"] = "成功";
    return reply;
}

}  // namespace

void RegisterToolEndpoints(httplib::Server& server, ServiceState& state) {
    server.Post("/Home/tool/version", [&state](const httplib::Request& req, httplib::Response& res) {
        const auto raw = state.Mode("reply", req.path);
        SendJson(state, req, res, raw ? *raw : CompactJson(VersionReply(state)));
    });
    server.Post("/Home/tool/statistics", [&state](const httplib::Request& req, httplib::Response& res) {
        const Json::Value reply = StatisticsReply(state, req.body);
        const auto raw = state.Mode("reply", req.path);
        SendJson(state, req, res, raw ? *raw : CompactJson(reply));
    });
    server.Get("/home/tool/urlList", [&state](const httplib::Request& req, httplib::Response& res) {
        const auto raw = state.Mode("reply", req.path);
        SendJson(state, req, res, raw ? *raw : CompactJson(UrlListReply(state)));
    });
    server.Get("/home/agreement", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(
            "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>许可协议</title></head>"
            "<body><p>Zorvik服务工具使用许可协议</p></body></html>",
            "text/html;charset=UTF-8");
    });
    server.Get("/_control/tool-report", [&state](const httplib::Request&, httplib::Response& res) {
        const auto report = state.Mode(kArea, kLastReport);
        if (!report) {
            res.status = 404;
            return;
        }
        res.set_content(*report, "application/json;charset=UTF-8");
    });
}
