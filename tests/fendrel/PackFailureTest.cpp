// Every failure reaches the error callback once and leaves nothing under the
// target name.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <functional>
#include <map>
#include <string>

#include "PackTestSupport.h"
#include "fendrel/Fendrel.h"

namespace {

using packtest::fs::path;

struct Paths {
    path scratch;
    path source;
    path iso;
};

struct FailureCase {
    const char* what;
    std::function<void(Paths&)> setUp;
    int expected;
};

void SourceWithFile(Paths& paths, const std::string& name, std::uint64_t size = 100) {
    packtest::fs::create_directories(paths.source);
    packtest::WriteFile(paths.source / name, size, 1);
}

const FailureCase kFailures[] = {
    {"source folder missing", [](Paths&) {}, kFendrelSourceMissing},
    {"source is a file", [](Paths& p) { packtest::WriteFile(p.source, 10, 1); }, kFendrelSourceMissing},
    {"source folder empty", [](Paths& p) { packtest::fs::create_directories(p.source); },
     kFendrelSourceEmpty},
    {"target folder missing",
     [](Paths& p) {
         SourceWithFile(p, "a.txt");
         p.iso = p.scratch / "nowhere" / "Driver.iso";
     },
     kFendrelTargetUnwritable},
    {"target folder is a file",
     [](Paths& p) {
         SourceWithFile(p, "a.txt");
         packtest::WriteFile(p.scratch / "plain", 10, 2);
         p.iso = p.scratch / "plain" / "Driver.iso";
     },
     kFendrelTargetUnwritable},
    {"target is a folder",
     [](Paths& p) {
         SourceWithFile(p, "a.txt");
         packtest::fs::create_directories(p.iso);
     },
     kFendrelTargetUnwritable},
    {"file name of 104 Joliet characters", [](Paths& p) { SourceWithFile(p, packtest::Repeat("b", 104)); },
     kFendrelNameTooLong},
    {"file name of 104 Joliet characters with its dot",
     [](Paths& p) { SourceWithFile(p, packtest::Repeat("a", 100) + ".inf"); }, kFendrelNameTooLong},
    {"name of 104 Joliet characters with one beyond the basic plane",
     [](Paths& p) { SourceWithFile(p, "emoji_😀_" + packtest::Repeat("c", 91) + ".txt"); },
     kFendrelNameTooLong},
    {"folder name of 104 Joliet characters",
     [](Paths& p) {
         packtest::fs::create_directories(p.source /
                                          (packtest::Repeat("长", 70) + packtest::Repeat("d", 34)) / "inner");
     },
     kFendrelNameTooLong},
    {"name that is not UTF-8", [](Paths& p) { SourceWithFile(p, "\xff\xfe.bin"); }, kFendrelNameNotText},
    {"image beyond 8 TiB",
     [](Paths& p) {
         SourceWithFile(p, "huge.img", 0);
         packtest::fs::resize_file(p.source / "huge.img", 9ull << 40);  // sparse
     },
     kFendrelImageTooLarge},
};

void PrintTo(const FailureCase& failure, std::ostream* out) {
    *out << failure.what;
}

class PackFailure : public ::testing::TestWithParam<FailureCase> {
protected:
    packtest::ScratchFolder scratch;
};

// What lstat says of every entry in a folder (nothing when it is missing),
// to see that a failed packing touched nothing there.
std::map<std::string, std::string> FolderState(const path& folder) {
    std::map<std::string, std::string> state;
    if (!packtest::fs::is_directory(folder)) return state;
    for (const std::string& name : packtest::FolderNames(folder)) {
        struct stat info {};
        const path entry = folder / name;
        if (lstat(entry.c_str(), &info) != 0) continue;
        std::string& line = state[name];
        line = std::to_string(info.st_mode) + " " + std::to_string(info.st_ino) + " " +
               std::to_string(info.st_size) + " " + std::to_string(info.st_mtim.tv_nsec) + " " +
               std::to_string(info.st_rdev);
        if (S_ISLNK(info.st_mode)) line += " -> " + packtest::fs::read_symlink(entry).string();
    }
    return state;
}

// Packs and checks that the one failure was reported and that the target's
// folder is as it was.
void ExpectFailureLeavesTargetAlone(const Paths& paths, int expected) {
    const auto before = FolderState(paths.iso.parent_path());
    packtest::PackRecorder recorder;
    packtest::PackAndWait(paths.source, paths.iso, recorder);

    EXPECT_EQ(recorder.errors(), std::vector<int>{expected});
    const auto percents = recorder.percents();
    EXPECT_EQ(std::count(percents.begin(), percents.end(), 100), 0);
    EXPECT_EQ(FolderState(paths.iso.parent_path()), before);
}

TEST_P(PackFailure, ReachesTheErrorCallbackAndLeavesNoImage) {
    Paths paths{scratch.path(), scratch.path() / "源", scratch.path() / "out" / "Driver.iso"};
    packtest::fs::create_directories(paths.iso.parent_path());
    GetParam().setUp(paths);
    const bool targetExisted = packtest::fs::exists(packtest::fs::symlink_status(paths.iso));
    ExpectFailureLeavesTargetAlone(paths, GetParam().expected);
    if (!targetExisted) {
        EXPECT_FALSE(packtest::fs::exists(packtest::fs::symlink_status(paths.iso)));
    }
}

std::string TestName(const char* what) {
    std::string name;
    for (const char c : std::string(what)) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, PackFailure, ::testing::ValuesIn(kFailures),
                         [](const ::testing::TestParamInfo<FailureCase>& info) {
                             return TestName(info.param.what);
                         });

// Something other than a regular file under the target's name.
struct TargetCase {
    const char* what;
    // Puts it there; false when this machine does not allow it.
    std::function<bool(const path& iso)> make;
};

const TargetCase kTargets[] = {
    {"symbolic link to a file",
     [](const path& iso) {
         packtest::WriteFile(iso.parent_path() / "kept.iso", 4096, 3);
         packtest::fs::create_symlink("kept.iso", iso);
         return true;
     }},
    {"dangling symbolic link",
     [](const path& iso) {
         packtest::fs::create_symlink("elsewhere.iso", iso);
         return true;
     }},
    {"symbolic link to a folder",
     [](const path& iso) {
         packtest::fs::create_directories(iso.parent_path() / "folder");
         packtest::fs::create_symlink("folder", iso);
         return true;
     }},
    {"named pipe", [](const path& iso) { return mkfifo(iso.c_str(), 0644) == 0; }},
    {"device node", [](const path& iso) { return mknod(iso.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0; }},
};

void PrintTo(const TargetCase& target, std::ostream* out) {
    *out << target.what;
}

class PackTarget : public ::testing::TestWithParam<TargetCase> {
protected:
    packtest::ScratchFolder scratch;
};

TEST_P(PackTarget, ThatIsNoRegularFileFailsAndStaysUntouched) {
    Paths paths{scratch.path(), scratch.path() / "源", scratch.path() / "out" / "Driver.iso"};
    packtest::fs::create_directories(paths.iso.parent_path());
    SourceWithFile(paths, "a.txt");
    if (!GetParam().make(paths.iso)) GTEST_SKIP() << "cannot make a " << GetParam().what << " here";
    ExpectFailureLeavesTargetAlone(paths, kFendrelTargetUnwritable);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PackTarget, ::testing::ValuesIn(kTargets),
                         [](const ::testing::TestParamInfo<TargetCase>& info) {
                             return TestName(info.param.what);
                         });

class PackTrouble : public ::testing::Test {
protected:
    void SetUp() override {
        packtest::fs::create_directories(source);
        packtest::fs::create_directories(output);
    }

    packtest::ScratchFolder scratch;
    const path source = scratch.path() / "源";
    const path output = scratch.path() / "out";
    const path iso = output / "Driver.iso";
};

// A file that disappears or changes its size after the folder was read,
// before its content is packed.
TEST_F(PackTrouble, FileChangedWhilePackingIsReportedNotFilledWithZeros) {
    const std::pair<const char*, std::function<void(const path&)>> changes[] = {
        {"vanished", [](const path& file) { packtest::fs::remove(file); }},
        {"shrunk", [](const path& file) { packtest::fs::resize_file(file, 1000); }},
        {"grown", [](const path& file) { packtest::fs::resize_file(file, 5u << 20); }},
    };
    for (const auto& [what, change] : changes) {
        SCOPED_TRACE(what);
        const path victim = source / (std::string(what) + ".bin");
        packtest::WriteFile(source / "keep.bin", 1u << 20, 1);
        packtest::WriteFile(victim, 3u << 20, 2);
        packtest::PackRecorder recorder;
        recorder.onProgress = [&, change = change](int percent) {
            if (percent == 0) change(victim);
        };
        packtest::PackAndWait(source, iso, recorder);
        EXPECT_EQ(recorder.errors(), std::vector<int>{kFendrelSourceChanged});
        EXPECT_TRUE(packtest::FolderNames(output).empty());
    }
}

// A file whose size changes once its content is being read: neither filled
// with zeros nor cut, but reported.
TEST_F(PackTrouble, FileChangedWhileItsContentIsReadIsReported) {
    const std::pair<const char*, std::uint64_t> changes[] = {{"shrunk", 1000}, {"grown", 512u << 20}};
    for (const auto& [what, newSize] : changes) {
        SCOPED_TRACE(what);
        // The only file, and far larger than the generator reads ahead of
        // the writer (its ring and its read-ahead): at the first percent its
        // reading has begun and not ended.
        const path victim = source / "big.bin";
        packtest::WriteFile(victim, 256u << 20, 6);
        bool changed = false;
        packtest::PackRecorder recorder;
        recorder.onProgress = [&victim, &changed, newSize = newSize](int percent) {
            if (percent == 0 || changed) return;
            packtest::fs::resize_file(victim, newSize);  // grown sparse
            changed = true;
        };
        packtest::PackAndWait(source, iso, recorder);
        EXPECT_TRUE(changed);
        EXPECT_EQ(recorder.errors(), std::vector<int>{kFendrelSourceChanged});
        EXPECT_TRUE(packtest::FolderNames(output).empty());
    }
}

// The name is checked again just before the finished image takes it.
TEST_F(PackTrouble, LinkPutUnderTheTargetNameWhilePackingStaysAndThePackingFails) {
    packtest::WriteFile(source / "driver.bin", 1u << 20, 5);
    packtest::PackRecorder recorder;
    recorder.onProgress = [this](int percent) {
        if (percent == 0) packtest::fs::create_symlink("elsewhere.iso", iso);
    };
    packtest::PackAndWait(source, iso, recorder);
    EXPECT_EQ(recorder.errors(), std::vector<int>{kFendrelTargetUnwritable});
    EXPECT_EQ(packtest::FolderNames(output), std::vector<std::string>{"Driver.iso"});
    EXPECT_EQ(packtest::fs::read_symlink(iso), "elsewhere.iso");
}

// Unmounts the small file system at the end of the test.
struct SmallFileSystem {
    explicit SmallFileSystem(const path& where) : mountPoint(where) {
        packtest::fs::create_directories(where);
        mounted = mount("tmpfs", where.c_str(), "tmpfs", 0, "size=2m") == 0;
        error = errno;
    }
    ~SmallFileSystem() {
        if (mounted) umount2(mountPoint.c_str(), MNT_DETACH);
    }
    path mountPoint;
    bool mounted = false;
    int error = 0;
};

TEST_F(PackTrouble, DiskFullIsReportedAndTheUnfinishedImageRemoved) {
    SmallFileSystem small(scratch.path() / "small");
    if (!small.mounted) GTEST_SKIP() << "cannot mount a 2 MiB tmpfs here: " << std::strerror(small.error);
    packtest::WriteFile(source / "driver.bin", 4u << 20, 3);
    packtest::PackRecorder recorder;
    packtest::PackAndWait(source, small.mountPoint / "Driver.iso", recorder);
    EXPECT_EQ(recorder.errors(), std::vector<int>{kFendrelDiskFull});
    EXPECT_TRUE(packtest::FolderNames(small.mountPoint).empty());
}

TEST_F(PackTrouble, StartThatCannotProceedIsRefusedAtOnce) {
    packtest::WriteFile(source / "a.bin", 100, 4);
    const std::wstring good = packtest::Wide(source);
    const std::wstring target = packtest::Wide(iso);
    const wchar_t lone[] = {L'/', static_cast<wchar_t>(0xD800), L'\0'};
    const std::pair<const wchar_t*, const wchar_t*> arguments[] = {
        {nullptr, target.c_str()}, {good.c_str(), nullptr}, {L"", target.c_str()},
        {good.c_str(), L""},       {lone, target.c_str()},
    };
    for (const auto& [from, to] : arguments) {
        InitDllRes();
        packtest::PackRecorder recorder;
        recorder.Register();
        PackOptions options;
        EXPECT_EQ(StartPackageFileToIsoThread(from, to, &options), kFendrelBadArgument);
        EXPECT_EQ(recorder.errors(), std::vector<int>{kFendrelBadArgument});
    }

    packtest::PackRecorder recorder;
    recorder.Register();  // without InitDllRes
    PackOptions options;
    EXPECT_EQ(StartPackageFileToIsoThread(good.c_str(), target.c_str(), &options), kFendrelNotInitialised);
    EXPECT_EQ(recorder.errors(), std::vector<int>{kFendrelNotInitialised});
    ReleaseFileToIsoDllRes();
    EXPECT_TRUE(packtest::FolderNames(output).empty());
}

}  // namespace
