#include "datacollection/ToolReplies.h"

#include <stdexcept>

#include "common/JsonText.h"

namespace tessaly {

std::string ToolDownloadUrl;
ServiceUrlTable GlobalServiceUrls;

namespace {

constexpr int kCodeNewerVersion = 202;
constexpr int kCodeOk = 200;
constexpr int kUrlEntries = 5;

// The reply's JSON object and its integer "code"; code 0 when the reply holds
// no "{", does not parse, or its "code" is not an integer.
int ReadReply(Json::Value& root) {
    if (!ReadResponseJson(root)) return 0;
    const Json::Value& code = root["code"];
    return code.isInt() ? code.asInt() : 0;
}

// The text of a "url" member; a number, array or object is no address.
std::string UrlText(const Json::Value& url) {
    if (url.isNumeric()) throw std::runtime_error("url is a number");
    return url.asString();
}

}  // namespace

int ParseVersionResponse() {
    Json::Value root;
    const int code = ReadReply(root);
    if (code == kCodeNewerVersion && root["data"].isString()) ToolDownloadUrl = root["data"].asString();
    return code;
}

bool ParseUrlListResponse() {
    Json::Value root;
    const int code = ReadReply(root);
    if (code == kCodeOk && root["data"].isArray()) {
        const Json::Value& list = root["data"];
        for (Json::ArrayIndex i = 0; i < list.size() && i < kUrlEntries; ++i)
            GlobalServiceUrls.url[i] = UrlText(list[i]["url"]);
    }
    return code != 0;
}

}  // namespace tessaly
