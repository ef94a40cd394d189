#include "app/servicekey/Base64Decode.h"

namespace {

// The value of a character of the standard alphabet, or -1.
int AlphabetValue(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

bool IsAlphabetOrPad(char c) {
    return c == '=' || AlphabetValue(c) >= 0;
}

}  // namespace

int Base64Decode(const char* text, uint8_t* output, unsigned limit) {
    if (text == nullptr || output == nullptr) return -1;
    const char* s = text;
    if (s[0] == '+' && s[1] == ' ') s += 2;
    if (*s == '\r') return 0;

    unsigned written = 0;
    const auto put = [&](unsigned value) {
        if (limit != 0 && written + 1 > limit) return false;
        output[written++] = static_cast<uint8_t>(value);
        return true;
    };
    for (;;) {
        if (*s == '\0' || *s == '\r') break;
        // Each character is looked at only when the one before it was no
        // terminator, so a short text is never read past its end.
        if (AlphabetValue(s[0]) < 0 || AlphabetValue(s[1]) < 0 || !IsAlphabetOrPad(s[2]) ||
            !IsAlphabetOrPad(s[3]))
            return -1;
        const unsigned q = static_cast<unsigned>(AlphabetValue(s[0]));
        const unsigned r = static_cast<unsigned>(AlphabetValue(s[1]));
        if (!put((q << 2) | (r >> 4))) return -1;
        if (s[2] != '=') {
            const unsigned t = static_cast<unsigned>(AlphabetValue(s[2]));
            if (!put((r << 4) | (t >> 2))) return -1;
            if (s[3] != '=' && !put((t << 6) | static_cast<unsigned>(AlphabetValue(s[3])))) return -1;
        }
        const bool last = s[3] == '=';
        s += 4;
        if (last) break;
    }
    return static_cast<int>(written);
}
