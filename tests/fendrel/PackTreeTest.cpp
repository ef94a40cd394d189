// Packs real trees and reads the images back with xorriso, bsdtar and isoinfo.
#include <gtest/gtest.h>
#include <sys/statvfs.h>

#include <algorithm>
#include <clocale>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>

#include "PackTestSupport.h"
#include "fendrel/Fendrel.h"

namespace {

using packtest::fs::path;

// Folders and files as a driver download leaves them, with the names that
// break naive packers: Chinese, over 64 characters, exactly the 103 Joliet
// characters (the dot included), beyond the basic plane, and a chain of long
// folder names deeper than eight levels and longer than 255 characters.
void BuildDriverTree(const path& root) {
    const path model = root / "Zorvik驱动" / "Halden X1 Slate" / "Windows 10 64位";
    packtest::fs::create_directories(model / "声卡驱动");
    packtest::fs::create_directories(model / "网卡驱动");
    packtest::fs::create_directories(root / "空文件夹");
    packtest::fs::create_directories(root / "empty" / "nested" / "folders");
    packtest::WriteFile(
        model / "声卡驱动" / "Realtek High Definition Audio Driver for Windows 10 64-bit 6.0.9235.1.exe",
        3u << 20, 1);
    packtest::WriteFile(model / "网卡驱动" / "英特尔无线网卡驱动程序.zip", 5u << 20, 2);
    packtest::WriteFile(model / "网卡驱动" / "readme.txt", 1234, 3);
    // Read in several pieces, the last one short and not a whole block.
    packtest::WriteFile(model / "网卡驱动" / "firmware.bin", (2u << 20) + 2049, 12);
    packtest::WriteFile(model / "empty.dat", 0, 4);
    // 70 Chinese characters and 33 letters: 103 Joliet characters, 243 bytes.
    const path longFolder = root / (packtest::Repeat("长", 70) + packtest::Repeat("d", 33));
    packtest::fs::create_directories(longFolder);
    packtest::WriteFile(longFolder / (packtest::Repeat("a", 99) + ".inf"), 2u << 20, 5);
    packtest::WriteFile(root / packtest::Repeat("b", 103), 777, 6);
    // U+1F600 takes two Joliet characters: 6 + 2 + 1 + 90 + 4 = 103 with the dot.
    packtest::WriteFile(root / ("emoji_😀_" + packtest::Repeat("c", 90) + ".txt"), 99, 7);
    path deep = root;
    for (int level = 1; level <= 10; ++level) {
        deep /= "第" + std::to_string(level) + "层 Intel Realtek combined driver package";
    }
    packtest::fs::create_directories(deep / "空的第十一层");
    packtest::WriteFile(deep / "深层文件.sys", 4096, 8);
}

void ExpectCleanProgress(const std::vector<int>& percents) {
    ASSERT_FALSE(percents.empty());
    EXPECT_EQ(percents.front(), 0);
    EXPECT_EQ(percents.back(), 100);
    EXPECT_EQ(std::count(percents.begin(), percents.end(), 100), 1);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_TRUE(std::adjacent_find(percents.begin(), percents.end()) == percents.end())
        << "a percentage was reported twice";
}

class PackTree : public ::testing::Test {
protected:
    void SetUp() override {
        packtest::fs::create_directories(source);
        packtest::fs::create_directories(output);
    }

