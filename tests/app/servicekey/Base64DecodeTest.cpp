#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <random>
#include <string>
#include <vector>

#include "app/servicekey/Base64Decode.h"

namespace {

struct Decoded {
    int result;
    std::string bytes;  // what was written before the result
};

Decoded Decode(const char* text, unsigned limit = 0, size_t room = 64) {
    std::vector<uint8_t> out(room, 0xEE);
    const int result = Base64Decode(text, out.data(), limit);
    size_t written = 0;
    while (written < out.size() && out[written] != 0xEE) ++written;
    return {result, std::string(out.begin(), out.begin() + static_cast<long>(written))};
}

TEST(Base64Decode, FramingAndPadding) {
    struct Case {
        const char* text;
        unsigned limit;
        int result;
        std::string bytes;
    };
    const Case cases[] = {
        {"YWJj", 0, 3, "abc"},
        {"+ YWJj", 0, 3, "abc"},
        {" YWJj", 0, -1, ""},
        {"YWJj\r\nZGVm", 0, 3, "abc"},
        {"YWJjZGVm", 0, 6, "abcdef"},
        {"\rYWJj", 0, 0, ""},
        {"+ \rYWJj", 0, 0, ""},
        {"", 0, 0, ""},
        // Limit 2 on three bytes: two are written, then the refusal.
        {"YWJj", 2, -1, "ab"},
        {"YWJj", 3, 3, "abc"},
        // "==" and "=" end the text: what follows is not read.
        {"YQ==ZGVm", 0, 1, "a"},
        {"YWI=ZGVm", 0, 2, "ab"},
        // A third "=" with a fourth character: one byte, and decoding goes on.
        {"YR=hYWJj", 0, 4, "aabc"},
        // A text that ends inside a group.
        {"YWJjZA", 0, -1, "abc"},
        {"YWJjZ", 0, -1, "abc"},
        // Characters outside the standard alphabet.
        {"YW-j", 0, -1, ""},
        {"YW_j", 0, -1, ""},
        {"YWJj\nZGVm", 0, -1, "abc"},
        {"YWJj ZGVm", 0, -1, "abc"},
        {"Y=Jj", 0, -1, ""},
        {"YWJj\xC3\xA4WJj", 0, -1, "abc"},
    };
    for (const Case& c : cases) {
        const Decoded d = Decode(c.text, c.limit);
        EXPECT_EQ(d.result, c.result) << '"' << c.text << '"';
        EXPECT_EQ(d.bytes, c.bytes) << '"' << c.text << '"';
    }
}

TEST(Base64Decode, NullArgumentsAreRefused) {
    uint8_t out[4];
    EXPECT_EQ(Base64Decode(nullptr, out, 0), -1);
    EXPECT_EQ(Base64Decode("YWJj", nullptr, 0), -1);
}

TEST(Base64Decode, RoundTripsOpenSslsEncoding) {
    std::mt19937 random(5);
    for (size_t size = 0; size < 300; ++size) {
        std::vector<uint8_t> data(size);
        for (uint8_t& b : data) b = static_cast<uint8_t>(random());
        std::string text(4 * ((size + 2) / 3) + 1, '\0');
        const int length = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(text.data()), data.data(),
                                           static_cast<int>(size));
        text.resize(static_cast<size_t>(length));

        std::vector<uint8_t> out(size + 1, 0xEE);
        ASSERT_EQ(Base64Decode(text.c_str(), out.data(), static_cast<unsigned>(size)), static_cast<int>(size))
            << size;
        out.resize(size);
        ASSERT_EQ(out, data) << size;
    }
}

}  // namespace
