#pragma once
// What the local service serves under /files/<name>, for byte-exact checks of
// downloaded driver files.
#include <cstdint>
#include <string>

namespace pelltest {

// Lower-case hex SHA-256 of the file the service serves as `name` (of
// `size` bytes) at content `version` (see service/FileEndpoints.h).
std::string ServedFileSha256(const std::string& name, uint64_t size, uint32_t version = 1);

// Lower-case hex SHA-256 of a file on disk; empty when it cannot be read.
std::string FileSha256(const std::string& path);

}  // namespace pelltest
