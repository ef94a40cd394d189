#pragma once
#include <string>

namespace tessaly {

enum class Transfer {
    NoHandle,   // libcurl gave no handle ("couldn't init curl" printed)
    Failed,     // the transfer did not complete
    Completed,  // the reply, headers first, is in the response buffer
};

// POSTs the JSON body (ANSI text, sent as UTF-8) to the tool service path.
Transfer PostJson(const char* path, const std::string& body);
// A plain GET of the tool service path.
Transfer Get(const char* path);

// HTTPS base of the tool service: the compiled default, or the address the
// environment names.
const std::string& ToolServiceBase();

}  // namespace tessaly
