#pragma once
// A folder of the test's own under the temporary folder ($TMPDIR, else /tmp),
// named by mkdtemp: no other test, run or user meets it. It goes with
// everything in it when the object does, read-only subfolders included (an
// image extracted by xorriso keeps its read-only modes, which an ordinary
// user cannot empty), and the removal never throws.
#include <filesystem>
#include <string>

namespace pelltest {

class TempFolder {
public:
    // `prefix` starts the folder's name; six random characters follow.
    // Throws std::runtime_error when no folder can be made.
    explicit TempFolder(const std::string& prefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Removes a tree and never throws, also when it holds read-only folders as
// xorriso and bsdtar extract them from an image. Links inside are removed,
// never followed. True when nothing is left.
bool RemoveTree(const std::filesystem::path& root) noexcept;

}  // namespace pelltest
