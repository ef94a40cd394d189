#include "FileEndpoints.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <memory>
#include <optional>
#include <thread>

#include "FileContent.h"

namespace {

constexpr const char* kArea = "files";
constexpr size_t kChunk = 64 * 1024;

uint64_t NumberMode(const ServiceState& state, const char* key, uint64_t fallback) {
    auto value = state.Mode(kArea, key);
    if (!value || value->empty()) return fallback;
    try {
        return std::stoull(*value);
    } catch (...) {
        return fallback;
    }
}

bool FlagMode(const ServiceState& state, const char* key) {
    auto value = state.Mode(kArea, key);
    return value && *value == "1";
}

std::string ETagFor(const std::string& name, uint32_t version) {
    return "\"" + name + "-v" + std::to_string(version) + "\"";
}

// Each version has its own modification time, one day apart.
std::string LastModifiedFor(uint32_t version) {
    std::time_t when = 1700000000 + static_cast<std::time_t>(version) * 86400;
    std::tm tm{};
    gmtime_r(&when, &tm);
    char text[64];
    std::strftime(text, sizeof text, "%a, %d %b %Y %H:%M:%S GMT", &tm);
    return text;
}

struct ByteRange {
    uint64_t first = 0;
    uint64_t last = 0;
};

// One range "bytes=N-" or "bytes=N-M" inside a file of `size` bytes.
std::optional<ByteRange> ParseRange(const std::string& header, uint64_t size) {
    const std::string unit = "bytes=";
    if (header.rfind(unit, 0) != 0) return std::nullopt;
    std::string spec = header.substr(unit.size());
    size_t dash = spec.find('-');
    if (dash == std::string::npos || dash == 0 || spec.find(',') != std::string::npos) return std::nullopt;
    try {
        ByteRange range;
        range.first = std::stoull(spec.substr(0, dash));
        std::string end = spec.substr(dash + 1);
        range.last = end.empty() ? size - 1 : std::min<uint64_t>(std::stoull(end), size - 1);
        if (size == 0 || range.first > range.last) return std::nullopt;
        return range;
    } catch (...) {
        return std::nullopt;
    }
}

// Paces one transfer to the "rate" switch, read anew for every chunk; a
// changed rate counts from the moment it is seen.
class RatePacer {
public:
    explicit RatePacer(const ServiceState& state) : state_(state) {}

    // The size of the next chunk, after waiting until it is due.
    size_t Next(uint64_t sentSoFar, size_t wanted) {
        uint64_t rate = NumberMode(state_, "rate", 0);
        if (rate != rate_ || sentSoFar == 0) {
            rate_ = rate;
            start_ = Clock::now();
            base_ = sentSoFar;
        }
        if (rate == 0) return wanted;
        std::this_thread::sleep_until(start_ +
                                      std::chrono::microseconds((sentSoFar - base_) * 1000000 / rate));
        // About twenty chunks a second, so a slow transfer moves smoothly.
        return static_cast<size_t>(std::clamp<uint64_t>(rate / 20, 1, wanted));
    }

private:
    using Clock = std::chrono::steady_clock;
    const ServiceState& state_;
    Clock::time_point start_ = Clock::now();
    uint64_t base_ = 0;
    uint64_t rate_ = 0;
};

void SendNotFound(httplib::Response& res) {
    res.status = 404;
    res.set_content(
        "<html><head><title>404 Not Found</title></head><body><h1>Not Found</h1>"
        "<p>The requested file was not found on this server.</p></body></html>",
        "text/html");
}

// What a captive portal or a misconfigured proxy sends in place of a file.
void SendPortalPage(httplib::Response& res) {
    res.status = 200;
    res.set_content("<html><body>Please sign in first.</body></html>\n", "text/html");
}

void ServeFile(const ServiceState& state, const Catalogue& catalogue, const httplib::Request& req,
               httplib::Response& res) {
    const std::string name = req.matches[1];
    auto size = catalogue.FindFile(name);
    if (!size || FlagMode(state, "not-found")) return SendNotFound(res);

    if (FlagMode(state, "html-200")) return SendPortalPage(res);

    const auto version = static_cast<uint32_t>(NumberMode(state, "version", 1));
    const std::string etag = ETagFor(name, version);
    const std::string lastModified = LastModifiedFor(version);
    const bool validators = !FlagMode(state, "no-validators");
    if (validators) {
        res.set_header("ETag", etag);
        res.set_header("Last-Modified", lastModified);
    }
    res.set_header("Accept-Ranges", "bytes");

    uint64_t first = 0;
    uint64_t length = *size;
    res.status = 200;
    if (req.has_header("Range") && !FlagMode(state, "ignore-range")) {
        std::string ifRange = req.get_header_value("If-Range");
        bool current = !validators || ifRange.empty() || ifRange == etag || ifRange == lastModified;
        auto range = ParseRange(req.get_header_value("Range"), *size);
        if (current && !range) {
            res.status = 416;
            res.set_header("Content-Range", "bytes */" + std::to_string(*size));
            return;
        }
        if (current) {
            first = range->first;
            length = range->last - range->first + 1;
            res.status = 206;
            res.set_header("Content-Range", "bytes " + std::to_string(range->first) + "-" +
                                                std::to_string(range->last) + "/" + std::to_string(*size));
        }
    }

    // Bytes of the body to send before the connection is closed.
    uint64_t sendLimit = length;
    if (auto drop = state.Mode(kArea, "drop-after"); drop && !drop->empty())
        sendLimit = std::min(sendLimit, NumberMode(state, "drop-after", length));
    if (auto cut = NumberMode(state, "short", 0); cut > 0) sendLimit = cut < length ? length - cut : 0;

    auto pacer = std::make_shared<RatePacer>(state);
    auto send = [name, version, first, sendLimit, pacer](size_t offset, size_t available,
                                                         httplib::DataSink& sink) {
        if (offset >= sendLimit) return false;  // drops the connection
        size_t count = pacer->Next(offset, std::min<uint64_t>({available, kChunk, sendLimit - offset}));
        std::string chunk(count, '\0');
        service::Fill(name, version, first + offset, chunk.data(), count);
        return sink.write(chunk.data(), chunk.size());
    };
    if (!FlagMode(state, "no-length"))
        return res.set_content_provider(length, "application/octet-stream", send);
    res.set_header("Connection", "close");
    res.set_content_provider("application/octet-stream",
                             [send, length](size_t offset, httplib::DataSink& sink) {
                                 if (offset < length) return send(offset, length - offset, sink);
                                 sink.done();
                                 return true;
                             });
}

}  // namespace

void RegisterFileEndpoints(httplib::Server& server, ServiceState& state, const Catalogue& catalogue) {
    server.Get(R"(/files/(.+))", [&state, &catalogue](const httplib::Request& req, httplib::Response& res) {
        // Ranges, If-Range and the faults are this endpoint's own matter; the
        // server must not cut the body a second time.
        const_cast<httplib::Request&>(req).ranges.clear();
        ServeFile(state, catalogue, req, res);
    });
}
