#include "driverinfo/ReplyRules.h"

#include <cctype>
#include <climits>
#include <cmath>

namespace {

const Json::Value& EmptyArray() {
    static const Json::Value empty(Json::arrayValue);
    return empty;
}

const Json::Value& EmptyObject() {
    static const Json::Value empty(Json::objectValue);
    return empty;
}

[[noreturn]] void Unreadable(const char* key, const char* what) {
    throw UnreadableReply(std::string("member ") + key + " " + what);
}

}  // namespace

bool IsInt32(const Json::Value& value) {
    return (value.type() == Json::intValue || value.type() == Json::uintValue) && value.isInt();
}

std::string TextRule(const Json::Value& object, const char* key) {
    const Json::Value& value = object[key];
    if (value.isString()) return value.asString();
    if (value.isNull()) return {};
    if (value.isBool()) return value.asBool() ? "true" : "false";
    Unreadable(key, "is not text");
}

int32_t IntegerRule(const Json::Value& object, const char* key) {
    const Json::Value& value = object[key];
    if (value.isNull()) return 0;
    if (value.isBool()) return value.asBool() ? 1 : 0;
    if (IsInt32(value)) return value.asInt();
    if (value.type() == Json::realValue) {
        const double truncated = std::trunc(value.asDouble());
        if (truncated >= INT32_MIN && truncated <= INT32_MAX) return static_cast<int32_t>(truncated);
    }
    Unreadable(key, "is not a 32-bit integer");
}

int32_t NumberFromTextRule(const Json::Value& object, const char* key) {
    return LeadingNumber(TextRule(object, key));
}

const Json::Value& ListRule(const Json::Value& object, const char* key) {
    const Json::Value& value = object[key];
    if (value.isNull()) return EmptyArray();
    if (!value.isArray()) Unreadable(key, "is not a list");
    for (const auto& element : value) {
        if (!element.isObject()) Unreadable(key, "holds an element that is not an object");
    }
    return value;
}

const Json::Value& ObjectRule(const Json::Value& object, const char* key) {
    const Json::Value& value = object[key];
    if (value.isNull()) return EmptyObject();
    if (!value.isObject()) Unreadable(key, "is not an object");
    return value;
}

int32_t LeadingNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    const long long limit = negative ? -static_cast<long long>(INT32_MIN) : INT32_MAX;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit) {
            value = limit;
            break;
        }
    }
    return static_cast<int32_t>(negative ? -value : value);
}
