#include "tests/support/ShotFolder.h"

#include <cstdlib>

namespace pelltest {

ShotFolder::ShotFolder() {
    const char* kept = std::getenv("PELL_SHOT_DIR");
    if (kept != nullptr && *kept != '\0') {
        dir_ = kept;
        return;
    }
    own_.emplace("shots_");
    dir_ = own_->Path();
}

std::wstring ShotPath(const wchar_t* file) {
    static const ShotFolder shots;
    return shots / file;
}

}  // namespace pelltest
