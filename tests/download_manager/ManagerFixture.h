#pragma once
// Shared set-up of the download manager and dispatcher tests: the local
// service with its driver files, a temporary download folder, a look at the
// manager's slots, and waits on the two event queues.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "download/DownLoadEvent.h"
#include "download/DownLoadManager.h"
#include "download/PendingDownLoad.h"
#include "tests/support/DownLoadManagerProbe.h"
#include "tests/support/LocalService.h"
#include "tests/support/TempFolder.h"

// A served driver file of the sample catalogue.
struct ServedDriver {
    std::string name;
    int64_t size;
};
extern const std::vector<ServedDriver> kDrivers;  // six files, small to large

class ManagerTest : public ::testing::Test {
protected:
    void SetUp() override;

    PendingDownLoad Request(int32_t taskId, const ServedDriver& file) const;
    std::string Target(const ServedDriver& file) const;
    void Files(const std::string& key, const std::string& value) { service.SetMode("files", key, value); }
    void ExpectServedFile(const ServedDriver& file) const;

    // True once an event with the code and task id has been seen, popping
    // g_downLoadEventQueue into `events` meanwhile; false after the timeout.
    bool WaitForEvent(int32_t code, int32_t taskId, std::chrono::seconds timeout = std::chrono::seconds(120));
    // Polls until the condition holds; false after the timeout.
    static bool WaitUntil(const std::function<bool()>& condition,
                          std::chrono::seconds timeout = std::chrono::seconds(120));
    size_t CountEvents(int32_t code, int32_t taskId) const;
    // Pops what g_downLoadEventQueue holds into `events`.
    void DrainEvents();

    pelltest::LocalService& service = pelltest::LocalService::Shared();
    pelltest::TempFolder folder{"manager_"};
    const std::filesystem::path& dir = folder.Path();
    std::vector<DownLoadEvent> events;
};
