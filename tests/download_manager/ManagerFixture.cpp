#include "ManagerFixture.h"

#include <thread>

#include "download/EventQueue.h"
#include "tests/support/ServedFile.h"

namespace fs = std::filesystem;

const std::vector<ServedDriver> kDrivers = {
    {"velmontt7_zorvik_2.9.exe", 229376},    {"aurex14g3_zorvik_3.2.exe", 262144},
    {"aurex14g3_audio_6.0.zip", 524288},     {"aurex16pro_bluetooth_22.240.zip", 786432},
    {"aurex14g3_chipset_10.1.exe", 1048576}, {"aurex14g3_graphics_31.0.exe", 3145728},
};

void ManagerTest::SetUp() {
    service.Reset();
    setenv("PELLUCOR_CA_FILE", service.CertificateFile().c_str(), 1);
    g_downLoadEventQueue.Clear();
}

PendingDownLoad ManagerTest::Request(int32_t taskId, const ServedDriver& file) const {
    PendingDownLoad request;
    request.kind = 2;
    request.taskId = taskId;
    request.size = file.size;
    request.url = service.BaseUrl() + "/files/" + file.name;
    request.savePath = fs::path(Target(file)).wstring();
    return request;
}

std::string ManagerTest::Target(const ServedDriver& file) const {
    return (dir / file.name).string();
}

void ManagerTest::ExpectServedFile(const ServedDriver& file) const {
    EXPECT_EQ(pelltest::FileSha256(Target(file)), pelltest::ServedFileSha256(file.name, file.size))
        << file.name;
    EXPECT_FALSE(fs::exists(Target(file) + ".part")) << file.name;
}

bool ManagerTest::WaitForEvent(int32_t code, int32_t taskId, std::chrono::seconds timeout) {
    if (CountEvents(code, taskId) > 0) return true;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        DownLoadEvent event;
        while (g_downLoadEventQueue.Pop(event)) {
            events.push_back(event);
            if (event.code == code && event.taskId == taskId) return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

bool ManagerTest::WaitUntil(const std::function<bool()>& condition, std::chrono::seconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return condition();
}

size_t ManagerTest::CountEvents(int32_t code, int32_t taskId) const {
    size_t n = 0;
    for (const auto& e : events) n += e.code == code && e.taskId == taskId;
    return n;
}

void ManagerTest::DrainEvents() {
    DownLoadEvent event;
    while (g_downLoadEventQueue.Pop(event)) events.push_back(event);
}
