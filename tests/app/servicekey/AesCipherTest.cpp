#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <random>
#include <string>
#include <vector>

#include "app/servicekey/AesCipher.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes FromHex(const std::string& hex) {
    Bytes out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return out;
}

Bytes RandomBytes(std::mt19937& random, size_t n) {
    Bytes out(n);
    for (uint8_t& b : out) b = static_cast<uint8_t>(random());
    return out;
}

const EVP_CIPHER* EcbFor(size_t keyLength) {
    return keyLength == 16 ? EVP_aes_128_ecb() : keyLength == 24 ? EVP_aes_192_ecb() : EVP_aes_256_ecb();
}

// OpenSSL's AES over whole blocks, without padding.
Bytes OpenSslEcb(const Bytes& key, const Bytes& data, bool encrypt) {
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    Bytes out(data.size() + 16);
    int written = 0;
    int last = 0;
    EXPECT_EQ(EVP_CipherInit_ex(ctx, EcbFor(key.size()), nullptr, key.data(), nullptr, encrypt ? 1 : 0), 1);
    EVP_CIPHER_CTX_set_padding(ctx, 0);
    EXPECT_EQ(EVP_CipherUpdate(ctx, out.data(), &written, data.data(), static_cast<int>(data.size())), 1);
    EXPECT_EQ(EVP_CipherFinal_ex(ctx, out.data() + written, &last), 1);
    EVP_CIPHER_CTX_free(ctx);
    out.resize(static_cast<size_t>(written + last));
    return out;
}

CAesCipher Keyed(const Bytes& key) {
    CAesCipher cipher;
    cipher.SetKey(key.data(), static_cast<int>(key.size()));
    return cipher;
}

Bytes Encrypt(const CAesCipher& cipher, const Bytes& block) {
    Bytes out(16);
    cipher.EncryptBlock(block.data(), out.data());
    return out;
}

Bytes Decrypt(const CAesCipher& cipher, const Bytes& block) {
    Bytes out(16);
    cipher.DecryptBlock(block.data(), out.data());
    return out;
}

Bytes Process(const CAesCipher& cipher, const Bytes& in, unsigned length, unsigned mode) {
    Bytes out(in.size(), 0xAA);
    cipher.Process(in.data(), out.data(), length, mode);
    return out;
}

TEST(AesCipher, MatchesTheStandardsExampleVectors) {
    struct Vector {
        const char* key;
        const char* plain;
        const char* cipher;
    };
    const Vector vectors[] = {
        {"2b7e151628aed2a6abf7158809cf4f3c", "3243f6a8885a308d313198a2e0370734",
         "3925841d02dc09fbdc118597196a0b32"},
        {"000102030405060708090a0b0c0d0e0f", "00112233445566778899aabbccddeeff",
         "69c4e0d86a7b0430d8cdb78070b4c55a"},
        {"000102030405060708090a0b0c0d0e0f1011121314151617", "00112233445566778899aabbccddeeff",
         "dda97ca4864cdfe06eaf70a0ec0d7191"},
        {"000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f",
         "00112233445566778899aabbccddeeff", "8ea2b7ca516745bfeafc49904b496089"},
    };
    for (const Vector& v : vectors) {
        const CAesCipher cipher = Keyed(FromHex(v.key));
        EXPECT_EQ(Encrypt(cipher, FromHex(v.plain)), FromHex(v.cipher)) << v.key;
        EXPECT_EQ(Decrypt(cipher, FromHex(v.cipher)), FromHex(v.plain)) << v.key;
    }
}

TEST(AesCipher, AgreesWithOpenSslOnRandomKeysAndBlocks) {
    std::mt19937 random(20240917);
    for (size_t keyLength : {16u, 24u, 32u}) {
        for (int round = 0; round < 200; ++round) {
            const Bytes key = RandomBytes(random, keyLength);
            const Bytes block = RandomBytes(random, 16);
            const CAesCipher cipher = Keyed(key);
            ASSERT_EQ(Encrypt(cipher, block), OpenSslEcb(key, block, true)) << keyLength;
            ASSERT_EQ(Decrypt(cipher, block), OpenSslEcb(key, block, false)) << keyLength;
        }
    }
}

TEST(AesCipher, EcbModeDecryptsEveryBlock) {
    std::mt19937 random(7);
    const Bytes key = RandomBytes(random, 32);
    const Bytes data = RandomBytes(random, 64);
    EXPECT_EQ(Process(Keyed(key), data, 64, CAesCipher::kEcb), OpenSslEcb(key, data, false));
}

