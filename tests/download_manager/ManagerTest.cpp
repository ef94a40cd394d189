// The download manager over the real engine and the local service; events
// are read straight off g_downLoadEventQueue (no dispatcher runs here).
#include <sys/wait.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <thread>

#include "ManagerFixture.h"
#include "download/DownLoadCounters.h"
#include "download/EventQueue.h"
#include "dravolin/Dravolin.h"
#include "tests/support/PartialFileHeld.h"
#include "tests/support/ServedFile.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Probe = DownLoadManagerProbe;
using Clock = std::chrono::steady_clock;

namespace {

// Stands between the engine and the manager on one handle's status
// callback, to look at the manager (or take time) before it hears a status.
struct StatusTap {
    CDownLoadManager* manager = nullptr;
    std::function<void(int32_t status)> before;
    std::atomic<int> cancelsForwarded{0};

    void Attach(int32_t handle) { DriverDownLoad_ErrorCallBack_Log(&StatusTap::Forward, handle, this); }

    static int32_t Forward(int32_t handle, int32_t status, void* user) {
        auto* tap = static_cast<StatusTap*>(user);
        if (tap->before) tap->before(status);
        int32_t result = tap->manager->OnStatus(handle, status);
        if (status == DRAVOLIN_STATUS_CANCELLED) ++tap->cancelsForwarded;
        return result;
    }
};

// Keeps the engine's progress reports of one handle away from the manager.
int32_t SwallowData(int32_t, float, int32_t, void*) {
    return 1;
}

// Keeps the engine's statuses of one handle away from the manager, noting
// the last, so that a test still sees its transfer end.
std::atomic<int32_t> swallowedStatus{0};
int32_t SwallowStatus(int32_t, int32_t status, void*) {
    swallowedStatus = status;
    return 1;
}

const ServedDriver& kBig = kDrivers[5];
const ServedDriver& kSmall = kDrivers[1];

}  // namespace

TEST_F(ManagerTest, LimitZeroStartsNothing) {
    CDownLoadManager manager;
    manager.SetMaxDownLoads(0);
    ASSERT_TRUE(manager.Enqueue(Request(1, kSmall)));
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_QUEUED, 1));
    std::this_thread::sleep_for(1s);  // five ticks
    EXPECT_EQ(Probe::Pending(manager), 1u);
    for (const auto& slot : Probe::Slots(manager)) EXPECT_FALSE(slot.busy);
    EXPECT_TRUE(service.Log("/files/" + kSmall.name).empty());

    manager.SetMaxDownLoads(1);
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_DONE, 1));
    ExpectServedFile(kSmall);
}

TEST_F(ManagerTest, LimitTwoStartsOnePerTickAndTheThirdOnlyAfterOneEnds) {
    CDownLoadManager manager;
    Files("rate", "131072");
    manager.SetMaxDownLoads(2);
    const ServedDriver* files[] = {&kSmall, &kBig, &kDrivers[4]};
    for (int32_t id = 1; id <= 3; ++id) ASSERT_TRUE(manager.Enqueue(Request(id, *files[id - 1])));

    struct Start {
        int slot;
        Clock::time_point at;
        size_t doneOfFirst;  // 304s of task 1 seen when it started
    };
    std::map<int32_t, Start> started;
    ASSERT_TRUE(WaitUntil([&] {
        DownLoadEvent e;
        while (g_downLoadEventQueue.Pop(e)) events.push_back(e);
        auto slots = Probe::Slots(manager);
        for (size_t i = 0; i < slots.size(); ++i) {
            if (slots[i].busy && !started.count(slots[i].taskId))
                started[slots[i].taskId] = {static_cast<int>(i) + 1, Clock::now(),
                                            CountEvents(EVT_DOWNLOAD_DONE, 1)};
        }
        return started.count(3) != 0;
    }));
    EXPECT_EQ(started[1].slot, 1);
    EXPECT_EQ(started[2].slot, 2);
    EXPECT_GE(started[2].at - started[1].at, 150ms) << "two starts in one tick";
    EXPECT_EQ(started[3].slot, 1);
    EXPECT_EQ(started[3].doneOfFirst, 1u) << "third started before one of the two ended";

    Files("rate", "");
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_DONE, 2));
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_DONE, 3));
    for (const auto* f : files) ExpectServedFile(*f);
}

