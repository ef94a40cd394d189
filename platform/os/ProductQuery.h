#pragma once
#include <string>

namespace os {

// The shell command that prints the PC's product table (the firmware's DMI
// values) as "Key=value" lines ended by CR LF: Description, IdentifyingNumber
// (serial), Name, SKUNumber, UUID, Vendor, Version. A value that cannot be
// read (the serial and UUID need root) prints empty; the output is never
// shorter than 100 bytes. PELLUCOR_DMI_DIR names another folder of such
// value files in place of /sys/class/dmi/id (machines without firmware
// tables, tests).
const std::string& ProductQueryCommand();

}  // namespace os
