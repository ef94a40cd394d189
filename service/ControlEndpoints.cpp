#include "ControlEndpoints.h"

#include "Reply.h"

namespace {

constexpr const char* kControlPrefix = "/_control/";

Json::Value LogAsJson(const std::vector<RequestRecord>& log) {
    Json::Value list(Json::arrayValue);
    for (const auto& record : log) {
        Json::Value item;
        item["method"] = record.method;
        item["path"] = record.path;
        item["headers"] = Json::Value(Json::objectValue);
        for (const auto& [name, value] : record.headers) item["headers"][name] = value;
        item["body"] = record.body;
        list.append(item);
    }
    return list;
}

void SendOk(httplib::Response& res) {
    res.set_content("{\"ok\":true}", "application/json");
}

// Reads the named text members of a control request; false when one is missing.
bool ReadMembers(const httplib::Request& req, std::initializer_list<const char*> names, Json::Value& body,
                 httplib::Response& res) {
    if (!ParseJson(req.body, body) || !body.isObject()) {
        SendBadRequest(res, "body is not a JSON object");
        return false;
    }
    for (const char* name : names) {
        if (!body[name].isString()) {
            SendBadRequest(res, std::string("missing text member ") + name);
            return false;
        }
    }
    return true;
}

void RecordRequest(ServiceState& state, const httplib::Request& req) {
    if (IsControlPath(req.path)) return;
    RequestRecord record{req.method, req.path, {}, req.body};
    for (const auto& [name, value] : req.headers) {
        // The server adds both ends' addresses to the headers; they were not sent.
        if (name == "REMOTE_ADDR" || name == "REMOTE_PORT" || name == "LOCAL_ADDR" || name == "LOCAL_PORT")
            continue;
        record.headers[name] = value;
    }
    state.Record(std::move(record));
}

}  // namespace

bool IsControlPath(const std::string& path) {
    return path.rfind(kControlPrefix, 0) == 0;
}

void RegisterControlEndpoints(httplib::Server& server, ServiceState& state) {
    // Runs after the handler and before the reply goes out, for routed and
    // unrouted requests alike.
    server.set_post_routing_handler(
        [&state](const httplib::Request& req, httplib::Response&) { RecordRequest(state, req); });

    server.Post("/_control/fault", [&state](const httplib::Request& req, httplib::Response& res) {
        Json::Value body;
        if (!ReadMembers(req, {"mode"}, body, res)) return;
        auto mode = FaultModeFromName(body["mode"].asString());
        if (!mode) return SendBadRequest(res, "unknown fault mode " + body["mode"].asString());
        if (!body["path"].isNull() && !body["path"].isString())
            return SendBadRequest(res, "path must be text");
        state.SetFault(*mode, body["path"].asString());
        SendOk(res);
    });
    server.Post("/_control/mode", [&state](const httplib::Request& req, httplib::Response& res) {
        Json::Value body;
        if (!ReadMembers(req, {"area", "key", "value"}, body, res)) return;
        state.SetMode(body["area"].asString(), body["key"].asString(), body["value"].asString());
        SendOk(res);
    });
    server.Get("/_control/log", [&state](const httplib::Request&, httplib::Response& res) {
        res.set_content(CompactJson(LogAsJson(state.Log())), "application/json;charset=UTF-8");
    });
    server.Post("/_control/reset-log", [&state](const httplib::Request&, httplib::Response& res) {
        state.ClearLog();
        SendOk(res);
    });
    server.Post("/_control/reset", [&state](const httplib::Request&, httplib::Response& res) {
        state.Reset();
        SendOk(res);
    });
}
