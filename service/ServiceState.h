#pragma once
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// One request as the service received it, kept so that tests in another
// process can check what a client sent.
struct RequestRecord {
    std::string method;
    std::string path;
    std::map<std::string, std::string> headers;
    std::string body;
};

// Switchable misbehaviour of the service's replies (see Reply.h).
enum class FaultMode {
    None,         // normal replies
    NoBrace,      // a text reply without any "{"
    CutJson,      // the JSON reply cut in the middle
    InvalidJson,  // a complete reply with a syntax error
    Oversize,     // a valid JSON reply longer than 1 MiB
    Http500,      // status 500 with the normal JSON body
    HeadersOnly,  // status line and headers, empty body
    Close,        // headers and part of the body, then the connection closes
};

std::optional<FaultMode> FaultModeFromName(const std::string& name);
std::string FaultModeName(FaultMode mode);

// Everything the endpoints share across the server's threads: the request log,
// the fault switch and a key/value store of per-area modes that endpoint areas
// use for their own test switches.
class ServiceState {
public:
    explicit ServiceState(std::string baseUrl);

    // Scheme, host and port of this service, for addresses that point back at it.
    const std::string& BaseUrl() const { return baseUrl_; }

    void Record(RequestRecord record);
    std::vector<RequestRecord> Log() const;
    void ClearLog();

    // The fault applies to every request path, or only to `path` when not empty.
    void SetFault(FaultMode mode, const std::string& path);
    FaultMode FaultFor(const std::string& path) const;

    void SetMode(const std::string& area, const std::string& key, const std::string& value);
    std::optional<std::string> Mode(const std::string& area, const std::string& key) const;

    // Back to the start state: empty log, no fault, no modes.
    void Reset();

private:
    const std::string baseUrl_;
    mutable std::mutex mutex_;
    std::vector<RequestRecord> log_;
    FaultMode fault_ = FaultMode::None;
    std::string faultPath_;
    std::map<std::pair<std::string, std::string>, std::string> modes_;
};
