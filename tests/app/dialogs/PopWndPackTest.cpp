// The packing dialog on real windows with the real packer. The packer's six
// calls are seen through a recorder placed in front of the library (the
// program links against this test's definitions, which forward to the
// library's), so the tests see the order and arguments of the calls and
// every callback that reaches the dialog.
#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "app/dialogs/PopWndPack.h"
#include "download/DriverDb.h"
#include "fendrel/Fendrel.h"
#include "os/UnicodeText.h"
#include "soui/SControls.h"
#include "soui/SDialogTestHook.h"
#include "soui/STestApi.h"
#include "soui/SystemApi.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/app/ScriptedDialog.h"
#include "tests/support/ShotFolder.h"
#include "tests/support/TempFolder.h"

extern char** environ;

namespace fs = std::filesystem;
using namespace SOUI;

// What the dialog asked of the packer, and what the packer told the dialog.
namespace fendrellog {

struct Call {
    std::string name;
    std::wstring source;
    std::wstring iso;
    int32_t optionsReserved = -1;
    std::string optionsLabel;
    bool optionsGiven = false;
    void* context = nullptr;
};

std::mutex mutex;
std::vector<Call> calls;
std::atomic<FileToIsoProgressCallback> progressTarget{nullptr};
std::atomic<FileToIsoErrorCallback> errorTarget{nullptr};
std::atomic<bool> released{true};
std::atomic<int> lateCallbacks{0};
// Test knobs: a pause per progress report slows the packing down; a muted
// packer keeps packing but its reports no longer reach the dialog.
std::atomic<int> slowMs{0};
std::atomic<bool> muted{false};

void Reset() {
    std::lock_guard lock(mutex);
    calls.clear();
    lateCallbacks = 0;
    slowMs = 0;
    muted = false;
}

void Record(Call call) {
    std::lock_guard lock(mutex);
    calls.push_back(std::move(call));
}

void Record(const char* name, void* context = nullptr) {
    Call call;
    call.name = name;
    call.context = context;
    Record(std::move(call));
}

std::vector<Call> Calls() {
    std::lock_guard lock(mutex);
    return calls;
}

std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const Call& call : Calls()) names.push_back(call.name);
    return names;
}

template <class F>
F Real(const char* name) {
    void* symbol = dlsym(RTLD_NEXT, name);
    if (symbol == nullptr) {
        static void* library = dlopen("libFendrel.so", RTLD_NOW);
        if (library != nullptr) symbol = dlsym(library, name);
    }
    if (symbol == nullptr) std::abort();
    return reinterpret_cast<F>(symbol);
}

int OnProgress(int percent, void* context) {
    if (released) ++lateCallbacks;
    if (percent > 0 && slowMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(slowMs.load()));
    if (muted) return 1;
    return progressTarget.load()(percent, context);
}

void OnError(int code, void* context) {
    if (released) ++lateCallbacks;
    if (!muted) errorTarget.load()(code, context);
}

}  // namespace fendrellog

extern "C" {

int InitDllRes() {
    fendrellog::Record("InitDllRes");
    fendrellog::released = false;
    return fendrellog::Real<int (*)()>("InitDllRes")();
}

void SetFileToIsoProgressCallBack(FileToIsoProgressCallback callback, void* context) {
    fendrellog::Record("SetFileToIsoProgressCallBack", context);
    fendrellog::progressTarget = callback;
    fendrellog::Real<void (*)(FileToIsoProgressCallback, void*)>("SetFileToIsoProgressCallBack")(
        &fendrellog::OnProgress, context);
}

void SetFileToIsoErrorCallBack(FileToIsoErrorCallback callback, void* context) {
    fendrellog::Record("SetFileToIsoErrorCallBack", context);
    fendrellog::errorTarget = callback;
    fendrellog::Real<void (*)(FileToIsoErrorCallback, void*)>("SetFileToIsoErrorCallBack")(
        &fendrellog::OnError, context);
}

int StartPackageFileToIsoThread(const wchar_t* sourceFolder, const wchar_t* isoPath,
                                const PackOptions* options) {
    fendrellog::Call call;
    call.name = "StartPackageFileToIsoThread";
    call.source = sourceFolder != nullptr ? sourceFolder : L"<null>";
    call.iso = isoPath != nullptr ? isoPath : L"<null>";
    if (options != nullptr) {
        call.optionsGiven = true;
        call.optionsReserved = options->reserved;
        call.optionsLabel = options->volumeLabel;
    }
    fendrellog::Record(call);
    return fendrellog::Real<int (*)(const wchar_t*, const wchar_t*, const PackOptions*)>(
        "StartPackageFileToIsoThread")(sourceFolder, isoPath, options);
}

void StopPackageIso() {
    fendrellog::Record("StopPackageIso");
    fendrellog::Real<void (*)()>("StopPackageIso")();
}

void ReleaseFileToIsoDllRes() {
    fendrellog::Record("ReleaseFileToIsoDllRes");
    fendrellog::Real<void (*)()>("ReleaseFileToIsoDllRes")();
    fendrellog::released = true;
}

}  // extern "C"

