#include "common/JsonText.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/ResponseBuffer.h"

namespace {

TEST(StyledJson, FourLineBodyInKeyOrderWithFinalLineFeed) {
    Json::Value body;
    body["searchKey"] = "PF0ABCDE";
    body["osid"] = "42";
    EXPECT_EQ(StyledJson(body), "{\n   \"osid\" : \"42\",\n   \"searchKey\" : \"PF0ABCDE\"\n}\n");
}

TEST(StyledJson, EscapesAsTheServiceExpects) {
    Json::Value body;
    body["k"] = std::string("\"\\/\b\f\n\r\t\x01\x1b\x7f") + "驱动\xFF";
    EXPECT_EQ(StyledJson(body),
              "{\n   \"k\" : \"\\\"\\\\/\\b\\f\\n\\r\\t\\u0001\\u001B\x7f"
              "驱动\xFF\"\n}\n");
    Json::Value tricky;
    tricky["k"] = "\\u001b";  // literal text, not an escape
    EXPECT_EQ(StyledJson(tricky), "{\n   \"k\" : \"\\\\u001b\"\n}\n");
}

void SetReply(const std::string& text) {
    ResetResponseBuffer();
    OnResponseData(text.data(), 1, text.size(), nullptr);
}

TEST(ReadResponseJson, SkipsHeadersAndAcceptsComments) {
    SetReply(
        "HTTP/1.1 500 Internal Server Error\r\nContent-Type: application/json\r\n\r\n"
        "{ /* note */ \"a\" : 1 // trailing\n }");
    Json::Value root;
    ASSERT_TRUE(ReadResponseJson(root));
    EXPECT_EQ(root["a"].asInt(), 1);
}

TEST(ReadResponseJson, FailsWithoutBraceOrOnBrokenJson) {
    Json::Value root;
    for (const char* reply :
         {"HTTP/1.1 200 OK\r\n\r\nno json here", "", "HTTP/1.1 200 OK\r\n\r\n{\"a\":", "{,}"}) {
        SetReply(reply);
        EXPECT_FALSE(ReadResponseJson(root)) << reply;
    }
}

}  // namespace
