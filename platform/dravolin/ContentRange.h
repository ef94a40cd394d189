#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace dravolin {

// A Content-Range header value of a 206 answer: "bytes first-last/total",
// total -1 when the server gave "*".
struct ContentRange {
    int64_t first = 0;
    int64_t last = 0;
    int64_t total = -1;
};

// nullopt for anything that is not a well-formed, self-consistent byte range.
std::optional<ContentRange> ParseContentRange(std::string_view value);

}  // namespace dravolin
