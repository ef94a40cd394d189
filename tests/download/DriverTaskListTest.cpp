#include "download/DriverTaskList.h"

#include <gtest/gtest.h>

namespace {

DriverTask Task(int32_t id, const wchar_t* name) {
    DriverTask task;
    task.id = id;
    task.name = name;
    task.url = "https://127.0.0.1/files/x.exe";
    task.size = 100;
    return task;
}

}  // namespace

TEST(DriverTask, NewTaskIsEmpty) {
    DriverTask task;
    EXPECT_TRUE(task.category.IsEmpty());
    EXPECT_TRUE(task.url.empty());
    EXPECT_EQ(task.size, 0);
    EXPECT_EQ(task.state, TASK_NOT_STARTED);
    EXPECT_FALSE(task.paused || task.stoppedByUser || task.checked);
}

TEST(DriverTaskList, FindOnEmptyListFails) {
    CDriverTaskList list;
    int32_t index = -7;
    DriverTask task = Task(99, L"untouched");
    EXPECT_FALSE(list.FindById(1, index, task));
    EXPECT_EQ(index, -7);
    EXPECT_EQ(task.name, L"untouched");
}

TEST(DriverTaskList, FindChangeAndWriteBack) {
    CDriverTaskList list;
    ASSERT_TRUE(list.Add(Task(1, L"芯片组驱动")));
    ASSERT_TRUE(list.Add(Task(2, L"显卡驱动")));
    int32_t index = -1;
    DriverTask task;
    ASSERT_TRUE(list.FindById(2, index, task));
    EXPECT_EQ(index, 1);
    EXPECT_EQ(task.name, L"显卡驱动");

    task.state = TASK_DOWNLOADING;
    task.progress = 40;
    task.speedText = L"12KB/S";
    ASSERT_TRUE(list.ReplaceAt(index, 2, task));
    DriverTask again;
    ASSERT_TRUE(list.FindById(2, index, again));
    EXPECT_EQ(again.state, TASK_DOWNLOADING);
    EXPECT_EQ(again.progress, 40);
    EXPECT_EQ(again.speedText, L"12KB/S");
}

TEST(DriverTaskList, ReplaceAtRefusesOtherIdAndOutsideIndex) {
    CDriverTaskList list;
    ASSERT_TRUE(list.Add(Task(1, L"one")));
    const DriverTask late = Task(1, L"late write");
    for (int32_t index : {1, 5, -1}) EXPECT_FALSE(list.ReplaceAt(index, 1, late)) << index;
    EXPECT_FALSE(list.ReplaceAt(0, 2, Task(2, L"other id")));

    // The list was refilled between find and write-back: the write is dropped.
    int32_t index = -1;
    DriverTask found;
    ASSERT_TRUE(list.FindById(1, index, found));
    ASSERT_TRUE(list.Clear());
    ASSERT_TRUE(list.Add(Task(5, L"new list")));
    EXPECT_FALSE(list.ReplaceAt(index, 1, late));
    ASSERT_TRUE(list.FindById(5, index, found));
    EXPECT_EQ(found.name, L"new list");
    EXPECT_FALSE(list.FindById(1, index, found));
}

TEST(DriverTaskList, DuplicateIdsReportTheLast) {
    CDriverTaskList list;
    list.Add(Task(3, L"first"));
    list.Add(Task(4, L"between"));
    list.Add(Task(3, L"last"));
    int32_t index = -1;
    DriverTask task;
    ASSERT_TRUE(list.FindById(3, index, task));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(task.name, L"last");
}
