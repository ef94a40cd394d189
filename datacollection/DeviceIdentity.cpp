#include "datacollection/DeviceIdentity.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "datacollection/CmdCommandOp.h"
#include "datacollection/DataCollectionApi.h"
#include "os/Thread.h"

namespace tessaly {

namespace {

constexpr int kDeviceOutputCapacity = 32767;
constexpr int kEnoughOutput = 100;
constexpr uint32_t kPollMs = 500;

char DeviceOutputBuffer[kDeviceOutputCapacity + 1];
// Published after the bytes it counts.
std::atomic<int> DeviceOutputLength{0};

// The value after the first `key` in text, up to the first CR LF after it;
// false when the key or the CR LF is missing.
bool ValueAfter(const std::string& text, const char* key, std::string& value) {
    const size_t at = text.find(key);
    if (at == std::string::npos) return false;
    const size_t start = at + std::strlen(key);
    const size_t end = text.find("\r\n", start);
    if (end == std::string::npos) return false;
    value = text.substr(start, end - start);
    return true;
}

}  // namespace

bool ParseDeviceInfoText(DeviceInfoRecord& record, const std::string& text) {
    if (text.find("IdentifyingNumber=") != std::string::npos) {
        ValueAfter(text, "IdentifyingNumber=", record.IdentifyingNumber);
        ValueAfter(text, "Name=", record.Name);
        ValueAfter(text, "Vendor=", record.Vendor);
        ValueAfter(text, "Version=", record.Version);
    }
    return !record.Version.empty();
}

void DeviceInfoOutputSink(const char* data, int length, int) {
    if (data == nullptr || length <= 0) return;
    const int held = DeviceOutputLength.load(std::memory_order_relaxed);
    const int taken = std::min(length, kDeviceOutputCapacity - held);
    if (taken <= 0) return;
    std::memcpy(DeviceOutputBuffer + held, data, static_cast<size_t>(taken));
    DeviceOutputLength.store(held + taken, std::memory_order_release);
}

void CollectDeviceInfo(DeviceInfoRecord& record, const std::string& command, uint32_t waitMs) {
    DeviceOutputLength.store(0, std::memory_order_relaxed);
    CCmdCommandOp* runner = CreateCmdCommandOp();
    if (runner != nullptr) {
        SetCmdOutputCallback(runner, &DeviceInfoOutputSink, 0);
        RunCmdCommand(runner, command.data(), static_cast<int>(command.size()));
    }
    int collected = DeviceOutputLength.load(std::memory_order_acquire);
    for (uint32_t waited = 0; collected < kEnoughOutput && waited < waitMs; waited += kPollMs) {
        os::Sleep(kPollMs);
        collected = DeviceOutputLength.load(std::memory_order_acquire);
    }
    if (collected >= kEnoughOutput) {
        // Only the published bytes: the reader may still be appending, and
        // the buffer keeps older output beyond them.
        const std::string chunk(DeviceOutputBuffer, static_cast<size_t>(collected));
        ParseDeviceInfoText(record, chunk.substr(0, chunk.find('\0')));
    }
    if (runner != nullptr) DestroyCmdCommandOp(runner);
}

}  // namespace tessaly
