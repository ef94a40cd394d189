#pragma once
#include <string_view>

namespace fendrel {

enum class NameCheck { kFits, kTooLong, kNotText };

// Whether a UTF-8 leaf name survives every Joliet reader unshortened: at most
// 103 UTF-16 units, the dot of an extension included. Some readers cut longer
// names even where the long-name extension would hold one more beside the dot.
NameCheck CheckJolietName(std::string_view utf8Name);

}  // namespace fendrel
