// The engine against the local HTTPS service: whole downloads, pause and
// resume, and every fault the service can play.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "EngineClient.h"
#include "tests/support/LocalService.h"
#include "tests/support/PartialFileHeld.h"
#include "tests/support/ServedFile.h"
#include "tests/support/TempFolder.h"

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
        dir = folder / "驱动";
        fs::create_directories(dir);
    }

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

    static bool WaitUntil(const std::function<bool()>& condition,
                          std::chrono::seconds timeout = std::chrono::seconds(60)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!condition()) {
            if (std::chrono::steady_clock::now() >= deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }

    pelltest::LocalService& service = pelltest::LocalService::Shared();
    pelltest::TempFolder folder{"dravolin_"};
    fs::path dir;  // inside folder, with a name outside ASCII
};

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

// The transfer of one file by dravolin_fetch in a process of its own, started
// through the shell as `prefix` gives it (environment, namespace).
class OtherProcessFetch {
public:
    OtherProcessFetch(const std::string& prefix, const std::string& url, const std::string& path,
                      int64_t size)
        : pipe_(::popen((prefix + " " + Quoted(DRAVOLIN_FETCH) + " " + Quoted(url) + " " + Quoted(path) +
                         " " + std::to_string(size))
                            .c_str(),
                        "r")) {}
    ~OtherProcessFetch() { Status(); }

    // Its final status, or 0 when it printed none.
    int32_t Status() {
        if (!pipe_) return status_;
        char line[64] = {};
        if (std::fgets(line, sizeof line, pipe_)) status_ = std::atoi(line);
        ::pclose(pipe_);
        pipe_ = nullptr;
        return status_;
    }

private:
    FILE* pipe_;
    int32_t status_ = 0;
};

// A mounted tmpfs of a few pages, unmounted at the end of the test.
struct SmallFileSystem {
    explicit SmallFileSystem(const fs::path& where) : mountPoint(where) {
        fs::create_directories(where);
        mounted = ::mount("tmpfs", where.c_str(), "tmpfs", 0, "size=256k") == 0;
        error = errno;
    }
    ~SmallFileSystem() {
        if (mounted) ::umount2(mountPoint.c_str(), MNT_DETACH);
    }
    fs::path mountPoint;
    bool mounted = false;
    int error = 0;
};

// Runs a shell command; its output's first line.
std::string FirstLineOf(const std::string& command) {
    std::string line;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256] = {};
        if (std::fgets(buffer, sizeof buffer, pipe)) line = buffer;
        ::pclose(pipe);
    }
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    return line;
}

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
    // Silent to the end: the abandoned transfer is over once its partial
    // file is let go.
    EXPECT_TRUE(WaitUntil([&] { return !pelltest::PartialFileHeld(Target(kBig)); }));
}

// Two transfers into one file: the second fails at once without asking the
// server, and the first goes on to give the exact file.
TEST_F(EngineTest, SecondTransferIntoTheSameFileFailsAtOnce) {
    EngineClient first, second;
    Files("rate", "262144");
    first.Open(Url(kBig), Target(kBig), kBig.size);
    ASSERT_TRUE(first.WaitForPercent(5));
    second.Open(Url(kBig), Target(kBig), kBig.size);
    EXPECT_EQ(second.NextStatus(std::chrono::seconds(10)), DRAVOLIN_STATUS_BUSY);
    EXPECT_EQ(service.Log("/files/" + kBig.name).size(), 1u);

    Files("rate", "");
    EXPECT_EQ(first.NextStatus(), DRAVOLIN_STATUS_DONE);
    ExpectServedFile(kBig);
    EXPECT_EQ(second.Statuses(), std::vector<int32_t>{DRAVOLIN_STATUS_BUSY});
}

// Stopped and started again at once, as the window's stop and download may
// do on two handles: the new transfer waits for the cancelled one to let go.
TEST_F(EngineTest, FileOfACancelledTransferIsTakenOverOnceItLetsGo) {
    EngineClient first, second;
    Files("rate", "262144");
    first.Open(Url(kBig), Target(kBig), kBig.size);
    ASSERT_TRUE(first.WaitForPercent(5));
    Files("rate", "1");  // a byte a second: the cancel is seen only slowly
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ASSERT_TRUE(first.Cancel());
    second.Open(Url(kBig), Target(kBig), kBig.size);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    Files("rate", "");
    EXPECT_EQ(first.NextStatus(), DRAVOLIN_STATUS_CANCELLED);
    EXPECT_EQ(second.NextStatus(), DRAVOLIN_STATUS_DONE);
    ExpectServedFile(kBig);
}

TEST_F(EngineTest, FileThatAnotherProcessWritesIsLeftToIt) {
    const std::string target = (folder.Path() / kBig.name).string();  // the helper takes ASCII paths
    Files("rate", "262144");
    OtherProcessFetch other("", Url(kBig), target, kBig.size);
    ASSERT_TRUE(WaitUntil([&] {
        std::error_code ec;
        return fs::file_size(target + ".part", ec) > 0 && !ec;
    }));

    EngineClient engine;
    engine.Open(Url(kBig), target, kBig.size);
    EXPECT_EQ(engine.NextStatus(std::chrono::seconds(10)), DRAVOLIN_STATUS_BUSY);
    Files("rate", "");
    EXPECT_EQ(other.Status(), DRAVOLIN_STATUS_DONE);
    EXPECT_EQ(pelltest::FileSha256(target), pelltest::ServedFileSha256(kBig.name, kBig.size));
    EXPECT_FALSE(fs::exists(target + ".part"));
}

