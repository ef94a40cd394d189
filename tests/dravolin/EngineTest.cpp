// The engine against the local HTTPS service: whole downloads, pause and
// resume, and every fault the service can play.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "EngineClient.h"
#include "support/LocalService.h"
#include "support/ServedFile.h"

namespace fs = std::filesystem;

namespace {

// A served file of the sample catalogue and its size.
struct ServedFile {
    std::string name;
    int64_t size;
};
const ServedFile kBig{"aurex14g3_graphics_31.0.exe", 3145728};
const ServedFile kSmall{"aurex14g3_audio_6.0.zip", 524288};

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        service.Reset();
        setenv("PELLUCOR_CA_FILE", service.CertificateFile().c_str(), 1);
        dir = fs::temp_directory_path() /
              ("dravolin-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name()) /
              "驱动";
        fs::remove_all(dir.parent_path());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir.parent_path()); }

    std::string Url(const ServedFile& f) const { return service.BaseUrl() + "/files/" + f.name; }
    std::string Target(const ServedFile& f) const { return (dir / f.name).string(); }
    void Files(const std::string& key, const std::string& value) { service.SetMode("files", key, value); }

    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    // Leaves a partial file of exactly `bytes` bytes beside the target.
    void LeavePartial(EngineClient& engine, const ServedFile& f, int64_t bytes) {
        Files("drop-after", std::to_string(bytes));
        engine.Open(Url(f), Target(f), f.size);
        int32_t status = engine.NextStatus();
        EXPECT_TRUE(status == DRAVOLIN_STATUS_NETWORK || status == DRAVOLIN_STATUS_INCOMPLETE) << status;
        Files("drop-after", "");
        ASSERT_FALSE(fs::exists(Target(f)));
        ASSERT_EQ(fs::file_size(Target(f) + ".part"), static_cast<uintmax_t>(bytes));
        service.ResetLog();
    }

    // Opens the file's transfer and expects it to end with the served bytes.
    void ExpectDownloads(EngineClient& engine, const ServedFile& f, uint32_t version = 1) {
        engine.Open(Url(f), Target(f), f.size);
        EXPECT_EQ(engine.NextStatus(), DRAVOLIN_STATUS_DONE);
        ExpectServedFile(f, version);
    }

    void ExpectServedFile(const ServedFile& f, uint32_t version = 1) {
        ASSERT_TRUE(fs::exists(Target(f)));
        EXPECT_EQ(pelltest::FileSha256(Target(f)), pelltest::ServedFileSha256(f.name, f.size, version));
        EXPECT_FALSE(fs::exists(Target(f) + ".part"));
        EXPECT_FALSE(fs::exists(Target(f) + ".part.meta"));
    }

    pelltest::LocalService& service = pelltest::LocalService::Shared();
    fs::path dir;
};

}  // namespace

TEST_F(EngineTest, DownloadsWholeFileWithWholePercentProgress) {
    EngineClient engine;
    ASSERT_NE(engine.Handle(), 0);
    ASSERT_EQ(engine.Open(Url(kBig), Target(kBig), kBig.size), 1);
    EXPECT_EQ(engine.NextStatus(), DRAVOLIN_STATUS_DONE);
    ExpectServedFile(kBig);

    auto percents = engine.Percents();
    ASSERT_FALSE(percents.empty());
    EXPECT_EQ(percents.back(), 100);
    for (size_t i = 1; i < percents.size(); ++i) EXPECT_GT(percents[i], percents[i - 1]);
    for (float speed : engine.Speeds()) EXPECT_GE(speed, 0.0f);
    EXPECT_EQ(service.Log("/files/" + kBig.name).at(0).Header("Range"), "");
}

TEST_F(EngineTest, PausedHalfWayResumesWithGuardedRangeRequest) {
    EngineClient engine;
    Files("rate", std::to_string(kBig.size / 4));
    engine.Open(Url(kBig), Target(kBig), kBig.size);
    ASSERT_TRUE(engine.WaitForPercent(40));
    ASSERT_TRUE(engine.Cancel());
    EXPECT_EQ(engine.NextStatus(), DRAVOLIN_STATUS_CANCELLED);
    EXPECT_FALSE(fs::exists(Target(kBig)));
    auto kept = static_cast<int64_t>(fs::file_size(Target(kBig) + ".part"));
    EXPECT_GT(kept, 0);
    EXPECT_LT(kept, kBig.size);

    Files("rate", "");
    service.ResetLog();
    ExpectDownloads(engine, kBig);
    auto sent = service.Log("/files/" + kBig.name);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].Header("Range"), "bytes=" + std::to_string(kept) + "-");
    EXPECT_EQ(sent[0].Header("If-Range"), "\"" + kBig.name + "-v1\"");
}

TEST_F(EngineTest, DroppedConnectionFailsAndRetryCompletes) {
    EngineClient engine;
    LeavePartial(engine, kBig, 1000000);
    ExpectDownloads(engine, kBig);
    EXPECT_EQ(service.Log("/files/" + kBig.name).at(0).Header("Range"), "bytes=1000000-");
}

TEST_F(EngineTest, ShortBodyNeverBecomesTheFile) {
    EngineClient engine;
    Files("short", "1000");
    engine.Open(Url(kSmall), Target(kSmall), kSmall.size);
    int32_t status = engine.NextStatus();
    EXPECT_TRUE(status == DRAVOLIN_STATUS_INCOMPLETE || status == DRAVOLIN_STATUS_NETWORK) << status;
    EXPECT_FALSE(fs::exists(Target(kSmall)));
    EXPECT_NE(engine.Percents().back(), 100);

    Files("short", "");
    ExpectDownloads(engine, kSmall);
}

