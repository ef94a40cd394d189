#pragma once
#include <string_view>

namespace fendrel {

enum class NameCheck { kFits, kTooLong, kNotText };

// Whether a UTF-8 leaf name survives the Joliet tree unshortened. Joliet
// counts UTF-16 units: with the long-name extension 103 for a folder or a file
// without extension, and 103 beside the dot for a file with one.
NameCheck CheckJolietName(std::string_view utf8Name, bool isFolder);

}  // namespace fendrel
