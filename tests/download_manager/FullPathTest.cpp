// The whole download path as the window drives it: requests to the global
// manager, the real engine and service, the dispatcher writing the task list,
// and notices on g_uiEventQueue.
#include <filesystem>
#include <random>
#include <thread>

#include "ManagerFixture.h"
#include "download/DownLoadCounters.h"
#include "download/DownLoadDispatcher.h"
#include "download/DriverTaskList.h"
#include "download/EventQueue.h"
#include "tests/support/ServedFile.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

class FullPathTest : public ManagerTest {
protected:
    void SetUp() override {
        ManagerTest::SetUp();
        g_uiEventQueue.Clear();
        g_driverTaskList.Clear();
        g_activeDownLoads = 0;
        dispatcher.Start(nullptr);
        g_downLoadManager.SetMaxDownLoads(6);
    }
    void TearDown() override {
        // A test that ended half-way leaves transfers of the global manager
        // writing in the folder.
        g_downLoadManager.StopAll();
        EXPECT_TRUE(WaitUntil([] { return DownLoadManagerProbe::TransfersEnded(g_downLoadManager); }));
        g_driverTaskList.Clear();
    }

    // Lists a task for the file, as the list fill would.
    PendingDownLoad List(int32_t id, const ServedDriver& file, const fs::path& folder) {
        DriverTask task;
        task.id = id;
        task.kind = 2;
        task.size = file.size;
        task.url = service.BaseUrl() + "/files/" + file.name;
        g_driverTaskList.Add(task);
        PendingDownLoad request = Request(id, file);
        request.savePath = (folder / file.name).wstring();
        return request;
    }

    // What the window does for a download button.
    void Start(const PendingDownLoad& request) {
        ++g_activeDownLoads;
        ASSERT_TRUE(g_downLoadManager.Enqueue(request));
    }

    DriverTask Task(int32_t id) {
        int32_t index = -1;
        DriverTask task;
        g_driverTaskList.FindById(id, index, task);
        return task;
    }

    void DrainUi() {
        DownLoadEvent e;
        while (g_uiEventQueue.Pop(e)) ui.push_back(e);
    }

    CDownLoadDispatcher dispatcher;
    std::vector<DownLoadEvent> ui;
};

}  // namespace

TEST_F(FullPathTest, FinishedDownloadReachesTheWindowAsDoneThenChanged) {
    int32_t completedBefore = g_completedDownLoads;
    Start(List(1, kDrivers[3], dir));
    ASSERT_TRUE(WaitUntil([&] { return Task(1).state == TASK_COMPLETED; }));
    ExpectServedFile(kDrivers[3]);
    EXPECT_TRUE(WaitUntil([] { return g_activeDownLoads == 0; }));
    EXPECT_EQ(g_completedDownLoads - completedBefore, 1);
    EXPECT_GT(Task(1).progress, 0);
    EXPECT_NE(Task(1).speedText.GetLength(), 0);

    DrainUi();
    ASSERT_GE(ui.size(), 2u);
    EXPECT_EQ(ui[ui.size() - 2].code, EVT_TASK_DONE);
    EXPECT_EQ(ui.back().code, EVT_TASK_CHANGED);
    EXPECT_EQ(ui.back().kind, 2);
}

TEST_F(FullPathTest, DroppedConnectionFailsTheTaskAndARetryCompletesIt) {
    Files("drop-after", "300000");
    PendingDownLoad request = List(1, kDrivers[4], dir);
    Start(request);
    ASSERT_TRUE(WaitUntil([&] { return Task(1).state == TASK_FAILED; }));
    EXPECT_TRUE(WaitUntil([] { return g_activeDownLoads == 0; }));
    EXPECT_FALSE(fs::exists(Target(kDrivers[4])));

    Files("drop-after", "");
    service.ResetLog();
    Start(request);
    ASSERT_TRUE(WaitUntil([&] { return Task(1).state == TASK_COMPLETED; }));
    ExpectServedFile(kDrivers[4]);
    EXPECT_EQ(service.Log("/files/" + kDrivers[4].name).at(0).Header("Range"), "bytes=300000-");
}

