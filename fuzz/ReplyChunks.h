#pragma once
// Shared by the reply-parser harnesses: byte 0 of an input picks the parser,
// byte 1 the point where the rest, the reply, is split into two chunks.
#include <cstddef>
#include <cstdint>

#include "common/ResponseBuffer.h"

// Puts the reply of `data` into the response buffer through the transfer
// callback, in two chunks, as a transfer would.
inline void FeedReplyInTwoChunks(const uint8_t* data, size_t size) {
    const char* reply = reinterpret_cast<const char*>(data + 2);
    const size_t length = size - 2;
    const size_t split = length == 0 ? 0 : data[1] % (length + 1);
    ResetResponseBuffer();
    OnResponseData(reply, 1, split, nullptr);
    OnResponseData(reply + split, 1, length - split, nullptr);
}