namespace apptest {
namespace {

using Dialog = ScriptedDialog<CPopWndPack>;
using test::DialogAnswer;
using test::MessageBoxAnswerer;

std::wstring Wide(const fs::path& path) {
    return os::Utf8ToWide(path.string()).value();
}

void WriteFile(const fs::path& path, size_t size, unsigned seed) {
    fs::create_directories(path.parent_path());
    std::mt19937 random(seed);
    std::string content(size, '\0');
    for (char& c : content) c = static_cast<char>(random());
    std::ofstream(path, std::ios::binary) << content;
}

// Every entry below `root` by relative path: "/" for folders, the content
// for files.
std::map<std::string, std::string> Snapshot(const fs::path& root) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string relative = fs::relative(entry.path(), root).string();
        if (entry.is_directory()) {
            entries[relative] = "/";
        } else {
            std::ifstream in(entry.path(), std::ios::binary);
            entries[relative] = std::string(std::istreambuf_iterator<char>(in), {});
        }
    }
    return entries;
}

// Runs a program and waits; its exit status, or -1.
int RunProgram(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

SStringW Text(CPopWndPack& dlg, const wchar_t* name) {
    SWindow* control = dlg.FindChildByName(name);
    return control != nullptr ? control->GetWindowTextW() : SStringW(L"<missing>");
}

bool Shown(CPopWndPack& dlg, const wchar_t* name) {
    SWindow* control = dlg.FindChildByName(name);
    return control != nullptr && control->IsVisible(TRUE);
}

bool Enabled(CPopWndPack& dlg, const wchar_t* name) {
    SWindow* control = dlg.FindChildByName(name);
    return control != nullptr && !control->IsDisabled(TRUE);
}

int BarValue(CPopWndPack& dlg) {
    auto* bar = dlg.FindChildByName2<SProgress>(L"dirver_pack_progress");
    return bar != nullptr ? bar->GetValue() : -1;
}

enum class State { kReady, kPacking, kSucceeded, kFailed };

// The dialog's controls as each state shows them.
void ExpectState(CPopWndPack& dlg, State state) {
    const bool ready = state == State::kReady;
    const bool packing = state == State::kPacking;
    const bool ended = state == State::kSucceeded || state == State::kFailed;
    EXPECT_EQ(Shown(dlg, L"btn_popwnd_pack_run"), !ended);
    EXPECT_EQ(Enabled(dlg, L"btn_popwnd_pack_run"), ready);
    EXPECT_EQ(Shown(dlg, L"btn_popwnd_pack_ok"), ended);
    EXPECT_EQ(Enabled(dlg, L"btn_popwnd_pack_dir"), ready);
    EXPECT_EQ(Enabled(dlg, L"btn_popwnd_pack_savepath"), ready);
    EXPECT_EQ(Shown(dlg, L"dirver_pack_pro_info"), !ready);
    EXPECT_EQ(Shown(dlg, L"dirver_pack_res_info_1"), state == State::kSucceeded);
    EXPECT_EQ(Shown(dlg, L"dirver_pack_res_info_2"), state == State::kFailed);
    EXPECT_EQ(dlg.packing, packing);
    if (!ready) {
        for (const wchar_t* name : {L"btn_popwnd_pack_dir", L"btn_popwnd_pack_savepath"})
            EXPECT_EQ(dlg.FindChildByName(name)->GetTextColor(), RGBA(0x83, 0x89, 0x97)) << name;
    }
}

bool ResultShown(CPopWndPack& dlg) {
    return Shown(dlg, L"dirver_pack_res_info_1") || Shown(dlg, L"dirver_pack_res_info_2");
}

size_t Count(const std::vector<std::string>& names, const std::string& name) {
    return static_cast<size_t>(std::count(names.begin(), names.end(), name));
}

class PopWndPack : public ::testing::Test {
protected:
    void SetUp() override {
        Framework();
        DropPendingQuit();
        fendrellog::Reset();
        savedDownLoadDir = g_downLoadDir;
        downLoadDir = root / "下载目录" / "Driver";
        fs::create_directories(downLoadDir);
        g_downLoadDir = Wide(downLoadDir);
    }

    void TearDown() override { g_downLoadDir = savedDownLoadDir; }

    // Drivers as the download leaves them: Chinese and long names, nested
    // folders, an empty file and an empty folder.
    void FillWithDrivers(const fs::path& folder) {
        WriteFile(folder / "声卡驱动" / "Realtek高清晰音频驱动_6.0.9235.1.zip", 200000, 1);
        WriteFile(folder / "显卡驱动" /
                      ("Intel核芯显卡驱动程序_31.0.101.4502_Windows10_64位_" + std::string(50, 'x') + ".exe"),
                  300000, 2);
        WriteFile(folder / "芯片组" / "子目录" / "chipset_10.1.exe", 70000, 3);
        WriteFile(folder / "readme.txt", 0, 4);
        fs::create_directories(folder / "空目录");
    }

    // The packer reports once per MiB written: 64 MiB give enough reports
    // for a slowed packing to last several seconds.
    void FillWithParts(const fs::path& folder) {
        fs::create_directories(folder / "驱动");
        for (int i = 0; i < 8; ++i) {
            const fs::path part = folder / "驱动" / ("part" + std::to_string(i) + ".cab");
            std::ofstream(part).put('x');
            fs::resize_file(part, 8u << 20);
        }
    }

    // Picks the source folder with the folder browser and the ISO file with
    // the save dialog, each answered with the given path.
    void ChoosePaths(Dialog& dlg, const fs::path& source, const fs::path& iso) {
        answers.Queue({true, Wide(source)});
        ASSERT_TRUE(test::Click(dlg, L"btn_popwnd_pack_dir"));
        answers.Queue({true, Wide(iso)});
        ASSERT_TRUE(test::Click(dlg, L"btn_popwnd_pack_savepath"));
        ASSERT_EQ(Text(dlg, L"popwnd_pack_edit_1"), Wide(source).c_str());
        ASSERT_EQ(Text(dlg, L"popwnd_pack_edit_2"), Wide(iso).c_str());
    }

    // Starts a packing slowed to several seconds and waits until the dialog
    // shows it under way.
    void StartSlowPacking(Dialog& dlg, const fs::path& iso) {
        const fs::path source = root / "源";
        FillWithParts(source);
        ChoosePaths(dlg, source, iso);
        fendrellog::slowMs = 80;
        ASSERT_TRUE(test::Click(dlg, L"btn_popwnd_pack_run"));
        ASSERT_TRUE(test::PumpUntil([&] { return BarValue(dlg) > 0; }));
        ExpectState(dlg, State::kPacking);
        SStringW percent;
        percent.Format(L"%d%%", BarValue(dlg));
        EXPECT_EQ(Text(dlg, L"dirver_pack_pro_info"), percent);
    }

    std::wstring savedDownLoadDir;
    // Also holds the tree that xorriso extracts, read-only as in the image.
    pelltest::TempFolder folder{"pell_pack_"};
    const fs::path& root = folder.Path();
    fs::path downLoadDir;
    test::DialogAnswerer answers;
};

TEST_F(PopWndPack, RefusesMissingPathsAndClosesWithoutAskingWhenIdle) {
    MessageBoxAnswerer boxes;
    HWND hwnd = nullptr;
    Dialog dlg([&](Dialog& d) {
        ExpectState(d, State::kReady);
        EXPECT_EQ(Text(d, L"popwnd_pack_edit_1"), L"");
        EXPECT_EQ(Text(d, L"popwnd_pack_edit_2"), L"");
        EXPECT_EQ(Text(d, L"dirver_pack_pro_info"), L"0%");
        EXPECT_TRUE(test::SaveWindowAsPng(d, pelltest::ShotPath(L"popwnd_pack_ready.png")));

        ASSERT_TRUE(test::Click(d, L"btn_popwnd_pack_run"));
        EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{L"ISO文件路径不能为空！"});

        // The source folder browser opens with nothing selected.
        answers.Queue({true, Wide(downLoadDir)});
        ASSERT_TRUE(test::Click(d, L"btn_popwnd_pack_dir"));
        EXPECT_EQ(Text(d, L"popwnd_pack_edit_1"), Wide(downLoadDir).c_str());
        ASSERT_TRUE(test::Click(d, L"btn_popwnd_pack_run"));
        EXPECT_EQ(boxes.Texts().back(), L"ISO文件保存路径不能为空！");

        // Cancelled dialogs change nothing and say nothing.
        answers.Queue({false, {}});
        ASSERT_TRUE(test::Click(d, L"btn_popwnd_pack_dir"));
        answers.Queue({false, {}});
        ASSERT_TRUE(test::Click(d, L"btn_popwnd_pack_savepath"));
        EXPECT_EQ(Text(d, L"popwnd_pack_edit_1"), Wide(downLoadDir).c_str());
        EXPECT_EQ(Text(d, L"popwnd_pack_edit_2"), L"");
        EXPECT_EQ(boxes.Texts().size(), 2u);
        ExpectState(d, State::kReady);

        hwnd = d.m_hWnd;
        ASSERT_TRUE(test::Click(d, L"btn_popwnd_pack_close"));
    });
    EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
    EXPECT_EQ(boxes.Texts().size(), 2u) << "closing while idle asks nothing";

    const auto shown = answers.Shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_TRUE(shown[0].folderBrowser);
    EXPECT_EQ(shown[0].title, L"请选择驱动文件目录:");
    EXPECT_EQ(shown[0].nameBox, L"");
    EXPECT_EQ(shown[0].owner, hwnd);
    // The save dialog is modal over the active window, the packing dialog,
    // and proposes "Driver.iso" in the download folder.
    EXPECT_TRUE(shown[2].saveDialog);
    EXPECT_EQ(shown[2].owner, hwnd);
    EXPECT_EQ(shown[2].folder, Wide(downLoadDir));
    EXPECT_EQ(shown[2].nameBox, L"Driver.iso");

    EXPECT_EQ(fendrellog::Names(),
              (std::vector<std::string>{"InitDllRes", "SetFileToIsoProgressCallBack",
                                        "SetFileToIsoErrorCallBack", "ReleaseFileToIsoDllRes"}));
    for (const auto& call : fendrellog::Calls()) {
        if (call.name.rfind("Set", 0) == 0) {
            EXPECT_EQ(call.context, static_cast<CPopWndPack*>(&dlg));
        }
    }
}

