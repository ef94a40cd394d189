#pragma once
#include <chrono>
#include <cstdint>
#include <deque>

namespace dravolin {

// Transfer speed over a short sliding window: bytes per second between the
// oldest sample still inside the window and the newest.
class SpeedWindow {
public:
    using Clock = std::chrono::steady_clock;

    explicit SpeedWindow(Clock::duration span = std::chrono::seconds(3));

    // Record the running byte count at a moment (moments never go back).
    void Add(Clock::time_point at, int64_t totalBytes);
    // 0 until two samples lie apart in time.
    double BytesPerSecond() const;
    void Reset();

private:
    struct Sample {
        Clock::time_point at;
        int64_t bytes;
    };
    Clock::duration span_;
    std::deque<Sample> samples_;
};

}  // namespace dravolin
