#pragma once
#include <string>

// Decodes the Base64 text of a sealed usage report and decrypts its 256-byte
// RSA blocks with the service's private key; false when any step fails.
bool OpenToolReport(const std::string& sealedBase64, std::string& report);
