#pragma once
#include <string>

struct OperationReport;

namespace tessaly {

// The report as styled JSON, the eight fields as text members.
std::string OperationReportJson(const OperationReport& report);

// Encrypts text with the PEM public key in slices of (key size - 11) bytes,
// PKCS #1 v1.5, and concatenates the blocks. Empty when the key does not
// load; a slice that fails is left out.
std::string RsaPublicEncrypt(const std::string& text, const char* pemKey);

// The report text that goes into the statistics body: JSON, sealed, Base64.
std::string SealOperationReport(const OperationReport& report);

}  // namespace tessaly