TEST_F(ManagerTest, LimitSevenRunsAllSixSlots) {
    int32_t completedBefore = g_completedDownLoads;
    CDownLoadManager manager;
    Files("rate", "65536");
    manager.SetMaxDownLoads(7);
    for (int32_t id = 1; id <= 6; ++id) ASSERT_TRUE(manager.Enqueue(Request(id, kDrivers[id - 1])));
    fs::create_directories(dir / "again");
    PendingDownLoad seventh = Request(7, kDrivers[0]);
    seventh.savePath = (dir / "again" / kDrivers[0].name).wstring();
    ASSERT_TRUE(manager.Enqueue(seventh));

    ASSERT_TRUE(WaitUntil([&] {
        auto slots = Probe::Slots(manager);
        return std::all_of(slots.begin(), slots.end(), [](const DownLoadSlot& s) { return s.busy; });
    }));
    EXPECT_EQ(Probe::Pending(manager), 1u);

    Files("rate", "");
    for (int32_t id = 1; id <= 7; ++id) ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_DONE, id)) << id;
    for (const auto& f : kDrivers) ExpectServedFile(f);
    EXPECT_EQ(g_completedDownLoads - completedBefore, 7);
}

TEST_F(ManagerTest, StoppedSlotIsTakenAgainOnlyAfterTheEngineConfirms) {
    StatusTap tap;
    CDownLoadManager manager;
    tap.manager = &manager;
    std::atomic<bool> startedBeforeConfirm{false};
    tap.before = [&](int32_t status) {
        if (status != DRAVOLIN_STATUS_CANCELLED) return;
        std::this_thread::sleep_for(600ms);  // three ticks with the stopped slot unconfirmed
        for (const auto& slot : Probe::Slots(manager))
            if (slot.busy && slot.taskId == 2) startedBeforeConfirm = true;
    };
    tap.Attach(Probe::Slots(manager)[0].handle);

    Files("rate", "65536");
    manager.SetMaxDownLoads(2);
    ASSERT_TRUE(manager.Enqueue(Request(1, kBig)));
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_PROGRESS, 1));
    ASSERT_TRUE(manager.Stop(Request(1, kBig)));
    auto slot = Probe::Slots(manager)[0];
    EXPECT_FALSE(slot.busy);
    EXPECT_EQ(slot.state, SLOT_CANCEL_REQUESTED);
    ASSERT_TRUE(manager.Enqueue(Request(2, kSmall)));  // slot 2 is free, yet must wait too

    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_DONE, 2));
    EXPECT_FALSE(startedBeforeConfirm);
    EXPECT_EQ(tap.cancelsForwarded, 1);
    EXPECT_EQ(CountEvents(EVT_DOWNLOAD_STOPPED, 1), 1u);
    EXPECT_EQ(CountEvents(EVT_DOWNLOAD_DONE, 1), 0u);
    EXPECT_FALSE(fs::exists(Target(kBig)));
    ExpectServedFile(kSmall);
}

TEST_F(ManagerTest, PausedTransferKeepsItsSlotAndResumesWhereItStopped) {
    CDownLoadManager manager;
    manager.SetMaxDownLoads(1);
    Files("rate", std::to_string(kBig.size / 4));
    ASSERT_TRUE(manager.Enqueue(Request(1, kBig)));
    ASSERT_TRUE(WaitUntil([&] {
        DownLoadEvent e;
        while (g_downLoadEventQueue.Pop(e)) events.push_back(e);
        return std::any_of(events.begin(), events.end(), [](const DownLoadEvent& x) {
            return x.code == EVT_DOWNLOAD_PROGRESS && x.progress >= 40;
        });
    }));
    const int32_t handle = Probe::Slots(manager)[0].handle;
    ASSERT_TRUE(manager.Pause(Request(1, kBig)));
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_PAUSED, 1));
    ASSERT_TRUE(WaitUntil([&] { return Probe::Slots(manager)[0].state == SLOT_CANCELLED; }));
    EXPECT_TRUE(Probe::Slots(manager)[0].busy);
    EXPECT_FALSE(fs::exists(Target(kBig)));

    // The paused transfer still counts against the limit of one.
    ASSERT_TRUE(manager.Enqueue(Request(2, kSmall)));
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(Probe::Pending(manager), 1u);

    service.ResetLog();
    Files("rate", "");
    ASSERT_TRUE(manager.Resume(Request(1, kBig)));
    auto slot = Probe::Slots(manager)[0];
    EXPECT_EQ(slot.handle, handle);
    EXPECT_EQ(slot.state, SLOT_RUNNING);
    EXPECT_EQ(slot.taskId, 1);
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_RESUMED, 1));
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_DONE, 1));
    ExpectServedFile(kBig);
    auto sent = service.Log("/files/" + kBig.name);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent[0].Header("Range").rfind("bytes=", 0), 0u);
    EXPECT_NE(sent[0].Header("Range"), "bytes=0-");

    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_DONE, 2));
    ExpectServedFile(kSmall);
}