// The counter mode's key stream: OpenSSL encrypts the counter blocks that
// the little-endian increment gives, written out here by hand.
TEST(AesCipher, CounterModeCountsLittleEndian) {
    std::mt19937 random(11);
    const Bytes key = RandomBytes(random, 16);
    struct Case {
        const char* start;
        std::vector<const char*> following;
    };
    const Case cases[] = {
        // Byte 0 carries into byte 1.
        {"fe000000000000000000000000000000",
         {"ff000000000000000000000000000000", "00010000000000000000000000000000",
          "01010000000000000000000000000000"}},
        // A carry through several bytes; the last byte is the most significant.
        {"ffffff00000000000000000000000077",
         {"00000001000000000000000000000077", "01000001000000000000000000000077"}},
        // Sixteen 0xFF bytes wrap to zero.
        {"ffffffffffffffffffffffffffffffff",
         {"00000000000000000000000000000000", "01000000000000000000000000000000"}},
    };
    for (const Case& c : cases) {
        Bytes counters = FromHex(c.start);
        for (const char* next : c.following) {
            const Bytes block = FromHex(next);
            counters.insert(counters.end(), block.begin(), block.end());
        }
        const Bytes keyStream = OpenSslEcb(key, counters, true);
        const Bytes data = RandomBytes(random, counters.size());
        Bytes expected(data.size());
        for (size_t i = 0; i < data.size(); ++i) expected[i] = data[i] ^ keyStream[i];

        CAesCipher cipher = Keyed(key);
        cipher.SetCounter(FromHex(c.start).data());
        EXPECT_EQ(Process(cipher, data, static_cast<unsigned>(data.size()), CAesCipher::kCtr), expected)
            << c.start;
    }
}

TEST(AesCipher, CounterModeRestartsFromTheStoredBlockAndUndoesItself) {
    std::mt19937 random(13);
    CAesCipher cipher = Keyed(RandomBytes(random, 24));
    cipher.SetCounter(RandomBytes(random, 16).data());
    const Bytes data = RandomBytes(random, 48);
    const Bytes once = Process(cipher, data, 48, CAesCipher::kCtr);
    EXPECT_NE(once, data);
    EXPECT_EQ(Process(cipher, data, 48, CAesCipher::kCtr), once);
    EXPECT_EQ(Process(cipher, once, 48, CAesCipher::kCtr), data);

    // In place works as well.
    Bytes inPlace = data;
    cipher.Process(inPlace.data(), inPlace.data(), 48, CAesCipher::kCtr);
    EXPECT_EQ(inPlace, once);
}

TEST(AesCipher, CallsThatCannotActLeaveTheOutputAlone) {
    std::mt19937 random(17);
    const Bytes key = RandomBytes(random, 16);
    const Bytes counter = RandomBytes(random, 16);
    const Bytes data = RandomBytes(random, 32);
    const Bytes untouched(32, 0xAA);

    CAesCipher withCounter = Keyed(key);
    withCounter.SetCounter(counter.data());
    EXPECT_EQ(Process(withCounter, data, 20, CAesCipher::kCtr), untouched) << "not whole blocks";
    EXPECT_EQ(Process(withCounter, data, 0, CAesCipher::kCtr), untouched) << "nothing to do";
    EXPECT_EQ(Process(withCounter, data, 32, 5), untouched) << "no such mode";
    // No initial vector can be set, so the three chained modes never act.
    for (unsigned mode : {CAesCipher::kCbc, CAesCipher::kCfb, CAesCipher::kOfb})
        EXPECT_EQ(Process(withCounter, data, 32, mode), untouched) << mode;

    const CAesCipher withoutCounter = Keyed(key);
    EXPECT_EQ(Process(withoutCounter, data, 32, CAesCipher::kCtr), untouched) << "no counter block";
    withCounter.SetCounter(nullptr);
    EXPECT_EQ(Process(withCounter, data, 32, CAesCipher::kCtr), untouched) << "counter block cleared";

    CAesCipher unkeyed;
    unkeyed.SetKey(key.data(), 20);
    unkeyed.SetKey(nullptr, 16);
    unkeyed.SetCounter(counter.data());
    EXPECT_EQ(Process(unkeyed, data, 32, CAesCipher::kCtr), untouched) << "no valid key";
    EXPECT_EQ(Process(unkeyed, data, 32, CAesCipher::kEcb), untouched) << "no valid key";
}

}  // namespace
