#pragma once
#include <string>

#include "common/ServiceRequest.h"

namespace tessaly {

using Transfer = ServiceTransfer;

// POSTs the JSON body (ANSI text, sent as UTF-8) to the tool service path;
// the reply, headers first, lands in the response buffer.
Transfer PostJson(const char* path, const std::string& body);
// A plain GET of the tool service path, its body into the response buffer.
Transfer Get(const char* path);

// HTTPS base of the tool service: the compiled default, or the address the
// environment names.
const std::string& ToolServiceBase();

}  // namespace tessaly