TEST_F(EngineTest, NotFoundPageNeverLandsInTheFile) {
    EngineClient engine;
    LeavePartial(engine, kSmall, 100000);
    std::string before = Read(Target(kSmall) + ".part");

    Files("not-found", "1");
    engine.Open(Url(kSmall), Target(kSmall), kSmall.size);
    EXPECT_EQ(engine.NextStatus(), DRAVOLIN_STATUS_HTTP_ERROR);
    EXPECT_FALSE(fs::exists(Target(kSmall)));
    EXPECT_EQ(Read(Target(kSmall) + ".part"), before);

    // A fresh download answered with 404 leaves no file at all.
    engine.Open(service.BaseUrl() + "/files/no-such-driver.exe", (dir / "missing.exe").string(), 1000);
    EXPECT_EQ(engine.NextStatus(), DRAVOLIN_STATUS_HTTP_ERROR);
    EXPECT_FALSE(fs::exists(dir / "missing.exe"));
    EXPECT_FALSE(fs::exists(dir / "missing.exe.part"));

    Files("not-found", "");
    ExpectDownloads(engine, kSmall);
}

TEST_F(EngineTest, ServerIgnoringRangesStillGivesTheExactFile) {
    EngineClient engine;
    LeavePartial(engine, kBig, 1500000);
    Files("ignore-range", "1");
    ExpectDownloads(engine, kBig);
    EXPECT_EQ(service.Log("/files/" + kBig.name).at(0).Header("Range"), "bytes=1500000-");
}

TEST_F(EngineTest, FileChangedBetweenPauseAndResumeStartsOver) {
    EngineClient engine;
    LeavePartial(engine, kBig, 2000000);
    Files("version", "2");
    ExpectDownloads(engine, kBig, 2);
}

TEST_F(EngineTest, EveryAcceptedCancelGetsOne302AndNothingElse) {
    EngineClient engine;
    EXPECT_FALSE(engine.Cancel()) << "nothing to cancel on a new handle";

    Files("rate", "100000");
    engine.Open(Url(kBig), Target(kBig), kBig.size);
    EXPECT_TRUE(engine.Cancel());
    EXPECT_FALSE(engine.Cancel()) << "already cancelled";
    // Reopened before the 302: the new transfer runs after the old one ends.
    engine.Open(Url(kBig), Target(kBig), kBig.size);
    EXPECT_EQ(engine.NextStatus(), DRAVOLIN_STATUS_CANCELLED);
    Files("rate", "");
    EXPECT_EQ(engine.NextStatus(), DRAVOLIN_STATUS_DONE);
    ExpectServedFile(kBig);
    EXPECT_FALSE(engine.Cancel()) << "a finished transfer is not cancelled";
    EXPECT_EQ(engine.Statuses(), (std::vector<int32_t>{DRAVOLIN_STATUS_CANCELLED, DRAVOLIN_STATUS_DONE}));
}

TEST_F(EngineTest, TransfersThatCannotStartReportFailure) {
    EngineClient engine;
    struct Case {
        std::string url, path;
        int32_t status;
    } cases[] = {
        {"", Target(kSmall), DRAVOLIN_STATUS_BAD_REQUEST},
        {Url(kSmall), "", DRAVOLIN_STATUS_BAD_REQUEST},
        {"ftp://127.0.0.1/x", Target(kSmall), DRAVOLIN_STATUS_BAD_REQUEST},
        {"https://127.0.0.1:" + std::to_string(pelltest::LocalService::UnusedPort()) + "/files/x",
         Target(kSmall), DRAVOLIN_STATUS_NETWORK},
        {Url(kSmall), (dir / "no-such-folder" / kSmall.name).string(), DRAVOLIN_STATUS_FILE_ERROR},
    };
    for (const auto& c : cases) {
        engine.Open(c.url, c.path, kSmall.size);
        EXPECT_EQ(engine.NextStatus(), c.status) << c.url << " -> " << c.path;
    }
    EXPECT_FALSE(fs::exists(Target(kSmall)));
}

TEST_F(EngineTest, UntrustedCertificateIsRefused) {
    unsetenv("PELLUCOR_CA_FILE");
    EngineClient engine;
    engine.Open(Url(kSmall), Target(kSmall), kSmall.size);
    EXPECT_EQ(engine.NextStatus(), DRAVOLIN_STATUS_TLS);
    EXPECT_FALSE(fs::exists(Target(kSmall)));
}

TEST_F(EngineTest, UnknownHandlesAreRefusedAndFreedHandlesFallSilent) {
    EXPECT_EQ(DriverDownLoad_Open(0, "x", 1, nullptr, 0, 0, 0, 0), 0);
    EXPECT_EQ(DriverDownLoad_Cancel(987654), 0);
    EXPECT_EQ(DriverDownLoad_DataCallBack_Log(nullptr, 987654, nullptr), 0);
    DriverDownLoad_Free(987654);

    auto engine = std::make_unique<EngineClient>();
    Files("rate", "200000");
    engine->Open(Url(kBig), Target(kBig), kBig.size);
    ASSERT_TRUE(engine->WaitForPercent(1));
    int32_t handle = engine->Handle();
    DriverDownLoad_Free(handle);
    size_t reported = engine->Percents().size();
    EXPECT_EQ(DriverDownLoad_Cancel(handle), 0);
    EXPECT_EQ(engine->NextStatus(std::chrono::seconds(2)), 0);
    EXPECT_LE(engine->Percents().size(), reported + 1);  // at most one already under way
    EXPECT_FALSE(fs::exists(Target(kBig)));
}
