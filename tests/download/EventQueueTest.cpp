#include "download/EventQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

DownLoadEvent Event(int32_t code, int32_t taskId, int32_t progress = 0, const wchar_t* text = L"") {
    DownLoadEvent event;
    event.code = code;
    event.taskId = taskId;
    event.progress = progress;
    event.text = text;
    return event;
}

}  // namespace

TEST(EventQueue, PopOnEmptyLeavesTheEvent) {
    CEventQueue queue;
    DownLoadEvent out = Event(EVT_DOWNLOAD_PROGRESS, 8, 50, L"1KB/S");
    EXPECT_FALSE(queue.Pop(out));
    EXPECT_EQ(out.code, EVT_DOWNLOAD_PROGRESS);
    EXPECT_EQ(out.taskId, 8);
    EXPECT_EQ(out.text, L"1KB/S");
}

TEST(EventQueue, FirstInFirstOutAndClear) {
    CEventQueue queue;
    ASSERT_TRUE(queue.Post(Event(EVT_DOWNLOAD_QUEUED, 1)));
    ASSERT_TRUE(queue.Post(Event(EVT_DOWNLOAD_PROGRESS, 1, 30, L"5KB/S")));
    ASSERT_TRUE(queue.Post(Event(EVT_DOWNLOAD_DONE, 1)));
    DownLoadEvent out;
    ASSERT_TRUE(queue.Pop(out));
    EXPECT_EQ(out.code, EVT_DOWNLOAD_QUEUED);
    ASSERT_TRUE(queue.Pop(out));
    EXPECT_EQ(out.code, EVT_DOWNLOAD_PROGRESS);
    EXPECT_EQ(out.progress, 30);
    EXPECT_EQ(out.text, L"5KB/S");
    ASSERT_TRUE(queue.Clear());
    EXPECT_FALSE(queue.Pop(out));
}

TEST(EventQueue, ConcurrentPostersKeepTheirOrderAndLoseNothing) {
    constexpr int kPosters = 6;
    constexpr int kPerPoster = 3000;
    CEventQueue queue;
    std::atomic<bool> postingDone{false};
    std::vector<int> nextExpected(kPosters, 0);
    int received = 0;
    bool inOrder = true;

    std::thread consumer([&] {
        DownLoadEvent event;
        for (;;) {
            if (!queue.Pop(event)) {
                if (postingDone) {
                    if (!queue.Pop(event)) return;
                } else {
                    std::this_thread::yield();
                    continue;
                }
            }
            ++received;
            int& expected = nextExpected[static_cast<size_t>(event.taskId)];
            if (event.progress != expected) inOrder = false;
            expected = event.progress + 1;
        }
    });
    std::vector<std::thread> posters;
    for (int p = 0; p < kPosters; ++p) {
        posters.emplace_back([&queue, p] {
            for (int i = 0; i < kPerPoster; ++i) queue.Post(Event(EVT_DOWNLOAD_PROGRESS, p, i, L"速度"));
        });
    }
    for (std::thread& poster : posters) poster.join();
    postingDone = true;
    consumer.join();

    EXPECT_TRUE(inOrder);
    EXPECT_EQ(received, kPosters * kPerPoster);
    for (int p = 0; p < kPosters; ++p) EXPECT_EQ(nextExpected[static_cast<size_t>(p)], kPerPoster) << p;
}
