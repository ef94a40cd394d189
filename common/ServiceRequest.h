#pragma once
#include <string>

// The one way both libraries talk to the web service: libcurl requests with
// the service's certificate and host name verified and every wait bounded.
//
// Trust: the system's certificate store, or in its place only the PEM file
// that PELLUCOR_CA_FILE names (a file that cannot be read trusts nothing).
// Waits: a connection (with its TLS handshake) within 10 s, a transfer that
// moves (5 s below a byte a second ends it), 15 s for the whole request; the
// reachability probe keeps to 5 s, 5 s and 10 s. libcurl measures the speed
// over its last 5 s, so a silent service is given up after about 11 s (the
// probe: 6 s). PELLUCOR_SERVICE_TIMEOUT (whole seconds) only shortens each
// wait, for tests. A request that runs out of time is a failed transfer.
inline constexpr const char* kCaFileVariable = "PELLUCOR_CA_FILE";
inline constexpr const char* kServiceTimeoutVariable = "PELLUCOR_SERVICE_TIMEOUT";

enum class ServiceTransfer {
    NoHandle,   // libcurl gave no handle
    Failed,     // the transfer did not complete: no network, TLS refused, timed out, ...
    Completed,  // the transfer completed, whatever the HTTP status
};

// POSTs `body` (sent as it stands) with the single header line `headerLine`.
// The reply, its status line and headers first, goes into ResponseBuffer,
// which is emptied once a handle exists.
ServiceTransfer PostToService(const std::string& url, const char* headerLine, const std::string& body);

// GETs `url`, its body going into the emptied ResponseBuffer.
ServiceTransfer GetFromService(const std::string& url);

// Asks for the head of `url` only; the response buffer stays untouched.
ServiceTransfer ProbeService(const std::string& url);