// Resume acts on a paused transfer only: one for a running transfer, or a
// second one, opens nothing, so the slot's next task never hears of a
// download that is not its own.
TEST_F(ManagerTest, ResumeActsOnlyOnAPausedTransfer) {
    const int32_t completedBefore = g_completedDownLoads;
    CDownLoadManager manager;
    manager.SetMaxDownLoads(1);
    Files("rate", std::to_string(kBig.size / 4));
    ASSERT_TRUE(manager.Enqueue(Request(1, kBig)));
    ASSERT_TRUE(manager.Enqueue(Request(2, kSmall)));
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_PROGRESS, 1));
    EXPECT_FALSE(manager.Resume(Request(1, kBig))) << "a running transfer is not paused";
    ASSERT_TRUE(manager.Pause(Request(1, kBig)));
    ASSERT_TRUE(WaitUntil([&] { return Probe::Slots(manager)[0].state == SLOT_CANCELLED; }));

    Files("rate", "");
    service.ResetLog();
    ASSERT_TRUE(manager.Resume(Request(1, kBig)));
    EXPECT_FALSE(manager.Resume(Request(1, kBig))) << "resumed already";
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_DONE, 1));
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_DONE, 2));
    ExpectServedFile(kSmall);  // done means the file is there
    ASSERT_TRUE(WaitUntil([&] { return !Probe::Slots(manager)[0].busy; }));
    std::this_thread::sleep_for(1s);  // room for a stray transfer to report
    DrainEvents();

    EXPECT_EQ(CountEvents(EVT_DOWNLOAD_RESUMED, 1), 1u);
    EXPECT_EQ(CountEvents(EVT_DOWNLOAD_DONE, 1), 1u);
    EXPECT_EQ(CountEvents(EVT_DOWNLOAD_DONE, 2), 1u);
    EXPECT_EQ(g_completedDownLoads - completedBefore, 2);
    EXPECT_EQ(service.Log("/files/" + kBig.name).size(), 1u);
    ExpectServedFile(kBig);
}

// A second pause of a paused transfer changes nothing: a stop afterwards
// frees the slot for good instead of leaving it waiting for a cancel.
TEST_F(ManagerTest, PauseOfAPausedTransferChangesNothing) {
    CDownLoadManager manager;
    manager.SetMaxDownLoads(1);
    Files("rate", std::to_string(kBig.size / 4));
    ASSERT_TRUE(manager.Enqueue(Request(1, kBig)));
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_PROGRESS, 1));
    ASSERT_TRUE(manager.Pause(Request(1, kBig)));
    ASSERT_TRUE(WaitUntil([&] { return Probe::Slots(manager)[0].state == SLOT_CANCELLED; }));
    EXPECT_FALSE(manager.Pause(Request(1, kBig)));
    EXPECT_EQ(Probe::Slots(manager)[0].state, SLOT_CANCELLED);
    ASSERT_TRUE(manager.Stop(Request(1, kBig)));

    Files("rate", "");
    ASSERT_TRUE(manager.Enqueue(Request(2, kSmall)));
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_DONE, 2, 60s)) << "the slot still waits for a 302";
    ExpectServedFile(kSmall);
    EXPECT_EQ(CountEvents(EVT_DOWNLOAD_PAUSED, 1), 1u);
}

