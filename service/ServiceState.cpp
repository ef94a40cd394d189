#include "ServiceState.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<FaultMode, const char*>, 8> kFaultNames{{
    {FaultMode::None, "none"},
    {FaultMode::NoBrace, "no-brace"},
    {FaultMode::CutJson, "cut-json"},
    {FaultMode::InvalidJson, "invalid-json"},
    {FaultMode::Oversize, "oversize"},
    {FaultMode::Http500, "http-500"},
    {FaultMode::HeadersOnly, "headers-only"},
    {FaultMode::Close, "close"},
}};

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
    std::lock_guard lock(mutex_);
    fault_ = mode;
    faultPath_ = path;
}

FaultMode ServiceState::FaultFor(const std::string& path) const {
    std::lock_guard lock(mutex_);
    if (!faultPath_.empty() && faultPath_ != path) return FaultMode::None;
    return fault_;
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
    std::lock_guard lock(mutex_);
    log_.clear();
    fault_ = FaultMode::None;
    faultPath_.clear();
    modes_.clear();
}
