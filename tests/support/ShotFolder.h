#pragma once
// Where a test saves the pictures it takes: $PELL_SHOT_DIR keeps them for a
// look; without it they go to a folder of the test's own that goes with it.
#include <filesystem>
#include <optional>
#include <string>

#include "tests/support/TempFolder.h"

namespace pelltest {

class ShotFolder {
public:
    ShotFolder();

    std::wstring operator/(const wchar_t* file) const { return (dir_ / file).wstring(); }

private:
    std::optional<TempFolder> own_;
    std::filesystem::path dir_;
};

// `file` in the pictures' folder of this test program, made at the first
// call and removed when the program ends.
std::wstring ShotPath(const wchar_t* file);

}  // namespace pelltest
