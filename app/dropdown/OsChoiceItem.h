#pragma once
// One operating system offered by the last driver query.
#include <cstdint>

#include "soui/SString.h"

struct OsChoiceItem {
    SOUI::SStringW name;
    int32_t osId = 0;
};
