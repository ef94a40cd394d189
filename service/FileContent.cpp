#include "FileContent.h"

#include <cstring>

namespace service {
namespace {

uint64_t SplitMix(uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

uint64_t Seed(const std::string& name, uint32_t version) {
    uint64_t hash = 0xCBF29CE484222325ULL;  // FNV-1a
    for (unsigned char c : name) hash = (hash ^ c) * 0x100000001B3ULL;
    return SplitMix(hash ^ (static_cast<uint64_t>(version) << 32));
}

}  // namespace

void Fill(const std::string& name, uint32_t version, uint64_t offset, char* out, size_t length) {
    const uint64_t seed = Seed(name, version);
    uint64_t block = offset / 8;
    size_t skip = static_cast<size_t>(offset % 8);
    while (length > 0) {
        uint64_t word = SplitMix(seed + block++);
        unsigned char bytes[8];
        std::memcpy(bytes, &word, 8);
        size_t take = std::min(length, 8 - skip);
        std::memcpy(out, bytes + skip, take);
        out += take;
        length -= take;
        skip = 0;
    }
}

}  // namespace service