TEST_F(ManagerTest, ProgressPostsOnlyOnChangeAndOnlyOtherStatusesFreeTheSlot) {
    CDownLoadManager manager;
    const int32_t handle = Probe::Slots(manager)[0].handle;
    DriverDownLoad_DataCallBack_Log(&SwallowData, handle, nullptr);
    // The engine's own statuses stay away from the manager too.
    swallowedStatus = 0;
    DriverDownLoad_ErrorCallBack_Log(&SwallowStatus, handle, nullptr);

    Files("rate", "65536");
    manager.SetMaxDownLoads(1);
    ASSERT_TRUE(manager.Enqueue(Request(1, kBig)));
    ASSERT_TRUE(WaitUntil([&] { return Probe::Slots(manager)[0].busy; }));
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_QUEUED, 1));
    events.clear();

    EXPECT_NE(manager.OnData(handle, 3145728.0f, 37), 0);
    EXPECT_NE(manager.OnData(handle, 1.0f, 37), 0);  // same percentage: nothing
    EXPECT_NE(manager.OnData(handle, 2048.0f, 38), 0);
    EXPECT_NE(manager.OnData(handle + 1000, 2048.0f, 50), 0);  // no such slot
    EXPECT_EQ(manager.OnStatus(handle, DRAVOLIN_STATUS_CANCELLED), 1);
    EXPECT_TRUE(Probe::Slots(manager)[0].busy) << "302 must not free the slot";
    EXPECT_EQ(manager.OnStatus(handle, 500), 1);
    EXPECT_FALSE(Probe::Slots(manager)[0].busy);
    EXPECT_EQ(manager.OnData(handle, 1.0f, 60), 1);  // a free slot takes no progress

    DownLoadEvent e;
    while (g_downLoadEventQueue.Pop(e)) events.push_back(e);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].code, EVT_DOWNLOAD_PROGRESS);
    EXPECT_EQ(events[0].progress, 37);
    EXPECT_EQ(events[0].text, L"3MB/S");
    EXPECT_EQ(events[1].progress, 38);
    EXPECT_EQ(events[1].text, L"2KB/S");
    EXPECT_EQ(events[2].code, EVT_DOWNLOAD_FAILED);
    EXPECT_EQ(events[2].taskId, 1);
    EXPECT_EQ(Probe::Slots(manager)[0].speedText, L"2KB/S");

    // The manager has let the slot go, but the engine still runs the
    // transfer and writes in the folder until it confirms the cancel.
    DriverDownLoad_Cancel(handle);
    EXPECT_TRUE(WaitUntil([] { return swallowedStatus != 0; }));
}

// A pause that meets a transfer which has just finished is refused by the
// engine; its slot must not wait for a 302 that never comes.
TEST_F(ManagerTest, RefusedCancelDoesNotHoldUpLaterStarts) {
    CDownLoadManager manager;
    const int32_t handle = Probe::Slots(manager)[0].handle;
    DriverDownLoad_DataCallBack_Log(&SwallowData, handle, nullptr);
    Files("rate", "524288");
    manager.SetMaxDownLoads(1);
    ASSERT_TRUE(manager.Enqueue(Request(1, kSmall)));
    ASSERT_TRUE(WaitUntil([&] { return Probe::Slots(manager)[0].busy; }));
    {
        // Holding the lock keeps the engine's 301 waiting at the manager.
        os::ScopedLock held(Probe::Lock(manager));
        ASSERT_TRUE(WaitUntil([&] { return fs::exists(Target(kSmall)); }));
        EXPECT_FALSE(manager.Pause(Request(1, kSmall)));
        EXPECT_EQ(Probe::Slots(manager)[0].state, SLOT_CANCEL_REQUESTED);
    }
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_DONE, 1));
    EXPECT_EQ(CountEvents(EVT_DOWNLOAD_PAUSED, 1), 0u);
    ExpectServedFile(kSmall);

    Files("rate", "");
    ASSERT_TRUE(manager.Enqueue(Request(2, kDrivers[2])));
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_DONE, 2, 60s)) << "the slot still waits for a 302";
    ExpectServedFile(kDrivers[2]);
}

// Paused and resumed before the engine confirmed the pause: the late 302
// answers the old transfer, so a stop afterwards must still cancel the new one.
TEST_F(ManagerTest, StopAfterQuickResumeStillCancelsTheTransfer) {
    StatusTap tap;
    CDownLoadManager manager;
    tap.manager = &manager;
    tap.Attach(Probe::Slots(manager)[0].handle);
    Files("rate", "131072");
    manager.SetMaxDownLoads(1);
    ASSERT_TRUE(manager.Enqueue(Request(1, kBig)));
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_PROGRESS, 1));
    {
        os::ScopedLock held(Probe::Lock(manager));
        ASSERT_TRUE(manager.Pause(Request(1, kBig)));
        ASSERT_TRUE(manager.Resume(Request(1, kBig)));
    }
    ASSERT_TRUE(WaitUntil([&] { return tap.cancelsForwarded == 1; }));
    EXPECT_EQ(Probe::Slots(manager)[0].state, SLOT_RUNNING);

    ASSERT_TRUE(manager.Stop(Request(1, kBig)));
    EXPECT_EQ(Probe::Slots(manager)[0].state, SLOT_CANCEL_REQUESTED);
    ASSERT_TRUE(WaitUntil([&] { return tap.cancelsForwarded == 2; }));

    Files("rate", "");
    ASSERT_TRUE(manager.Enqueue(Request(2, kSmall)));
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_DONE, 2));
    ExpectServedFile(kSmall);
    EXPECT_EQ(CountEvents(EVT_DOWNLOAD_DONE, 1), 0u);
    EXPECT_FALSE(fs::exists(Target(kBig)));
}

