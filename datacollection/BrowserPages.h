#pragma once
#include <string>

namespace tessaly {

// The feedback page for a tool id: entry 0 of the service addresses, or the
// built-in feedback address while that is empty, followed by the id.
std::string FeedbackAddress(const std::string& toolId);

// Opens an ANSI address in the user's browser; the outcome is not examined.
void OpenInBrowser(const std::string& address);

}  // namespace tessaly
