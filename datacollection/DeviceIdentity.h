#pragma once
#include <cstdint>
#include <string>

struct DeviceInfoRecord;

namespace tessaly {

// How long the device query waits for its first 100 bytes before it gives
// up and leaves the record as it was.
constexpr uint32_t kDeviceOutputWaitMs = 5000;

// Fills the record from the query's "Key=value" lines ended by CR LF; takes
// nothing without "IdentifyingNumber=". True when Version is not empty.
bool ParseDeviceInfoText(DeviceInfoRecord& record, const std::string& text);

// Output callback of the device query: collects the chunks in the
// process-global output buffer (up to 32767 bytes; more is dropped).
void DeviceInfoOutputSink(const char* data, int length, int user);

// Runs `command` on the process's command runner, waits until 100 bytes of
// output have arrived (at most waitMs) and parses what arrived by then.
// Leaves the record untouched when the wait runs out.
void CollectDeviceInfo(DeviceInfoRecord& record, const std::string& command,
                       uint32_t waitMs = kDeviceOutputWaitMs);

}  // namespace tessaly