TEST_F(PopWndPack, PacksTheDownloadFolderIntoAnImageWithTheSameTree) {
    FillWithDrivers(downLoadDir);
    const auto before = Snapshot(downLoadDir);
    const fs::path iso = downLoadDir / "Driver.iso";
    MessageBoxAnswerer boxes;
    Dialog dlg([&](Dialog& d) {
        answers.Queue({true, Wide(downLoadDir)});
        ASSERT_TRUE(test::Click(d, L"btn_popwnd_pack_dir"));
        // The proposal is taken as it stands.
        answers.Queue({});
        ASSERT_TRUE(test::Click(d, L"btn_popwnd_pack_savepath"));
        EXPECT_EQ(Text(d, L"popwnd_pack_edit_2"), Wide(iso).c_str());

        ASSERT_TRUE(test::Click(d, L"btn_popwnd_pack_run"));
        // Before any report arrives.
        ExpectState(d, State::kPacking);
        EXPECT_EQ(Text(d, L"dirver_pack_pro_info"), L"0%");
        ASSERT_TRUE(test::PumpUntil([&] { return ResultShown(d); }, std::chrono::seconds(120)));
        ExpectState(d, State::kSucceeded);
        EXPECT_EQ(BarValue(d), 100);
        EXPECT_EQ(Text(d, L"dirver_pack_pro_info"), L"100%");
        EXPECT_TRUE(test::SaveWindowAsPng(d, pelltest::ShotPath(L"popwnd_pack_succeeded.png")));
        ASSERT_TRUE(test::Click(d, L"btn_popwnd_pack_ok"));
    });
    EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
    EXPECT_TRUE(boxes.Texts().empty());

    const auto calls = fendrellog::Calls();
    ASSERT_EQ(
        fendrellog::Names(),
        (std::vector<std::string>{"InitDllRes", "SetFileToIsoProgressCallBack", "SetFileToIsoErrorCallBack",
                                  "StartPackageFileToIsoThread", "ReleaseFileToIsoDllRes"}));
    EXPECT_EQ(calls[3].source, Wide(downLoadDir));
    EXPECT_EQ(calls[3].iso, Wide(iso));
    EXPECT_TRUE(calls[3].optionsGiven);
    EXPECT_EQ(calls[3].optionsReserved, 0);
    EXPECT_EQ(calls[3].optionsLabel, "");
    EXPECT_EQ(answers.Shown().at(1).folder, Wide(downLoadDir));
    EXPECT_EQ(answers.Shown().at(1).nameBox, L"Driver.iso");

    const fs::path extracted = root / "extracted";
    ASSERT_EQ(RunProgram(
                  {"xorriso", "-osirrox", "on", "-indev", iso.string(), "-extract", "/", extracted.string()}),
              0);
    EXPECT_EQ(Snapshot(extracted), before);

    // A new opening starts ready, with empty paths.
    Dialog again([&](Dialog& d) {
        ExpectState(d, State::kReady);
        EXPECT_EQ(Text(d, L"popwnd_pack_edit_1"), L"");
        EXPECT_EQ(Text(d, L"popwnd_pack_edit_2"), L"");
        EXPECT_EQ(BarValue(d), 0);
        ASSERT_TRUE(test::Click(d, L"btn_popwnd_pack_cancle"));
    });
    EXPECT_EQ(again.DoModal(nullptr), IDOK);
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(PopWndPack, PackerFailureShowsTheFailure) {
    struct Case {
        const char* what;
        fs::path source;
        fs::path iso;
        std::function<void()> beforeRun;
    };
    const fs::path drivers = root / "drivers";
    FillWithDrivers(drivers);
    const fs::path gone = root / "gone";
    fs::create_directories(gone);
    const Case cases[] = {
        // Even root may not create files there.
        {"target folder not writable", drivers, "/proc/Driver.iso", nullptr},
        {"source missing", gone, root / "out.iso", [&] { fs::remove_all(gone); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fendrellog::Reset();
        MessageBoxAnswerer boxes;
        Dialog dlg([&](Dialog& d) {
            ChoosePaths(d, c.source, c.iso);
            if (c.beforeRun) c.beforeRun();
            ASSERT_TRUE(test::Click(d, L"btn_popwnd_pack_run"));
            ASSERT_TRUE(test::PumpUntil([&] { return ResultShown(d); }));
            ExpectState(d, State::kFailed);
            if (c.beforeRun) {
                EXPECT_TRUE(test::SaveWindowAsPng(d, pelltest::ShotPath(L"popwnd_pack_failed.png")));
            }
            // After a result the close button ends at once.
            ASSERT_TRUE(test::Click(d, L"btn_popwnd_pack_close"));
        });
        EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
        EXPECT_TRUE(boxes.Texts().empty());
        EXPECT_EQ(Count(fendrellog::Names(), "StopPackageIso"), 0u);
        EXPECT_FALSE(fs::exists(c.iso));
    }
}

TEST_F(PopWndPack, FailureWinsOverSuccessInTheSameTickButNotAfterIt) {
    for (const bool sameTick : {true, false}) {
        SCOPED_TRACE(sameTick ? "error before the tick" : "error after the tick");
        fendrellog::Reset();
        Dialog dlg([&](Dialog& d) {
            StartSlowPacking(d, root / (sameTick ? "same.iso" : "after.iso"));
            // From here on the test speaks for the packer.
            fendrellog::muted = true;
            void* context = static_cast<CPopWndPack*>(&d);
            if (sameTick) {
                // The window thread waits here, so no tick falls between the two.
                std::thread([context] {
                    CPopWndPack::PackProgressCallback(100, context);
                    CPopWndPack::PackErrorCallback(kFendrelWriteFailed, context);
                }).join();
                ASSERT_TRUE(test::PumpUntil([&] { return ResultShown(d); }));
                ExpectState(d, State::kFailed);
                EXPECT_EQ(BarValue(d), 100);
            } else {
                std::thread([context] { CPopWndPack::PackProgressCallback(100, context); }).join();
                ASSERT_TRUE(test::PumpUntil([&] { return ResultShown(d); }));
                ExpectState(d, State::kSucceeded);
                std::thread([context] {
                    CPopWndPack::PackErrorCallback(kFendrelWriteFailed, context);
                }).join();
                test::Pump(std::chrono::milliseconds(600));
                ExpectState(d, State::kSucceeded);
            }
            ASSERT_TRUE(test::Click(d, L"btn_popwnd_pack_ok"));
        });
        EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
        EXPECT_EQ(fendrellog::lateCallbacks, 0);
    }
}

TEST_F(PopWndPack, CloseOrCancelWhilePackingAsksFirst) {
    for (const wchar_t* button : {L"btn_popwnd_pack_close", L"btn_popwnd_pack_cancle"}) {
        SCOPED_TRACE(std::string(button, button + wcslen(button)));
        fendrellog::Reset();
        const fs::path out = root / "out";
        fs::create_directories(out);
        MessageBoxAnswerer boxes({IDCANCEL, IDOK});
        Dialog dlg([&](Dialog& d) {
            StartSlowPacking(d, out / "Driver.iso");
            EXPECT_TRUE(test::SaveWindowAsPng(d, pelltest::ShotPath(L"popwnd_pack_packing.png")));
            ASSERT_TRUE(test::Click(d, button));
            EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{L"有正在打包的任务，确认退出吗？"});
            // Declined: the dialog stays and the bar keeps moving.
            EXPECT_TRUE(d.IsWindowVisible());
            const int shown = BarValue(d);
            EXPECT_TRUE(test::PumpUntil([&] { return BarValue(d) > shown; }));
            ExpectState(d, State::kPacking);
            EXPECT_EQ(Count(fendrellog::Names(), "StopPackageIso"), 0u);
            ASSERT_TRUE(test::Click(d, button));
        });
        EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
        EXPECT_EQ(boxes.Texts().size(), 2u);
        const auto names = fendrellog::Names();
        EXPECT_EQ(Count(names, "StopPackageIso"), 1u);
        EXPECT_EQ(names.back(), "ReleaseFileToIsoDllRes");
        EXPECT_EQ(names.at(names.size() - 2), "StopPackageIso");
        EXPECT_TRUE(fs::is_empty(out)) << "no image, whole or partial, is left";
        fs::remove_all(out);
    }
}

TEST_F(PopWndPack, WmCloseWhilePackingEndsWithoutQuestionAndNoCallbackFollows) {
    const fs::path out = root / "out";
    fs::create_directories(out);
    MessageBoxAnswerer boxes;
    auto dlg = std::make_unique<Dialog>([&](Dialog& d) {
        StartSlowPacking(d, out / "Driver.iso");
        d.PostMessageW(WM_CLOSE);
    });
    EXPECT_EQ(dlg->DoModal(nullptr), IDOK);
    dlg.reset();
    EXPECT_TRUE(boxes.Texts().empty());
    const auto names = fendrellog::Names();
    EXPECT_EQ(Count(names, "StopPackageIso"), 0u);
    EXPECT_EQ(names.back(), "ReleaseFileToIsoDllRes");
    // A late callback would also touch the freed dialog (the sanitizers see it).
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    EXPECT_EQ(fendrellog::lateCallbacks, 0);
    EXPECT_TRUE(fs::is_empty(out));
}

// Paths are not bounded at 260 characters: a long download folder is proposed
// whole and the image lands under its whole name.
TEST_F(PopWndPack, LongDownloadFolderIsProposedAndPackedWhole) {
    // Long enough below any temporary folder.
    fs::path deep = root;
    for (int i = 0; i < 7; ++i) deep /= std::string(40, static_cast<char>('a' + i)) + "驱动";
    deep /= "Driver";
    fs::create_directories(deep);
    g_downLoadDir = Wide(deep);
    ASSERT_GT(g_downLoadDir.size(), 300u);
    const fs::path source = root / "drivers";
    FillWithDrivers(source);
    Dialog dlg([&](Dialog& d) {
        answers.Queue({true, Wide(source)});
        ASSERT_TRUE(test::Click(d, L"btn_popwnd_pack_dir"));
        answers.Queue({});
        ASSERT_TRUE(test::Click(d, L"btn_popwnd_pack_savepath"));
        EXPECT_EQ(Text(d, L"popwnd_pack_edit_2"), (g_downLoadDir + L"/Driver.iso").c_str());
        ASSERT_TRUE(test::Click(d, L"btn_popwnd_pack_run"));
        ASSERT_TRUE(test::PumpUntil([&] { return ResultShown(d); }));
        ExpectState(d, State::kSucceeded);
        ASSERT_TRUE(test::Click(d, L"btn_popwnd_pack_ok"));
    });
    EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
    EXPECT_EQ(answers.Shown().at(1).folder, g_downLoadDir);
    EXPECT_TRUE(fs::is_regular_file(deep / "Driver.iso"));
}

}  // namespace
}  // namespace apptest
