#pragma once

namespace tessaly {

// The statistics service's RSA public key (2048 bits), PEM "PUBLIC KEY".
extern const char kReportPublicKey[];

}  // namespace tessaly