// 200 random pause, resume, stop and download actions, offered the way the
// window offers them, over six transfers at once; every finished file is
// checked and listed again under a new task. The end state must add up.
TEST_F(FullPathTest, RandomActionsOverSixTransfersEndConsistent) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const int32_t completedBefore = g_completedDownLoads;
    Files("rate", "100000");

    int32_t nextId = 1;
    int round = 0;
    std::vector<int32_t> current(kDrivers.size());
    std::vector<PendingDownLoad> requests(kDrivers.size());
    auto listAgain = [&](size_t file) {
        fs::path folder = dir / ("round" + std::to_string(round++));
        fs::create_directories(folder);
        current[file] = nextId;
        requests[file] = List(nextId++, kDrivers[file], folder);
        Start(requests[file]);
    };
    for (size_t f = 0; f < kDrivers.size(); ++f) listAgain(f);

    int completions = 0;
    auto collectFinished = [&] {
        for (size_t f = 0; f < kDrivers.size(); ++f) {
            if (Task(current[f]).state != TASK_COMPLETED) continue;
            std::string path = fs::path(requests[f].savePath).string();
            EXPECT_EQ(pelltest::FileSha256(path),
                      pelltest::ServedFileSha256(kDrivers[f].name, kDrivers[f].size));
            ++completions;
            listAgain(f);
        }
    };

    int actions = 0;
    const auto deadline = std::chrono::steady_clock::now() + 240s;
    while (actions < 200) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "after " << actions << " actions";
        collectFinished();
        size_t f = random() % kDrivers.size();
        const PendingDownLoad& request = requests[f];
        DriverTask task = Task(request.taskId);
        bool either = random() % 2 == 0;
        bool ok = false;
        std::function<bool()> applied;
        if (task.state == TASK_DOWNLOADING && !task.paused && task.progress > 0 && task.progress < 90) {
            if (either) {
                ok = g_downLoadManager.Pause(request);
                applied = [&] { return Task(request.taskId).paused; };
            } else {
                ok = g_downLoadManager.Stop(request);
                applied = [&] { return Task(request.taskId).stoppedByUser; };
            }
        } else if (task.state == TASK_DOWNLOADING && task.paused) {
            if (either) {
                ok = g_downLoadManager.Resume(request);
                applied = [&] { return !Task(request.taskId).paused; };
            } else {
                ok = g_downLoadManager.Stop(request);
                applied = [&] { return Task(request.taskId).stoppedByUser; };
            }
        } else if (task.state == TASK_NOT_STARTED && task.stoppedByUser) {
            ++g_activeDownLoads;
            ok = g_downLoadManager.Enqueue(request);
            applied = [&] { return !Task(request.taskId).stoppedByUser; };
        } else {
            std::this_thread::sleep_for(2ms);
            continue;
        }
        ++actions;
        // Like the window, act on a task again only once its last change shows.
        if (ok) {
            ASSERT_TRUE(WaitUntil(applied, 60s)) << "action " << actions << " never reached the task list";
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(random() % 20));
        DrainUi();
    }

    // Let everything finish: resume what is paused, restart what is stopped.
    Files("rate", "");
    const int totalFiles = static_cast<int>(kDrivers.size());
    int finishedInEnd = 0;
    std::vector<bool> done(kDrivers.size(), false);
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (size_t f = 0; f < kDrivers.size(); ++f) {
                if (done[f]) continue;
                const PendingDownLoad& request = requests[f];
                DriverTask task = Task(request.taskId);
                if (task.state == TASK_COMPLETED) {
                    done[f] = true;
                    ++finishedInEnd;
                    EXPECT_EQ(pelltest::FileSha256(fs::path(request.savePath).string()),
                              pelltest::ServedFileSha256(kDrivers[f].name, kDrivers[f].size));
                } else if (task.state == TASK_DOWNLOADING && task.paused) {
                    g_downLoadManager.Resume(request);
                    WaitUntil([&] { return !Task(request.taskId).paused; }, 60s);
                } else if (task.state == TASK_NOT_STARTED && task.stoppedByUser) {
                    Start(request);
                    WaitUntil([&] { return !Task(request.taskId).stoppedByUser; }, 60s);
                }
            }
            DrainUi();
            return finishedInEnd == totalFiles;
        },
        180s));
    completions += finishedInEnd;

    EXPECT_TRUE(WaitUntil([] { return g_activeDownLoads == 0; })) << g_activeDownLoads;
    EXPECT_EQ(g_completedDownLoads - completedBefore, completions);
    for (const auto& slot : DownLoadManagerProbe::Slots(g_downLoadManager)) {
        EXPECT_FALSE(slot.busy);
        EXPECT_NE(slot.state, SLOT_CANCEL_REQUESTED) << "a slot still waits for a cancel";
    }
    EXPECT_EQ(DownLoadManagerProbe::Pending(g_downLoadManager), 0u);
    std::this_thread::sleep_for(100ms);
    DrainUi();
    size_t doneNotices = 0;
    for (const auto& e : ui) doneNotices += e.code == EVT_TASK_DONE;
    EXPECT_EQ(doneNotices, static_cast<size_t>(completions)) << "lost or doubled done events";
}
