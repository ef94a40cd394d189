#pragma once
#include <cstddef>
#include <cstdint>

// The reply of the last web request of this library: its bytes, then a NUL.
// One per library; no lock, one transfer at a time.
inline constexpr size_t kResponseBufferSize = 1048577;
// Bytes beyond this are never kept: the last byte stays the terminator.
inline constexpr int32_t kResponseLimit = 1048576;

extern char ResponseBuffer[kResponseBufferSize];
extern int32_t ResponseLength;

// Zeroes the whole buffer and the length before a transfer.
void ResetResponseBuffer();

// libcurl write callback. Appends a chunk when it fits whole, else drops it;
// always reports the chunk as taken so that the transfer goes on.
size_t OnResponseData(const char* data, size_t size, size_t count, void* userData);

// True once a chunk of the current reply was dropped. What the buffer holds
// then is no reply (a start and a later piece may even join into valid JSON),
// so readers refuse it.
bool ResponseWasCut();
