#pragma once
#include <httplib.h>
#include <json/json.h>

#include <string>

#include "ServiceState.h"

// JSON text as the maker's service writes it: compact, UTF-8 unescaped.
std::string CompactJson(const Json::Value& value);

// Parses a request body; false when it is not JSON.
bool ParseJson(const std::string& text, Json::Value& out);

// The text of a request member; empty when it is absent or not text.
std::string TextMember(const Json::Value& object, const char* name);

// Sends `json` as the reply to `req`, bent by the fault mode in force for
// the request's path. Every endpoint area replies through here so that the
// fault switch reaches all of them.
void SendJson(const ServiceState& state, const httplib::Request& req, httplib::Response& res,
              const std::string& json);
// The same for a reply of another content type; a bent reply is sent as JSON.
void SendReply(const ServiceState& state, const httplib::Request& req, httplib::Response& res,
               const std::string& body, const char* contentType);

// A reply to a bad control or test request.
void SendBadRequest(httplib::Response& res, const std::string& why);
