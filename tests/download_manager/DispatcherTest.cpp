// The dispatcher applying events to g_driverTaskList, with its thread running.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "download/DownLoadCounters.h"
#include "download/DownLoadDispatcher.h"
#include "download/DriverTaskList.h"
#include "download/EventQueue.h"

namespace {

constexpr int32_t kTask = 1;
constexpr int32_t kSentinel = 999;

DownLoadEvent Event(int32_t code, int32_t taskId, int32_t kind = 0, int32_t progress = 0,
                    const wchar_t* text = L"") {
    DownLoadEvent e;
    e.code = code;
    e.taskId = taskId;
    e.kind = kind;
    e.progress = progress;
    e.text = text;
    return e;
}

class DispatcherTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_downLoadEventQueue.Clear();
        g_uiEventQueue.Clear();
        g_driverTaskList.Clear();
        DriverTask sentinel;
        sentinel.id = kSentinel;
        g_driverTaskList.Add(sentinel);
        dispatcher.Start(nullptr);
    }
    void TearDown() override { g_driverTaskList.Clear(); }

    void AddTask(int32_t state, bool paused = false, int32_t progress = 0, bool stoppedByUser = false) {
        DriverTask task;
        task.id = kTask;
        task.kind = 2;
        task.state = state;
        task.paused = paused;
        task.progress = progress;
        task.stoppedByUser = stoppedByUser;
        task.speedText = L"old";
        g_driverTaskList.Add(task);
    }

    DriverTask Task() {
        int32_t index = -1;
        DriverTask task;
        EXPECT_TRUE(g_driverTaskList.FindById(kTask, index, task));
        return task;
    }

    // Posts the events and a marker after them; returns what reached the
    // window queue before the marker's notice.
    std::vector<DownLoadEvent> Apply(const std::vector<DownLoadEvent>& posted) {
        for (const auto& e : posted) g_downLoadEventQueue.Post(e);
        g_downLoadEventQueue.Post(Event(EVT_DOWNLOAD_QUEUED, kSentinel));
        std::vector<DownLoadEvent> seen;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (std::chrono::steady_clock::now() < deadline) {
            DownLoadEvent e;
            while (g_uiEventQueue.Pop(e)) {
                if (e.taskId == kSentinel) return seen;
                seen.push_back(e);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ADD_FAILURE() << "the dispatcher did not get to the marker";
        return seen;
    }

    CDownLoadDispatcher dispatcher;
};

std::vector<int32_t> Codes(const std::vector<DownLoadEvent>& events) {
    std::vector<int32_t> codes;
    for (const auto& e : events) codes.push_back(e.code);
    return codes;
}

}  // namespace

TEST_F(DispatcherTest, EachEventChangesTheTaskAsSpecified) {
    struct Case {
        const char* what;
        int32_t state;
        bool paused;
        int32_t progress;
        bool stopped;
        DownLoadEvent event;
        int32_t wantState;
        bool wantPaused;
        int32_t wantProgress;
        bool wantStopped;
        const wchar_t* wantSpeed;
        std::vector<int32_t> wantUi;
    } cases[] = {
        {"progress while waiting",
         1,
         false,
         0,
         false,
         Event(305, kTask, 0, 40, L"2KB/S"),
         2,
         false,
         40,
         false,
         L"2KB/S",
         {312}},
        {"progress keeps pause",
         2,
         true,
         10,
         false,
         Event(305, kTask, 0, 11, L"1KB/S"),
         2,
         true,
         11,
         false,
         L"1KB/S",
         {312}},
        {"progress after done",
         3,
         false,
         99,
         false,
         Event(305, kTask, 0, 100, L"9MB/S"),
         3,
         false,
         99,
         false,
         L"old",
         {}},
        {"progress after failure",
         7,
         false,
         5,
         false,
         Event(305, kTask, 0, 6, L"9MB/S"),
         7,
         false,
         5,
         false,
         L"old",
         {}},
        {"pause from any state",
         3,
         false,
         70,
         false,
         Event(306, kTask, 2),
         2,
         true,
         70,
         false,
         L"old",
         {312}},
        {"resume from any state", 0, true, 70, true, Event(307, kTask, 2), 2, false, 70, true, L"old", {312}},
        {"stop", 2, true, 50, false, Event(308, kTask, 2), 0, false, 0, true, L"old", {312}},
        {"queued clears the stop",
         0,
         false,
         0,
         true,
         Event(310, kTask, 2),
         1,
         false,
         0,
         false,
         L"old",
         {312}},
        {"failed", 2, false, 30, false, Event(309, kTask), 7, false, 30, false, L"old", {312}},
        {"done", 2, false, 99, false, Event(304, kTask), 3, false, 99, false, L"old", {318, 312}},
        {"unused 303", 2, false, 30, false, Event(303, kTask, 2), 2, false, 30, false, L"old", {}},
        {"unused 311", 2, false, 30, false, Event(311, kTask, 2), 2, false, 30, false, L"old", {}},
        {"window code 312", 2, false, 30, false, Event(312, kTask, 2), 2, false, 30, false, L"old", {}},
        {"zero", 2, false, 30, false, Event(0, kTask, 2), 2, false, 30, false, L"old", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        g_driverTaskList.Clear();
        DriverTask sentinel;
        sentinel.id = kSentinel;
        g_driverTaskList.Add(sentinel);
        AddTask(c.state, c.paused, c.progress, c.stopped);
        g_activeDownLoads = 3;
        auto ui = Apply({c.event});
        DriverTask task = Task();
        EXPECT_EQ(task.state, c.wantState);
        EXPECT_EQ(task.paused, c.wantPaused);
        EXPECT_EQ(task.progress, c.wantProgress);
        EXPECT_EQ(task.stoppedByUser, c.wantStopped);
        EXPECT_EQ(task.speedText, c.wantSpeed);
        EXPECT_EQ(Codes(ui), c.wantUi);
        for (const auto& e : ui) {
            EXPECT_EQ(e.taskId, kTask);
            // The done notices carry the task's kind; the others the event's.
            EXPECT_EQ(e.kind, c.event.code == 304 ? 2 : c.event.kind);
        }
        bool ends = c.event.code == 304 || c.event.code == 308 || c.event.code == 309;
        EXPECT_EQ(g_activeDownLoads, ends ? 2 : 3);
    }
}

TEST_F(DispatcherTest, CounterDropsForEveryEndEvenOfUnlistedTasksButNeverBelowZero) {
    AddTask(2);
    g_activeDownLoads = 2;
    auto ui =
        Apply({Event(304, 555), Event(308, 556, 2), Event(309, kTask), Event(304, kTask), Event(308, 557)});
    EXPECT_EQ(g_activeDownLoads, 0);
    EXPECT_EQ(Codes(ui), (std::vector<int32_t>{312, 318, 312}))
        << "unlisted tasks reach the window as nothing";
    EXPECT_EQ(Task().state, 3);
}

TEST_F(DispatcherTest, ProgressAfterDoneLeavesTheTaskCompleted) {
    AddTask(2);
    auto ui =
        Apply({Event(305, kTask, 0, 50, L"1KB/S"), Event(304, kTask), Event(305, kTask, 0, 60, L"2KB/S")});
    EXPECT_EQ(Codes(ui), (std::vector<int32_t>{312, 318, 312}));
    EXPECT_EQ(Task().state, 3);
    EXPECT_EQ(Task().progress, 50);
}
