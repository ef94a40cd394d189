#include "app/servicekey/AesCipher.h"

#include <array>
#include <cstring>

namespace {

using Block = uint8_t[16];

// Arithmetic in GF(2^8) modulo x^8 + x^4 + x^3 + x + 1.
constexpr uint8_t Times2(uint8_t a) {
    return static_cast<uint8_t>((a << 1) ^ ((a & 0x80) != 0 ? 0x1b : 0x00));
}

constexpr uint8_t Multiply(uint8_t a, uint8_t b) {
    uint8_t product = 0;
    while (b != 0) {
        if ((b & 1) != 0) product ^= a;
        a = Times2(a);
        b >>= 1;
    }
    return product;
}

constexpr uint8_t RotateLeft(uint8_t v, int n) {
    return static_cast<uint8_t>((v << n) | (v >> (8 - n)));
}

// The S-box: the multiplicative inverse followed by the affine map. The
// inverses come from powers of the generator 3.
constexpr std::array<uint8_t, 256> MakeSBox() {
    std::array<uint8_t, 255> power{};
    std::array<int, 256> logarithm{};
    uint8_t p = 1;
    for (int i = 0; i < 255; ++i) {
        power[i] = p;
        logarithm[p] = i;
        p = static_cast<uint8_t>(p ^ Times2(p));
    }
    std::array<uint8_t, 256> box{};
    for (int x = 0; x < 256; ++x) {
        const uint8_t inverse = x == 0 ? 0 : power[(255 - logarithm[x]) % 255];
        box[x] = static_cast<uint8_t>(inverse ^ RotateLeft(inverse, 1) ^ RotateLeft(inverse, 2) ^
                                      RotateLeft(inverse, 3) ^ RotateLeft(inverse, 4) ^ 0x63);
    }
    return box;
}

constexpr std::array<uint8_t, 256> MakeInverse(const std::array<uint8_t, 256>& box) {
    std::array<uint8_t, 256> inverse{};
    for (int x = 0; x < 256; ++x) inverse[box[x]] = static_cast<uint8_t>(x);
    return inverse;
}

constexpr std::array<uint8_t, 256> kSBox = MakeSBox();
constexpr std::array<uint8_t, 256> kInvSBox = MakeInverse(kSBox);
static_assert(kSBox[0x00] == 0x63 && kSBox[0x53] == 0xed && kSBox[0xff] == 0x16);

constexpr uint8_t kRoundConstants[10] = {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80, 0x1b, 0x36};

uint32_t SubWord(uint32_t w) {
    return static_cast<uint32_t>(kSBox[w >> 24]) << 24 |
           static_cast<uint32_t>(kSBox[(w >> 16) & 0xff]) << 16 |
           static_cast<uint32_t>(kSBox[(w >> 8) & 0xff]) << 8 | kSBox[w & 0xff];
}

uint32_t RotWord(uint32_t w) {
    return (w << 8) | (w >> 24);
}

uint32_t LoadWord(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
           static_cast<uint32_t>(p[2]) << 8 | p[3];
}

void StoreWord(uint32_t w, uint8_t* p) {
    p[0] = static_cast<uint8_t>(w >> 24);
    p[1] = static_cast<uint8_t>(w >> 16);
    p[2] = static_cast<uint8_t>(w >> 8);
    p[3] = static_cast<uint8_t>(w);
}

// InvMixColumns of one column held as a big-endian word.
uint32_t InvMixWord(uint32_t w) {
    uint8_t c[4];
    StoreWord(w, c);
    uint8_t m[4];
    for (int r = 0; r < 4; ++r)
        m[r] = Multiply(c[r], 0x0e) ^ Multiply(c[(r + 1) % 4], 0x0b) ^ Multiply(c[(r + 2) % 4], 0x0d) ^
               Multiply(c[(r + 3) % 4], 0x09);
    return LoadWord(m);
}

// The state is 16 bytes in input order: byte r + 4c is row r of column c.
void AddRoundKey(Block state, const uint32_t* words) {
    for (int c = 0; c < 4; ++c) {
        uint8_t k[4];
        StoreWord(words[c], k);
        for (int r = 0; r < 4; ++r) state[4 * c + r] ^= k[r];
    }
}

void SubBytes(Block state, const std::array<uint8_t, 256>& box) {
    for (int i = 0; i < 16; ++i) state[i] = box[state[i]];
}

// Row r moves r columns to the left (`inverse`: to the right).
void ShiftRows(Block state, bool inverse) {
    uint8_t copy[16];
    std::memcpy(copy, state, 16);
    for (int r = 1; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            const int from = inverse ? (c + 4 - r) % 4 : (c + r) % 4;
            state[4 * c + r] = copy[4 * from + r];
        }
}

void MixColumns(Block state) {
    for (int c = 0; c < 4; ++c) {
        uint8_t* col = state + 4 * c;
        const uint8_t a[4] = {col[0], col[1], col[2], col[3]};
        for (int r = 0; r < 4; ++r)
            col[r] =
                Times2(a[r]) ^ (Times2(a[(r + 1) % 4]) ^ a[(r + 1) % 4]) ^ a[(r + 2) % 4] ^ a[(r + 3) % 4];
    }
}

void InvMixColumns(Block state) {
    for (int c = 0; c < 4; ++c) StoreWord(InvMixWord(LoadWord(state + 4 * c)), state + 4 * c);
}

void XorBlock(const uint8_t* a, const uint8_t* b, uint8_t* out) {
    for (int i = 0; i < 16; ++i) out[i] = a[i] ^ b[i];
}

// Byte 0 is the least significant byte of the counter.
void IncrementLittleEndian(Block counter) {
    for (int i = 0; i < 16; ++i) {
        if (counter[i] != 0xff) {
            ++counter[i];
            return;
        }
        counter[i] = 0x00;
    }
}

}  // namespace

