#pragma once
#include <json/json.h>

#include <cstdint>
#include <stdexcept>
#include <string>

// A reply that parsed as JSON but holds a value of the wrong kind.
class UnreadableReply : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The rules by which the parsers read members of an object; each throws
// UnreadableReply where the reply cannot be read.

// A string gives its text, absent or null gives "", true/false their names.
std::string TextRule(const Json::Value& object, const char* key);
// An integer or a real within int32 (truncated), true/false as 1/0, absent
// or null as 0.
int32_t IntegerRule(const Json::Value& object, const char* key);
// TextRule, then the leading decimal number of the text as atoi reads it.
int32_t NumberFromTextRule(const Json::Value& object, const char* key);
// An array whose elements are all objects; absent or null as an empty array.
const Json::Value& ListRule(const Json::Value& object, const char* key);
// An object; absent or null as an empty object.
const Json::Value& ObjectRule(const Json::Value& object, const char* key);

// True when the member is a JSON integer within the signed 32-bit range.
bool IsInt32(const Json::Value& value);

// Leading blanks, an optional sign, then digits up to the first non-digit; 0
// without digits. Out of range values stop at the int32 limits.
int32_t LeadingNumber(const std::string& text);
