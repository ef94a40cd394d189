#include "IsoLibrary.h"

#include "IsoFs.h"

namespace fendrel {

bool StartIsoLibrary() {
    constexpr int kKeepLocale = 1;
    if (iso_init_with_flag(kKeepLocale) < 0) return false;
    if (iso_set_local_charset(const_cast<char*>("UTF-8"), 0) <= 0 ||
        iso_set_msgs_severities(const_cast<char*>("SORRY"), const_cast<char*>("NEVER"),
                                const_cast<char*>("")) <= 0 ||
        iso_set_abort_severity(const_cast<char*>("MISHAP")) < 0) {
        iso_finish();
        return false;
    }
    return true;
}

void StopIsoLibrary() {
    iso_finish();
}

}  // namespace fendrel
