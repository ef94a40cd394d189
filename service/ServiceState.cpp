#include "ServiceState.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<FaultMode, const char*>, 12> kFaultNames{{
    {FaultMode::None, "none"},
    {FaultMode::NoBrace, "no-brace"},
    {FaultMode::CutJson, "cut-json"},
    {FaultMode::InvalidJson, "invalid-json"},
    {FaultMode::Oversize, "oversize"},
    {FaultMode::Http500, "http-500"},
    {FaultMode::HeadersOnly, "headers-only"},
    {FaultMode::Close, "close"},
    {FaultMode::Silent, "silent"},
    {FaultMode::Stall, "stall"},
    {FaultMode::Trickle, "trickle"},
    {FaultMode::OversizeTail, "oversize-tail"},
}};

// A fault without a path applies to every path.
bool Covers(const std::string& faultPath, const std::string& path) {
    return faultPath.empty() || faultPath == path;
}

}  // namespace

std::optional<FaultMode> FaultModeFromName(const std::string& name) {
    for (const auto& [mode, text] : kFaultNames) {
        if (name == text) return mode;
    }
    return std::nullopt;
}

std::string FaultModeName(FaultMode mode) {
    for (const auto& [m, text] : kFaultNames) {
        if (m == mode) return text;
    }
    return "none";
}

ServiceState::ServiceState(std::string baseUrl) : baseUrl_(std::move(baseUrl)) {}

void ServiceState::Record(RequestRecord record) {
    std::lock_guard lock(mutex_);
    log_.push_back(std::move(record));
}

std::vector<RequestRecord> ServiceState::Log() const {
    std::lock_guard lock(mutex_);
    return log_;
}

void ServiceState::ClearLog() {
    std::lock_guard lock(mutex_);
    log_.clear();
}

void ServiceState::SetFault(FaultMode mode, const std::string& path) {
    {
        std::lock_guard lock(mutex_);
        fault_ = mode;
        faultPath_ = path;
    }
    faultChanged_.notify_all();
}

FaultMode ServiceState::FaultFor(const std::string& path) const {
    std::lock_guard lock(mutex_);
    return Covers(faultPath_, path) ? fault_ : FaultMode::None;
}

bool ServiceState::Hold(FaultMode mode, const std::string& path, std::chrono::milliseconds limit) const {
    std::unique_lock lock(mutex_);
    const bool ended = faultChanged_.wait_for(
        lock, limit, [&] { return stopping_ || !Covers(faultPath_, path) || fault_ != mode; });
    return !ended;
}

void ServiceState::ReleaseHolds() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    faultChanged_.notify_all();
}

void ServiceState::SetMode(const std::string& area, const std::string& key, const std::string& value) {
    std::lock_guard lock(mutex_);
    modes_[{area, key}] = value;
}

std::optional<std::string> ServiceState::Mode(const std::string& area, const std::string& key) const {
    std::lock_guard lock(mutex_);
    auto it = modes_.find({area, key});
    if (it == modes_.end()) return std::nullopt;
    return it->second;
}

void ServiceState::Reset() {
    {
        std::lock_guard lock(mutex_);
        log_.clear();
        fault_ = FaultMode::None;
        faultPath_.clear();
        modes_.clear();
    }
    faultChanged_.notify_all();
}
