#include "dravolin/SpeedWindow.h"

#include <gtest/gtest.h>

using dravolin::SpeedWindow;
using namespace std::chrono_literals;

TEST(SpeedWindow, NoSpeedUntilTimePasses) {
    SpeedWindow w(3s);
    auto t0 = SpeedWindow::Clock::time_point{} + 100s;
    EXPECT_EQ(w.BytesPerSecond(), 0.0);
    w.Add(t0, 1000);
    EXPECT_EQ(w.BytesPerSecond(), 0.0);
    w.Add(t0, 5000);
    EXPECT_EQ(w.BytesPerSecond(), 0.0);
}

TEST(SpeedWindow, SteadyRateIsMeasuredExactly) {
    SpeedWindow w(3s);
    auto t0 = SpeedWindow::Clock::time_point{} + 100s;
    for (int i = 0; i <= 100; ++i) w.Add(t0 + i * 50ms, int64_t{i} * 50'000);  // 1 MB/s
    EXPECT_NEAR(w.BytesPerSecond(), 1'000'000.0, 1.0);
}

TEST(SpeedWindow, OnlyRecentSecondsCount) {
    SpeedWindow w(3s);
    auto t0 = SpeedWindow::Clock::time_point{} + 100s;
    int64_t bytes = 0;
    // Ten seconds fast, then ten seconds slow: the fast part has left the window.
    for (int i = 1; i <= 100; ++i) w.Add(t0 + i * 100ms, bytes += 1'000'000);
    for (int i = 101; i <= 200; ++i) w.Add(t0 + i * 100ms, bytes += 1'000);
    double speed = w.BytesPerSecond();
    EXPECT_GT(speed, 9'000.0);
    EXPECT_LT(speed, 11'000.0);
}

TEST(SpeedWindow, ResetForgetsEverything) {
    SpeedWindow w(3s);
    auto t0 = SpeedWindow::Clock::time_point{} + 100s;
    w.Add(t0, 0);
    w.Add(t0 + 1s, 1000);
    EXPECT_GT(w.BytesPerSecond(), 0.0);
    w.Reset();
    EXPECT_EQ(w.BytesPerSecond(), 0.0);
}