    packtest::ScratchFolder scratch;
    const path source = scratch.path() / "驱动目录";
    const path output = scratch.path() / "输出";
    const path iso = output / "Driver.iso";
};

struct Reader {
    const char* name;
    std::function<bool(const path& iso, const path& into)> extract;
};

const Reader kReaders[] = {
    {"xorriso, Rock Ridge",
     [](const path& i, const path& o) { return packtest::ExtractWithXorriso(i, o, false); }},
    {"xorriso, Joliet",
     [](const path& i, const path& o) { return packtest::ExtractWithXorriso(i, o, true); }},
    {"bsdtar, Rock Ridge",
     [](const path& i, const path& o) { return packtest::ExtractWithBsdtar(i, o, false); }},
    {"bsdtar, Joliet", [](const path& i, const path& o) { return packtest::ExtractWithBsdtar(i, o, true); }},
    {"isoinfo, Rock Ridge", [](const path& i, const path& o) { return packtest::ExtractWithIsoinfo(i, o); }},
};

TEST_F(PackTree, EveryReaderReadsBackTheSameTree) {
    BuildDriverTree(source);
    // The test process runs in the C locale: the names must not depend on it.
    ASSERT_STREQ(std::setlocale(LC_ALL, nullptr), "C");
    packtest::PackRecorder recorder;
    packtest::PackAndWait(source, iso, recorder);

    EXPECT_TRUE(recorder.errors().empty());
    ExpectCleanProgress(recorder.percents());
    EXPECT_EQ(packtest::FolderNames(output), std::vector<std::string>{"Driver.iso"});
    const auto expected = packtest::Snapshot(source);
    int index = 0;
    for (const Reader& reader : kReaders) {
        SCOPED_TRACE(reader.name);
        const path extracted = scratch.path() / ("read" + std::to_string(index++));
        EXPECT_TRUE(reader.extract(iso, extracted));
        EXPECT_EQ(packtest::Snapshot(extracted), expected);
    }
}

// Names as one reader lists them through the Joliet tree alone, each as a
// path below the root without a leading slash; folders included.
struct JolietLister {
    const char* name;
    std::vector<std::string> (*argv)(const path& iso);
    // The name in one output line, or nothing for lines that name none.
    std::string (*entry)(std::string line);
};

const JolietLister kJolietListers[] = {
    {"bsdtar",
     [](const path& i) {
         return std::vector<std::string>{"bsdtar", "--options", "iso9660:!rockridge", "-tf", i.string()};
     },
     [](std::string line) { return line == "." ? std::string() : line; }},
    {"isoinfo",
     [](const path& i) {
         return std::vector<std::string>{"isoinfo", "-J", "-f", "-i", i.string()};
     },
     [](std::string line) { return line.empty() ? line : line.substr(1); }},
    {"xorriso",
     [](const path& i) {
         return std::vector<std::string>{"xorriso", "-read_fs", "norock", "-indev", i.string(), "-find", "/"};
     },
     // Quoted, as '/name'.
     [](std::string line) { return line.size() < 3 ? std::string() : line.substr(2, line.size() - 3); }},
};

// Names of 101 to 103 characters, bare and with an extension, come back
// whole from every Joliet reader, including those that cut a name at 103
// characters: no version suffix may push them over.
TEST_F(PackTree, JolietNamesAtTheEdgeReadBackWhole) {
    std::set<std::string> expected;
    for (const int length : {101, 102, 103}) {
        expected.insert(packtest::Repeat("n", length));
        expected.insert(packtest::Repeat("e", length - 4) + ".inf");
    }
    for (const std::string& name : expected) packtest::WriteFile(source / name, 10, 31);
    packtest::PackRecorder recorder;
    packtest::PackAndWait(source, iso, recorder);
    ASSERT_TRUE(recorder.errors().empty());

    for (const JolietLister& lister : kJolietListers) {
        SCOPED_TRACE(lister.name);
        std::string listing;
        ASSERT_EQ(packtest::RunProgram(lister.argv(iso), &listing), 0);
        std::set<std::string> listed;
        std::istringstream lines(listing);
        for (std::string line; std::getline(lines, line);) {
            if (std::string name = lister.entry(line); !name.empty()) listed.insert(name);
        }
        EXPECT_EQ(listed, expected);
    }
}

// Changes the current folder for the test and back.
class CurrentFolder {
public:
    CurrentFolder() : original_(packtest::fs::current_path()) {}
    ~CurrentFolder() { packtest::fs::current_path(original_); }
    void Enter(const path& folder) { packtest::fs::current_path(folder); }

private:
    path original_;
};

// Relative paths name what they name in the current folder at the time of
// the call, even when the folder changes while the packing runs. A folder
// named "etc" must not pack /etc.
TEST_F(PackTree, RelativePathsCountFromTheCurrentFolderOfTheCall) {
    const path here = scratch.path() / "here";
    const path elsewhere = scratch.path() / "elsewhere";
    for (const path& folder : {here, elsewhere}) {
        packtest::fs::create_directories(folder / "etc" / "网卡");
        packtest::fs::create_directories(folder / "sub");
    }
    packtest::WriteFile(here / "etc" / "hostname", 3000, 21);
    packtest::WriteFile(here / "etc" / "网卡" / "驱动.inf", 500, 22);
    packtest::WriteFile(elsewhere / "etc" / "other.bin", 700, 23);
    const auto expected = packtest::Snapshot(here / "etc");

    CurrentFolder current;
    for (const wchar_t* spelling : {L"etc", L"./etc/", L"sub/../etc"}) {
        SCOPED_TRACE(packtest::fs::path(spelling).string());
        current.Enter(here);
        packtest::PackRecorder recorder;
        InitDllRes();
        recorder.Register();
        PackOptions options;
        ASSERT_EQ(StartPackageFileToIsoThread(spelling, L"relative.iso", &options), 0);
        current.Enter(elsewhere);
        EXPECT_TRUE(recorder.WaitForEnd());
        ReleaseFileToIsoDllRes();

        EXPECT_TRUE(recorder.errors().empty());
        EXPECT_FALSE(packtest::fs::exists(elsewhere / "relative.iso"));
        const path extracted = scratch.path() / "extracted";
        ASSERT_TRUE(packtest::ExtractWithXorriso(here / "relative.iso", extracted, false));
        EXPECT_EQ(packtest::Snapshot(extracted), expected);
        ASSERT_TRUE(packtest::RemoveTree(extracted));
        packtest::fs::remove(here / "relative.iso");
    }
}

TEST_F(PackTree, ReplacesAnExistingFileOfTheTargetName) {
    packtest::WriteFile(source / "驱动.bin", 1u << 20, 9);
    packtest::WriteFile(iso, 5u << 20, 10);
    packtest::PackRecorder recorder;
    packtest::PackAndWait(source, iso, recorder);

    EXPECT_TRUE(recorder.errors().empty());
    const path extracted = scratch.path() / "extracted";
    ASSERT_TRUE(packtest::ExtractWithXorriso(iso, extracted, false));
    EXPECT_EQ(packtest::Snapshot(extracted), packtest::Snapshot(source));
    EXPECT_EQ(packtest::FolderNames(output), std::vector<std::string>{"Driver.iso"});
}

// Size of one file in the image as xorriso lists it.
std::uint64_t ImageFileSize(const path& image, const std::string& name) {
    std::string listing;
    packtest::RunProgram({"xorriso", "-indev", image.string(), "-find", name, "-exec", "lsdl"}, &listing);
    std::istringstream fields(listing);
    std::string mode, links, owner, group;
    std::uint64_t size = 0;
    fields >> mode >> links >> owner >> group >> size;
    return size;
}

std::string ReadBytes(const path& file, std::uint64_t offset, std::size_t count) {
    std::ifstream in(file, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(offset));
    std::string bytes(count, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

TEST_F(PackTree, FileOfFourGibibytesAndMoreKeepsItsSizeAndContent) {
    constexpr std::uint64_t kMarker = 1u << 16;
    constexpr std::uint64_t kSize = (4ull << 30) + kMarker;
    struct statvfs space {};
    ASSERT_EQ(statvfs(scratch.path().c_str(), &space), 0);
    if (static_cast<std::uint64_t>(space.f_bavail) * space.f_frsize < 3 * kSize) {
        GTEST_SKIP() << "needs about 13 GB free for the image and its check";
    }
    // Sparse but for a random head and tail, so only the image takes room.
    const path big = source / "大文件.img";
    packtest::WriteFile(big, kMarker, 11);
    {
        const path tail = scratch.path() / "tail";
        packtest::WriteFile(tail, kMarker, 12);
        packtest::fs::resize_file(big, kSize - kMarker);
        std::ofstream out(big, std::ios::binary | std::ios::app);
        out << ReadBytes(tail, 0, kMarker);
    }
    ASSERT_EQ(packtest::fs::file_size(big), kSize);

    packtest::PackRecorder recorder;
    packtest::PackAndWait(source, iso, recorder);
    ASSERT_TRUE(recorder.errors().empty()) << "error " << recorder.errors().front();
    ExpectCleanProgress(recorder.percents());

    EXPECT_EQ(ImageFileSize(iso, "/大文件.img"), kSize);
    for (const std::uint64_t offset : {std::uint64_t{0}, kSize - kMarker}) {
        const path piece = scratch.path() / ("piece" + std::to_string(offset));
        ASSERT_EQ(packtest::RunProgram({"xorriso", "-osirrox", "on", "-indev", iso.string(), "-extract_cut",
                                        "/大文件.img", std::to_string(offset), std::to_string(kMarker),
                                        piece.string()}),
                  0);
        EXPECT_EQ(ReadBytes(piece, 0, kMarker), ReadBytes(big, offset, kMarker)) << "at " << offset;
    }
}

}  // namespace