// The named CA file is the only trust: a system store that trusts the server
// changes nothing. A child process gets a store of its own, bind-mounted
// over the system's in a mount namespace; that needs root.
TEST_F(EngineTest, NamedCaFileReplacesTheSystemStore) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a trust store needs root";
    const fs::path work = folder.Path();
    const fs::path store = work / "store";
    fs::create_directories(store);
    const std::string serverCert = service.CertificateFile();
    fs::copy_file(serverCert, store / "ca-certificates.crt");
    const std::string hash = FirstLineOf("openssl x509 -hash -noout -in " + Quoted(serverCert));
    ASSERT_FALSE(hash.empty());
    fs::copy_file(serverCert, store / (hash + ".0"));
    const std::string otherCa = (work / "other-ca.pem").string();
    ASSERT_EQ(
        std::system(("openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 1 "
                     "-subj /CN=Other-CA -keyout " +
                     Quoted((work / "other-key.pem").string()) + " -out " + Quoted(otherCa) +
                     " >/dev/null 2>&1")
                        .c_str()),
        0);
    const std::string inNamespace =
        "unshare --mount --propagation private sh -c 'mount --bind \"$0\" /etc/ssl/certs && exec \"$@\"' " +
        Quoted(store.string());
    if (std::system((inNamespace + " true").c_str()) != 0)
        GTEST_SKIP() << "cannot mount a trust store in a namespace of its own here";

    const std::string target = (work / kSmall.name).string();
    struct Case {
        std::string caFile;  // empty: none named
        int32_t status;
    } cases[] = {
        {"", DRAVOLIN_STATUS_DONE},  // the swapped-in system store trusts the server
        {otherCa, DRAVOLIN_STATUS_TLS},
        {serverCert, DRAVOLIN_STATUS_DONE},
    };
    for (const auto& c : cases) {
        fs::remove(target);
        std::string env =
            c.caFile.empty() ? "env -u PELLUCOR_CA_FILE" : "env PELLUCOR_CA_FILE=" + Quoted(c.caFile);
        OtherProcessFetch fetch(env + " " + inNamespace, Url(kSmall), target, kSmall.size);
        EXPECT_EQ(fetch.Status(), c.status) << "CA file '" << c.caFile << "'";
        EXPECT_EQ(fs::exists(target), c.status == DRAVOLIN_STATUS_DONE) << "CA file '" << c.caFile << "'";
    }
}

// A server that keeps no versions answers the guarded range of a file that
// changed meanwhile with a bare 206: appending would mix two versions.
TEST_F(EngineTest, RangeAnswerWithoutValidatorStartsOver) {
    EngineClient engine;
    LeavePartial(engine, kBig, 2000000);
    Files("version", "2");
    Files("no-validators", "1");
    ExpectDownloads(engine, kBig, 2);
    auto sent = service.Log("/files/" + kBig.name);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].Header("Range"), "bytes=2000000-");
    EXPECT_EQ(sent[1].Header("Range"), "");
}

// With an expected size, an answer of any other size fails and nothing lands
// at the target; a partial file already there survives for the next try.
TEST_F(EngineTest, AnswerOfAnotherSizeThanExpectedNeverBecomesTheFile) {
    struct Case {
        std::string name;
        std::vector<std::pair<std::string, std::string>> modes;
    } cases[] = {
        {"close-delimited body cut short", {{"no-length", "1"}, {"short", "262144"}}},
        {"portal page with 200", {{"html-200", "1"}}},
    };
    EngineClient engine;
    for (const auto& c : cases) {
        service.Reset();
        for (const auto& [key, value] : c.modes) Files(key, value);
        engine.Open(Url(kSmall), Target(kSmall), kSmall.size);
        EXPECT_EQ(engine.NextStatus(), DRAVOLIN_STATUS_WRONG_SIZE) << c.name;
        EXPECT_FALSE(fs::exists(Target(kSmall))) << c.name;
    }
    service.Reset();
    ExpectDownloads(engine, kSmall);
    EXPECT_EQ(service.Log("/files/" + kSmall.name).at(0).Header("Range"), "bytes=262144-");
}

TEST_F(EngineTest, FullDiskLeavesNoPartialOrRecordBehind) {
    SmallFileSystem small(folder.Path() / "small");
    if (!small.mounted) GTEST_SKIP() << "cannot mount a small tmpfs here: " << std::strerror(small.error);
    {
        std::ofstream filler(small.mountPoint / "filler", std::ios::binary);
        const std::string page(4096, 'x');
        while (filler.write(page.data(), page.size()) && filler.flush()) {
        }
    }
    const std::string target = (small.mountPoint / kSmall.name).string();
    EngineClient engine;
    engine.Open(Url(kSmall), target, kSmall.size);
    EXPECT_EQ(engine.NextStatus(), DRAVOLIN_STATUS_FILE_ERROR);
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(small.mountPoint))
        left.push_back(entry.path().filename());
    EXPECT_EQ(left, std::vector<std::string>{"filler"});
}
