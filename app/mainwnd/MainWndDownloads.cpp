// Download actions of the driver list and the rule that places a downloaded
// file under the download folder.
#include <algorithm>

#include "app/CreateDirectoryTree.h"
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

// Characters a folder name of the save path may not hold.
const std::wstring kRemovedCharacters = L"/\\:?><*";

std::wstring RemoveReservedCharacters(std::wstring part) {
    std::erase_if(part, [](wchar_t c) { return kRemovedCharacters.find(c) != std::wstring::npos; });
    return part;
}

// No part of a save path may climb out of the download folder or split into
// two: a separator (or a NUL, which would end the path early) becomes "_",
// and a part that names the folder itself or its parent becomes "_". A part
// that came empty stays empty; one emptied by the cleaning becomes "_".
std::wstring ConfinePart(const std::wstring& original, std::wstring part) {
    std::replace_if(
        part.begin(), part.end(), [](wchar_t c) { return c == os::kPathSeparator || c == L'\0'; }, L'_');
    if (part == L"." || part == L".." || (part.empty() && !original.empty())) return L"_";
    return part;
}

std::wstring FolderPart(const std::string& narrow) {
    const std::wstring original = g_stringConverter.MultiByteToWide(narrow);
    return ConfinePart(original, RemoveReservedCharacters(original));
}

std::wstring CategoryPart(const SStringW& category) {
    const std::wstring original(category.c_str(), category.GetLength());
    return ConfinePart(original, RemoveReservedCharacters(original));
}

std::wstring FileNamePart(const std::string& narrow) {
    const std::wstring original = g_stringConverter.MultiByteToWide(narrow);
    const std::wstring part = ConfinePart(original, original);
    return part.empty() ? L"_" : part;
}

// The task's file under the download folder, without creating anything.
std::wstring SavePath(const DriverTask& task, std::wstring* folder) {
    std::wstring path = g_downLoadDir;
    path += os::kPathSeparator;
    path += FolderPart(task.modelCode);
    path += os::kPathSeparator;
    path += FolderPart(task.osName);
    path += os::kPathSeparator;
    path += CategoryPart(task.category);
    if (folder != nullptr) *folder = path;
    path += os::kPathSeparator;
    path += FileNamePart(task.fileName);
    return path;
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
    os::ShowInFileManager(SavePath(task, nullptr));
    return true;
}

std::wstring CMainWnd::BuildDownloadPath(const DriverTask& task) {
    std::wstring folder;
    const std::wstring path = SavePath(task, &folder);
    CreateDirectoryTree(*this, folder);
    return path;
}
