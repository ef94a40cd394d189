#pragma once
// A test's view of one engine handle: opens transfers and records what the
// callbacks report, with generous waits for what they report next.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "dravolin/Dravolin.h"

class EngineClient {
public:
    EngineClient();
    ~EngineClient();

    int32_t Handle() const { return handle_; }
    int32_t Open(const std::string& url, const std::string& path, int64_t size = 0);
    bool Cancel();

    // The next status not yet taken, or 0 when none arrives in time.
    int32_t NextStatus(std::chrono::seconds timeout = std::chrono::seconds(120));
    // Waits until a reported percentage reaches at least `percent`.
    bool WaitForPercent(int32_t percent, std::chrono::seconds timeout = std::chrono::seconds(120));

    std::vector<int32_t> Percents() const;
    std::vector<float> Speeds() const;
    std::vector<int32_t> Statuses() const;
    void ClearPercents();

private:
    static int32_t OnData(int32_t handle, float speed, int32_t percent, void* user);
    static int32_t OnStatus(int32_t handle, int32_t status, void* user);

    int32_t handle_ = 0;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<int32_t> percents_;
    std::vector<float> speeds_;
    std::vector<int32_t> statuses_;
    size_t statusesTaken_ = 0;
    bool wrongHandle_ = false;
};

std::u16string Utf16(const std::string& utf8);
