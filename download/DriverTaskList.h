#pragma once
#include <cstdint>
#include <vector>

#include "download/DriverTask.h"
#include "os/ReentrantLock.h"

// The tasks of the current driver list, shared by the window and the
// dispatcher. A task is changed by finding it, changing the copy and
// writing it back at the same index under the same id.
class CDriverTaskList {
public:
    bool Add(const DriverTask& task);
    // With several entries of the id, the last one is reported.
    bool FindById(int32_t id, int32_t& index, DriverTask& task);
    // False, changing nothing, unless the entry at index has that id.
    bool ReplaceAt(int32_t index, int32_t id, const DriverTask& task);
    bool Clear();

private:
    os::ReentrantLock lock;
    std::vector<DriverTask> tasks_;
};

extern CDriverTaskList g_driverTaskList;
