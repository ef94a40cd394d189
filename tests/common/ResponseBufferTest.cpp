#include "common/ResponseBuffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/JsonText.h"

namespace {

class ResponseBufferTest : public ::testing::Test {
protected:
    void SetUp() override { ResetResponseBuffer(); }
    static size_t Append(const std::string& chunk) {
        return OnResponseData(chunk.data(), 1, chunk.size(), nullptr);
    }
};

TEST_F(ResponseBufferTest, ChunksAppendAndStayTerminated) {
    EXPECT_EQ(OnResponseData("HTTP/1.1 200 OK\r\n", 17, 1, nullptr), 17u);
    EXPECT_EQ(Append("{\"a\":1}"), 7u);
    EXPECT_EQ(ResponseLength, 24);
    EXPECT_STREQ(ResponseBuffer, "HTTP/1.1 200 OK\r\n{\"a\":1}");
    EXPECT_EQ(Append(""), 0u);
    EXPECT_EQ(ResponseLength, 24);
}

TEST_F(ResponseBufferTest, ReplyOfExactlyTheLimitLessOneIsKeptAndMoreIsDropped) {
    const std::string big(1048575, 'x');
    EXPECT_EQ(Append(big), big.size());
    EXPECT_EQ(ResponseLength, 1048575);
    EXPECT_EQ(ResponseBuffer[1048575], '\0');
    EXPECT_EQ(Append("y"), 1u);
    EXPECT_EQ(ResponseLength, 1048575);
    EXPECT_EQ(ResponseBuffer[1048575], '\0');
    EXPECT_EQ(ResponseBuffer[kResponseBufferSize - 1], '\0');
}

TEST_F(ResponseBufferTest, ChunkThatDoesNotFitIsDroppedAndASmallerOneStillFits) {
    ASSERT_EQ(Append(std::string(1048560, 'x')), 1048560u);
    EXPECT_EQ(Append(std::string(20, 'a')), 20u);
    EXPECT_EQ(ResponseLength, 1048560);
    EXPECT_EQ(Append(std::string(10, 'b')), 10u);
    EXPECT_EQ(ResponseLength, 1048570);
    EXPECT_EQ(std::string(ResponseBuffer + 1048560), std::string(10, 'b'));
}

// The start of a long reply and a small later chunk may join into valid
// JSON; once a chunk was dropped the reply is not read at all.
TEST_F(ResponseBufferTest, AReplyThatLostAChunkDoesNotReadUntilTheNextReply) {
    const std::string start = "{\"Message\":\"";
    ASSERT_EQ(Append(start + std::string(1048560 - start.size(), 'x')), 1048560u);
    Append(std::string(20, 'x'));
    Append("\"}");
    ASSERT_EQ(ResponseLength, 1048562);
    Json::Value root;
    EXPECT_FALSE(ReadResponseJson(root)) << "the kept bytes are valid JSON, but not the reply";

    ResetResponseBuffer();
    Append("{\"Message\":\"ok\"}");
    ASSERT_TRUE(ReadResponseJson(root));
    EXPECT_EQ(root["Message"].asString(), "ok");
}

TEST_F(ResponseBufferTest, CountTimesSizeThatOverflowsIsDropped) {
    const char byte = 'z';
    EXPECT_EQ(OnResponseData(&byte, SIZE_MAX / 2 + 1, 2, nullptr), (SIZE_MAX / 2 + 1) * 2);
    EXPECT_EQ(ResponseLength, 0);
}

TEST_F(ResponseBufferTest, ResetZeroesEverything) {
    Append("{\"old\":true}");
    ResetResponseBuffer();
    EXPECT_EQ(ResponseLength, 0);
    const char zeros[64] = {};
    EXPECT_EQ(std::memcmp(ResponseBuffer, zeros, sizeof zeros), 0);
}

}  // namespace