CAesCipher::CAesCipher()
    : keySet(false),
      encryptKeys{},
      decryptKeys{},
      keyLength(0),
      rounds(0),
      ivSet(false),
      iv{},
      counterSet(false),
      counter{} {}

void CAesCipher::SetKey(const uint8_t* key, int length) {
    if (key == nullptr || (length != 16 && length != 24 && length != 32)) return;
    keyLength = length;
    rounds = length / 4 + 6;
    keySet = true;

    const int nk = length / 4;
    const int total = 4 * (rounds + 1);
    for (int i = 0; i < nk; ++i) encryptKeys[i] = LoadWord(key + 4 * i);
    for (int i = nk; i < total; ++i) {
        uint32_t temp = encryptKeys[i - 1];
        if (i % nk == 0)
            temp = SubWord(RotWord(temp)) ^ static_cast<uint32_t>(kRoundConstants[i / nk - 1]) << 24;
        else if (nk > 6 && i % nk == 4)
            temp = SubWord(temp);
        encryptKeys[i] = encryptKeys[i - nk] ^ temp;
    }

    // The equivalent inverse cipher: round keys in reverse order, the inner
    // ones passed through InvMixColumns.
    for (int round = 0; round <= rounds; ++round)
        for (int c = 0; c < 4; ++c) {
            const uint32_t w = encryptKeys[4 * (rounds - round) + c];
            decryptKeys[4 * round + c] = round == 0 || round == rounds ? w : InvMixWord(w);
        }
}

void CAesCipher::SetCounter(const uint8_t* block) {
    if (block == nullptr) {
        counterSet = false;
        return;
    }
    std::memcpy(counter, block, sizeof counter);
    counterSet = true;
}

void CAesCipher::EncryptBlock(const uint8_t in[16], uint8_t out[16]) const {
    uint8_t state[16];
    std::memcpy(state, in, 16);
    AddRoundKey(state, encryptKeys);
    for (int round = 1; round < rounds; ++round) {
        SubBytes(state, kSBox);
        ShiftRows(state, false);
        MixColumns(state);
        AddRoundKey(state, encryptKeys + 4 * round);
    }
    SubBytes(state, kSBox);
    ShiftRows(state, false);
    AddRoundKey(state, encryptKeys + 4 * rounds);
    std::memcpy(out, state, 16);
}

void CAesCipher::DecryptBlock(const uint8_t in[16], uint8_t out[16]) const {
    uint8_t state[16];
    std::memcpy(state, in, 16);
    AddRoundKey(state, decryptKeys);
    for (int round = 1; round < rounds; ++round) {
        SubBytes(state, kInvSBox);
        ShiftRows(state, true);
        InvMixColumns(state);
        AddRoundKey(state, decryptKeys + 4 * round);
    }
    SubBytes(state, kInvSBox);
    ShiftRows(state, true);
    AddRoundKey(state, decryptKeys + 4 * rounds);
    std::memcpy(out, state, 16);
}

void CAesCipher::Process(const uint8_t* in, uint8_t* out, unsigned length, unsigned mode) const {
    if (in == nullptr || out == nullptr || !keySet || length == 0 || length % 16 != 0) return;
    if (mode > kCtr || (mode == kCtr && !counterSet) || (mode != kEcb && mode != kCtr && !ivSet)) return;

    // Working copies: every call starts from the stored blocks.
    uint8_t prev[16];
    uint8_t ctr[16];
    std::memcpy(prev, iv, 16);
    std::memcpy(ctr, counter, 16);
    for (unsigned offset = 0; offset < length; offset += 16) {
        // The input block is copied first so that in and out may be the same.
        uint8_t x[16];
        std::memcpy(x, in + offset, 16);
        uint8_t* y = out + offset;
        uint8_t k[16];
        switch (mode) {
            case kEcb:
                DecryptBlock(x, y);
                break;
            case kCbc:
                DecryptBlock(x, k);
                XorBlock(k, prev, y);
                std::memcpy(prev, x, 16);
                break;
            case kCfb:
                EncryptBlock(prev, k);
                XorBlock(k, x, y);
                std::memcpy(prev, x, 16);
                break;
            case kOfb:
                EncryptBlock(prev, k);
                XorBlock(k, x, y);
                std::memcpy(prev, k, 16);
                break;
            case kCtr:
                EncryptBlock(ctr, k);
                XorBlock(k, x, y);
                IncrementLittleEndian(ctr);
                break;
        }
    }
}
