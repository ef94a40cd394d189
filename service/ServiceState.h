#pragma once
#include <chrono>
#include <condition_variable>
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
    None,          // "none": normal replies
    NoBrace,       // "no-brace": a text reply without any "{"
    CutJson,       // "cut-json": the JSON reply cut in the middle
    InvalidJson,   // "invalid-json": a complete reply with a syntax error
    Oversize,      // "oversize": a valid JSON reply longer than 1 MiB
    Http500,       // "http-500": status 500 with the normal JSON body
    HeadersOnly,   // "headers-only": status line and headers, empty body
    Close,         // "close": headers and part of the body, then the connection closes
    Silent,        // "silent": the request is read, then no answer while the fault lasts (a minute at most)
    Stall,         // "stall": headers and half the body, then nothing while the fault lasts (likewise)
    Trickle,       // "trickle": the whole reply, a byte every 200 ms
    OversizeTail,  // "oversize-tail": a valid JSON reply of several MiB, its last two bytes sent apart
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

    // Keeps the calling request thread while the fault in force for `path`
    // stays `mode`, for at most `limit`. False when the hold ended early: the
    // fault changed or the service is stopping.
    bool Hold(FaultMode mode, const std::string& path, std::chrono::milliseconds limit) const;
    // Ends every hold for good, so that the service can stop.
    void ReleaseHolds();

private:
    const std::string baseUrl_;
    mutable std::mutex mutex_;
    std::vector<RequestRecord> log_;
    FaultMode fault_ = FaultMode::None;
    std::string faultPath_;
    std::map<std::pair<std::string, std::string>, std::string> modes_;
    mutable std::condition_variable faultChanged_;
    bool stopping_ = false;
};
