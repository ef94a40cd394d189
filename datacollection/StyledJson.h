#pragma once
#include <json/value.h>
#include <string>

namespace tessaly {

// jsoncpp's styled form: members in byte order of their keys, three spaces of
// indentation, " : " between key and value, a newline after the closing brace.
// Bytes from 0x80 up pass through unescaped.
std::string StyledJson(const Json::Value& value);

}  // namespace tessaly
