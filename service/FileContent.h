#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The bytes of a served driver file: a pseudo-random stream fixed by the
// file's name and version, so a test can rebuild any file and compare.
namespace service {

// Writes `length` bytes of the file starting at `offset` into `out`.
void Fill(const std::string& name, uint32_t version, uint64_t offset, char* out, size_t length);

}  // namespace service
