#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <random>
#include <string>
#include <vector>

#include "datacollection/Base64Encoder.h"

using tessaly::Base64Encode;

namespace {

std::string Encode(const std::string& text) {
    return Base64Encode(reinterpret_cast<const unsigned char*>(text.data()), text.size());
}

}  // namespace

TEST(Base64Encoder, MatchesTheRfc4648Vectors) {
    const std::pair<std::string, std::string> vectors[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
    };
    for (const auto& [input, expected] : vectors)
        EXPECT_EQ(Encode(input), expected) << "input \"" << input << "\"";
}

TEST(Base64Encoder, UsesTheWholeAlphabetAndNoLineBreaks) {
    EXPECT_EQ(tessaly::Base64Alphabet.size(), 64u);
    const unsigned char high[] = {0xFB, 0xFF, 0xBF, 0x00, 0x10, 0x83};
    EXPECT_EQ(Base64Encode(high, sizeof high), "+/+/ABCD");
    const std::vector<unsigned char> longInput(300, 0xA5);
    EXPECT_EQ(Base64Encode(longInput.data(), longInput.size()).find('\n'), std::string::npos);
}

TEST(Base64Encoder, AgreesWithOpenSslOnRandomInput) {
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> byte(0, 255);
    for (size_t length = 0; length < 700; length += 1 + length / 8) {
        std::vector<unsigned char> input(length);
        for (auto& b : input) b = static_cast<unsigned char>(byte(random));
        std::vector<unsigned char> reference(4 * ((length + 2) / 3) + 1);
        const int written = EVP_EncodeBlock(reference.data(), input.data(), static_cast<int>(length));
        EXPECT_EQ(Base64Encode(input.data(), input.size()),
                  std::string(reinterpret_cast<const char*>(reference.data()), static_cast<size_t>(written)))
            << "length " << length;
    }
}
