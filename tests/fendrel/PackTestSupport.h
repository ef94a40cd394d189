#pragma once
// Helpers for the packer's tests: scratch folders, trees on disk, a recorder
// for the callbacks and the xorriso reader.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

namespace packtest {

namespace fs = std::filesystem;

using pelltest::RemoveTree;

// A packing test's folder of its own.
class ScratchFolder : public pelltest::TempFolder {
public:
    ScratchFolder() : TempFolder("fendrel-test-") {}
    const fs::path& path() const { return Path(); }
};

// A file of `size` bytes of seeded pseudo-random content.
void WriteFile(const fs::path& path, std::uint64_t size, std::uint32_t seed);

// Every entry below `root` by relative path: "dir" for folders, the SHA-256
// of the content in hex for files.
std::map<std::string, std::string> Snapshot(const fs::path& root);

std::string Sha256Hex(const fs::path& file);

// `piece` `times` over, for long names.
std::string Repeat(const std::string& piece, int times);

// The names directly inside a folder.
std::vector<std::string> FolderNames(const fs::path& folder);

// UTF-32 form of a UTF-8 path, as the window would hand it over.
std::wstring Wide(const fs::path& path);

// Runs a program with LC_ALL=C.UTF-8 and waits; returns its exit status and
// its standard output.
int RunProgram(const std::vector<std::string>& argv, std::string* output = nullptr);

// Extracts the whole image with xorriso through its Rock Ridge names or,
// with `joliet`, through its Joliet tree only.
bool ExtractWithXorriso(const fs::path& iso, const fs::path& into, bool joliet);

// The same with libarchive's reader.
bool ExtractWithBsdtar(const fs::path& iso, const fs::path& into, bool joliet);

// The same with isoinfo, through the Rock Ridge names only: its Joliet
// reading shows characters beyond the basic plane as '_'.
bool ExtractWithIsoinfo(const fs::path& iso, const fs::path& into);

// Collects what the packer's callbacks deliver, from any thread. Once it has
// registered itself, it releases the packer when it goes: no callback can
// reach it afterwards, and the packing has ended before a scratch folder
// declared ahead of it is removed, also when a test ends early.
class PackRecorder {
public:
    PackRecorder() = default;
    PackRecorder(const PackRecorder&) = delete;
    PackRecorder& operator=(const PackRecorder&) = delete;
    ~PackRecorder();

    static int OnProgress(int percent, void* context);
    static void OnError(int code, void* context);

    // Registers both callbacks with this recorder as context.
    void Register();
    // Waits until the packing reported 100 or an error.
    bool WaitForEnd(std::chrono::seconds limit = std::chrono::seconds(120));
    // Waits until some progress of at least `percent` arrived, errors or not.
    bool WaitForPercent(int percent, std::chrono::seconds limit = std::chrono::seconds(120));

    std::vector<int> percents() const;
    std::vector<int> errors() const;
    std::size_t calls() const;

    // Runs on the packer's thread after each progress report is stored.
    std::function<void(int)> onProgress;

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<int> percents_;
    std::vector<int> errors_;
    bool registered_ = false;
};

// Packs `source` into `iso` with a fresh packer session and waits for the end.
void PackAndWait(const fs::path& source, const fs::path& iso, PackRecorder& recorder);

}  // namespace packtest
