#include "datacollection/Base64Encoder.h"

namespace tessaly {

const std::string Base64Alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

namespace {

void AppendGroup(std::string& out, const unsigned char group[3], size_t kept) {
    const unsigned bits = (unsigned{group[0]} << 16) | (unsigned{group[1]} << 8) | group[2];
    const size_t characters = kept + 1;
    for (size_t i = 0; i < 4; ++i) {
        if (i < characters)
            out += Base64Alphabet[(bits >> (18 - 6 * i)) & 0x3F];
        else
            out += '=';
    }
}

}  // namespace

std::string Base64Encode(const unsigned char* data, size_t length) {
    std::string out;
    out.reserve((length + 2) / 3 * 4);
    size_t p = 0;
    for (; p + 3 <= length; p += 3) AppendGroup(out, data + p, 3);
    if (p < length) {
        unsigned char rest[3] = {0, 0, 0};
        for (size_t i = 0; p + i < length; ++i) rest[i] = data[p + i];
        AppendGroup(out, rest, length - p);
    }
    return out;
}

}  // namespace tessaly
