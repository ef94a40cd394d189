#include "EngineClient.h"

#include <gtest/gtest.h>

#include <algorithm>

EngineClient::EngineClient() {
    handle_ = DriverDownLoad_Init();
    DriverDownLoad_DataCallBack_Log(&EngineClient::OnData, handle_, this);
    DriverDownLoad_ErrorCallBack_Log(&EngineClient::OnStatus, handle_, this);
}

EngineClient::~EngineClient() {
    DriverDownLoad_Free(handle_);
    std::lock_guard lock(mutex_);
    EXPECT_FALSE(wrongHandle_) << "a callback came with another handle";
}

int32_t EngineClient::Open(const std::string& url, const std::string& path, int64_t size) {
    std::u16string wide = Utf16(path);
    auto bytes = static_cast<uint64_t>(size);
    return DriverDownLoad_Open(handle_, url.data(), static_cast<int32_t>(url.size()),
                               reinterpret_cast<const uint16_t*>(wide.data()),
                               static_cast<int32_t>(wide.size()), static_cast<uint32_t>(bytes & 0xFFFFFFFFu),
                               static_cast<uint32_t>(bytes >> 32), 0);
}

bool EngineClient::Cancel() {
    return DriverDownLoad_Cancel(handle_) != 0;
}

int32_t EngineClient::OnData(int32_t handle, float speed, int32_t percent, void* user) {
    auto* self = static_cast<EngineClient*>(user);
    std::lock_guard lock(self->mutex_);
    if (handle != self->handle_) self->wrongHandle_ = true;
    self->percents_.push_back(percent);
    self->speeds_.push_back(speed);
    self->changed_.notify_all();
    return 1;
}

int32_t EngineClient::OnStatus(int32_t handle, int32_t status, void* user) {
    auto* self = static_cast<EngineClient*>(user);
    std::lock_guard lock(self->mutex_);
    if (handle != self->handle_) self->wrongHandle_ = true;
    self->statuses_.push_back(status);
    self->changed_.notify_all();
    return 1;
}

int32_t EngineClient::NextStatus(std::chrono::seconds timeout) {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, timeout, [this] { return statuses_.size() > statusesTaken_; })) return 0;
    return statuses_[statusesTaken_++];
}

bool EngineClient::WaitForPercent(int32_t percent, std::chrono::seconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] {
        return std::any_of(percents_.begin(), percents_.end(), [&](int32_t p) { return p >= percent; });
    });
}

std::vector<int32_t> EngineClient::Percents() const {
    std::lock_guard lock(mutex_);
    return percents_;
}

std::vector<float> EngineClient::Speeds() const {
    std::lock_guard lock(mutex_);
    return speeds_;
}

std::vector<int32_t> EngineClient::Statuses() const {
    std::lock_guard lock(mutex_);
    return statuses_;
}

void EngineClient::ClearPercents() {
    std::lock_guard lock(mutex_);
    percents_.clear();
    speeds_.clear();
}

std::u16string Utf16(const std::string& utf8) {
    std::u16string out;
    for (size_t i = 0; i < utf8.size();) {
        auto c = static_cast<unsigned char>(utf8[i]);
        uint32_t cp;
        size_t n;
        if (c < 0x80) {
            cp = c;
            n = 1;
        } else if (c < 0xE0) {
            cp = c & 0x1F;
            n = 2;
        } else if (c < 0xF0) {
            cp = c & 0x0F;
            n = 3;
        } else {
            cp = c & 0x07;
            n = 4;
        }
        for (size_t k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += n;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}
