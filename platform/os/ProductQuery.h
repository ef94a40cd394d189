#pragma once
#include <string>

namespace os {

// The shell command that prints the PC's product table (the firmware's DMI
// values) as "Key=value" lines ended by CR LF: Description, IdentifyingNumber
// (serial), Name, SKUNumber, UUID, Vendor, Version. A value that cannot be
// read (the serial and UUID need root) prints empty; the output is never
// shorter than 100 bytes.
const std::string& ProductQueryCommand();

}  // namespace os
