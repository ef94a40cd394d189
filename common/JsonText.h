#pragma once
#include <json/json.h>

#include <string>

// A JSON value in the styled form the web service expects of request bodies:
// members in byte order of their keys, one per line, three spaces of
// indentation, " : " between key and value, a line feed after the closing
// brace. Bytes from 0x80 pass unchanged; bytes 1-31 without a short escape
// are written as \u00XX with upper-case hex digits.
std::string StyledJson(const Json::Value& value);

// Reads the last reply in ResponseBuffer: converted from UTF-8 to the OEM code
// page, parsed from its first "{" (anything before it, such as the HTTP status
// line and headers, is skipped; comments are accepted). False when a chunk of
// the reply was dropped, there is no "{" or the JSON is malformed; a failed
// conversion throws.
bool ReadResponseJson(Json::Value& root);