TEST_F(ManagerTest, SaveFolderIsCreatedOnlyWithAnOwner) {
    CDownLoadManager manager;
    manager.SetMaxDownLoads(1);
    PendingDownLoad request = Request(1, kSmall);
    request.savePath = (dir / "model" / "os" / "category" / kSmall.name).wstring();
    ASSERT_TRUE(manager.Enqueue(request));
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_FAILED, 1));
    EXPECT_FALSE(fs::exists(dir / "model"));

    int window = 0;  // stands in for the main window; never dereferenced
    manager.SetOwner(reinterpret_cast<CMainWnd*>(&window));
    request.taskId = 2;
    ASSERT_TRUE(manager.Enqueue(request));
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_DONE, 2));
    EXPECT_EQ(pelltest::FileSha256((dir / "model" / "os" / "category" / kSmall.name).string()),
              pelltest::ServedFileSha256(kSmall.name, kSmall.size));
}

// Closing leaves running transfers cancelled and the queue untouched from
// then on: at program end the queues go away right after.
TEST_F(ManagerTest, CloseCancelsRunningTransfersAndPostsNothingAfterwards) {
    CDownLoadManager manager;
    Files("rate", "131072");
    manager.SetMaxDownLoads(2);
    ASSERT_TRUE(manager.Enqueue(Request(1, kBig)));
    ASSERT_TRUE(manager.Enqueue(Request(2, kDrivers[4])));
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_PROGRESS, 1));
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_PROGRESS, 2));

    manager.Close();
    g_downLoadEventQueue.Clear();
    std::this_thread::sleep_for(1500ms);
    DownLoadEvent late;
    EXPECT_FALSE(g_downLoadEventQueue.Pop(late)) << "event " << late.code << " after Close";
    EXPECT_FALSE(fs::exists(Target(kBig)));
    EXPECT_FALSE(fs::exists(Target(kDrivers[4])));
    // Closed handles report nothing, not even their end: the transfers are
    // over once the engine has let go of their partial files.
    EXPECT_TRUE(WaitUntil([&] {
        return !pelltest::PartialFileHeld(Target(kBig)) && !pelltest::PartialFileHeld(Target(kDrivers[4]));
    }));
}

// A program that ends while its downloads run: the globals are torn down
// with transfers under way, which must neither crash nor report a fault.
TEST_F(ManagerTest, ProgramEndWhileDownloadingExitsCleanly) {
    Files("rate", "262144");
    for (int round = 0; round < 3; ++round) {
        const fs::path out = dir / ("round" + std::to_string(round));
        fs::create_directories(out);
        std::string command = "./exit_while_downloading '" + service.BaseUrl() + "' '" + out.string() + "'";
        for (const ServedDriver& file : kDrivers)
            command += " " + file.name + ":" + std::to_string(file.size);
        int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << "round " << round;
        EXPECT_EQ(WEXITSTATUS(status), 0) << "round " << round;
    }
}

TEST_F(ManagerTest, StopAllEndsQueuedRunningAndPausedDownloadsOnceEach) {
    CDownLoadManager manager;
    Files("rate", "65536");
    manager.SetMaxDownLoads(2);
    for (int32_t id = 1; id <= 3; ++id) ASSERT_TRUE(manager.Enqueue(Request(id, kDrivers[id + 2])));
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_PROGRESS, 1));
    ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_PROGRESS, 2));
    ASSERT_TRUE(manager.Pause(Request(2, kDrivers[4])));

    ASSERT_TRUE(manager.StopAll());
    // The running, the paused and the queued one: one stop each.
    for (int32_t id = 1; id <= 3; ++id) ASSERT_TRUE(WaitForEvent(EVT_DOWNLOAD_STOPPED, id)) << id;
    EXPECT_EQ(Probe::Pending(manager), 0u);
    for (const auto& slot : Probe::Slots(manager)) EXPECT_FALSE(slot.busy);

    // Nothing starts or lands afterwards, and no stop is posted twice.
    Files("rate", "");
    std::this_thread::sleep_for(1s);
    DownLoadEvent e;
    while (g_downLoadEventQueue.Pop(e)) events.push_back(e);
    for (int32_t id = 1; id <= 3; ++id) {
        EXPECT_EQ(CountEvents(EVT_DOWNLOAD_STOPPED, id), 1u) << id;
        EXPECT_EQ(CountEvents(EVT_DOWNLOAD_DONE, id), 0u) << id;
        EXPECT_FALSE(fs::exists(Target(kDrivers[id + 2]))) << id;
    }
    // The stop notices came at once; the engine confirms the cancels later.
    EXPECT_TRUE(WaitUntil([&] { return Probe::TransfersEnded(manager); }));
}
