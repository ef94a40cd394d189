#pragma once

namespace service {

// Private half of the key that sealed usage reports are encrypted with.
extern const char kToolReportPrivateKey[];

}  // namespace service
