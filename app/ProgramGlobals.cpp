// Every global object of the program, in the one order in which they must be
// constructed: C++ constructs the objects of one file in the order of their
// definitions and destroys them in reverse. The download manager starts its
// worker as it is constructed; the queues, the task list and the dispatcher
// that it posts into come after it and therefore go before it at exit.
#include "app/ProgramGlobals.h"

#include "download/DownLoadDispatcher.h"
#include "download/DownLoadManager.h"
#include "download/DriverDb.h"
#include "download/DriverTaskList.h"
#include "download/EventQueue.h"
#include "download/StringConverter.h"

const std::wstring g_popupLayoutName = L"popupStyle";
const std::wstring g_popupListViewName = L"lv_dropdown";
DeviceInfoRecord* g_deviceInfo = new DeviceInfoRecord();
StringConverter g_stringConverter;
CDriverDb g_driverDb;
CDownLoadManager g_downLoadManager;
CEventQueue g_downLoadEventQueue;
CEventQueue g_uiEventQueue;
CDriverTaskList g_driverTaskList;
CDownLoadDispatcher g_downLoadDispatcher;

namespace {
// Destroyed before the dispatcher, the task list and the queues: downloads
// that still run at program end must stop posting before those go away.
struct DownLoadShutdown {
    ~DownLoadShutdown() { g_downLoadManager.Close(); }
} g_downLoadShutdown;
}  // namespace

SOUI::SStringW g_defaultOsName;
std::string g_defaultDriverIcon = "_skin.sys.dirver.icon_0";
std::wstring g_downLoadDir;
std::wstring g_maxDownLoadsText;

// Constant-initialised: set before any constructor above runs.
int32_t g_maxDownLoads = 0;
std::atomic<int32_t> g_networkState{-1};
