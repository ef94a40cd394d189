// Download actions of the driver list; each request's file is the one the
// save-path rule and the list's claims give its task.
#include <utility>
#include <vector>

#include "app/CreateDirectoryTree.h"
#include "app/mainwnd/DownloadPath.h"
#include "app/mainwnd/DriverDownLoadFindAdapter.h"
#include "app/mainwnd/MainWnd.h"
#include "download/DownLoadCounters.h"
#include "download/DownLoadManager.h"
#include "download/DriverDb.h"
#include "download/PendingDownLoad.h"
#include "download/StringConverter.h"
#include "os/FileManager.h"
#include "os/ModulePath.h"
#include "soui/SMessageBox.h"

using namespace SOUI;

namespace {

enum class Action { Enqueue, Pause, Resume, Stop };

DownloadPathParts PathPartsOf(const DriverTask& task) {
    return {g_stringConverter.MultiByteToWide(task.modelCode), g_stringConverter.MultiByteToWide(task.osName),
            std::wstring(task.category.c_str(), static_cast<size_t>(task.category.GetLength())),
            g_stringConverter.MultiByteToWide(task.fileName)};
}

// The task's own file below the download folder, as the save-path rule gives it.
std::wstring OwnSubpath(const DriverTask& task) {
    return DownloadSubpath(PathPartsOf(task));
}

std::vector<std::pair<int32_t, std::wstring>> ListedSubpaths(const CDriverDownLoad_Find_Adapter* adapter) {
    std::vector<std::pair<int32_t, std::wstring>> paths;
    if (adapter == nullptr) return paths;
    paths.reserve(adapter->Tasks().size());
    for (const DriverTask& task : adapter->Tasks()) paths.emplace_back(task.id, OwnSubpath(task));
    return paths;
}

std::wstring UnderDownloadDir(const std::wstring& subpath) {
    return g_downLoadDir + os::kPathSeparator + subpath;
}

PendingDownLoad RequestFor(CMainWnd& wnd, const DriverTask& task) {
    PendingDownLoad request;
    request.kind = task.kind;
    request.taskId = task.id;
    request.size = task.size;
    request.url = task.url;
    request.savePath = wnd.BuildDownloadPath(task);
    return request;
}

// A queued request is counted before it is handed over: the dispatcher takes
// an ended download off the count but never below 0, so an end it saw first
// would be lost and the count stay one high for good.
void Hand(CMainWnd& wnd, const DriverTask& task, Action action) {
    const PendingDownLoad request = RequestFor(wnd, task);
    switch (action) {
        case Action::Enqueue:
            g_downLoadManager.Enqueue(request);
            break;
        case Action::Pause:
            g_downLoadManager.Pause(request);
            break;
        case Action::Resume:
            g_downLoadManager.Resume(request);
            break;
        case Action::Stop:
            g_downLoadManager.Stop(request);
            break;
    }
}

}  // namespace

void CMainWnd::OnBtnDownload() {
    std::vector<DriverTask> tasks;
    if (CDriverDownLoad_Find_Adapter* adapter = DownloadListAdapter()) adapter->CollectCheckedTasks(tasks);
    for (const DriverTask& task : tasks) {
        ++g_activeDownLoads;
        ++g_startedDownLoads;
        Hand(*this, task, Action::Enqueue);
    }
    if (tasks.empty()) SMessageBox(nullptr, L"请选择需要下载的驱动!", L"", MB_OK, 100);
}

bool CMainWnd::StartItemDownload(DriverTask task) {
    ++g_activeDownLoads;
    ++g_startedDownLoads;
    Hand(*this, task, Action::Enqueue);
    return true;
}

bool CMainWnd::RetryItemDownload(DriverTask task) {
    ++g_activeDownLoads;
    Hand(*this, task, Action::Enqueue);
    return true;
}

bool CMainWnd::StopItemDownload(DriverTask task) {
    Hand(*this, task, Action::Stop);
    if (g_startedDownLoads > 0) --g_startedDownLoads;
    return true;
}

bool CMainWnd::PauseItemDownload(DriverTask task) {
    Hand(*this, task, Action::Pause);
    return true;
}

bool CMainWnd::ResumeItemDownload(DriverTask task) {
    Hand(*this, task, Action::Resume);
    return true;
}

bool CMainWnd::OpenDownloadFolder(DriverTask task) {
    os::ShowInFileManager(UnderDownloadDir(downloadPaths.Find(task.id, OwnSubpath(task))));
    return true;
}

std::wstring CMainWnd::BuildDownloadPath(const DriverTask& task) {
    const std::wstring path = UnderDownloadDir(downloadPaths.Claim(
        task.id, OwnSubpath(task), [this] { return ListedSubpaths(DownloadListAdapter()); }));
    CreateDirectoryTree(*this, FolderOf(path));
    return path;
}
