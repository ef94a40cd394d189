#pragma once
#include <string>

namespace os {

// Name of the run-time setting that points the deliverables at another web
// service, e.g. "https://127.0.0.1:8443".
constexpr const char* kServiceUrlVariable = "PELLUCOR_SERVICE_URL";

// The base address (scheme, host and optional port, no trailing slash) of the
// maker's web service: the environment variable when it is set and not empty,
// else `compiledDefault`. The variable is read once per module, at the first
// call; later changes to it are not seen.
std::string ServiceBaseUrl(const std::string& compiledDefault);

}  // namespace os
