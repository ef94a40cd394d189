// The main program's shared objects of the download side. They live in this
// one file so that they are constructed in this order, and destroyed in the
// reverse order: the converter and the database first, then the download
// manager, the two queues, the task list, the dispatcher, and last the
// settings texts.
#include "download/DownLoadDispatcher.h"
#include "download/DownLoadManager.h"
#include "download/DriverDb.h"
#include "download/DriverTaskList.h"
#include "download/EventQueue.h"
#include "download/StringConverter.h"

StringConverter g_stringConverter;
CDriverDb g_driverDb;
CDownLoadManager g_downLoadManager;
CEventQueue g_downLoadEventQueue;
CEventQueue g_uiEventQueue;
CDriverTaskList g_driverTaskList;
CDownLoadDispatcher g_downLoadDispatcher;

namespace {
// Destroyed first of the download objects: downloads still running at
// program end must stop posting before the queues go away.
struct DownLoadShutdown {
    ~DownLoadShutdown() { g_downLoadManager.Close(); }
} g_downLoadShutdown;
}  // namespace

std::wstring g_downLoadDir;
std::wstring g_maxDownLoadsText;
int32_t g_maxDownLoads = 0;
