#pragma once
#include <string>

namespace os {

// Number of running processes whose executable's file name (without its
// folder) equals `fileName` exactly, case-sensitive; -1 when the process
// list cannot be read. The calling process counts when its name matches.
int CountProcessesNamed(const std::string& fileName);

}  // namespace os
