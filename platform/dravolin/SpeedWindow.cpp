#include "SpeedWindow.h"

namespace dravolin {

SpeedWindow::SpeedWindow(Clock::duration span) : span_(span) {}

void SpeedWindow::Add(Clock::time_point at, int64_t totalBytes) {
    // Samples closer together than a small fraction of the window only move
    // the newest one, so the window holds a few dozen samples at any rate.
    size_t n = samples_.size();
    if (n >= 2 && at - samples_[n - 2].at < span_ / 30) {
        samples_.back() = {at, totalBytes};
        return;
    }
    samples_.push_back({at, totalBytes});
    // Keep one sample at or beyond the window's start so the span stays full.
    while (samples_.size() > 2 && at - samples_[1].at >= span_) samples_.pop_front();
}

double SpeedWindow::BytesPerSecond() const {
    if (samples_.size() < 2) return 0.0;
    const Sample& oldest = samples_.front();
    const Sample& newest = samples_.back();
    std::chrono::duration<double> elapsed = newest.at - oldest.at;
    if (elapsed.count() <= 0.0) return 0.0;
    return static_cast<double>(newest.bytes - oldest.bytes) / elapsed.count();
}

void SpeedWindow::Reset() {
    samples_.clear();
}

}  // namespace dravolin
