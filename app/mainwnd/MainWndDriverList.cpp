// Filling the driver list of page 1 from a driver-search answer.
#include <cstdlib>
#include <string>

#include "app/ProgramGlobals.h"
#include "app/mainwnd/DriverDownLoadFindAdapter.h"
#include "app/mainwnd/MainWnd.h"
#include "download/DownLoadManager.h"
#include "download/DriverDb.h"
#include "download/DriverTaskList.h"
#include "download/StringConverter.h"
#include "driverinfo/DriverInfoApi.h"

using namespace SOUI;

namespace {

// Its drivers belong to the service tool itself and are never offered.
constexpr wchar_t kExcludedCategory[] = L"Zorvik驱动专用[重要]";
constexpr int32_t kDriverTaskKind = 2;

// The leading decimal digits after optional blanks and a sign; 0 for none.
int64_t ByteCount(const std::string& text) {
    return std::strtoll(text.c_str(), nullptr, 10);
}

// In 32-bit floats, as the list has always shown sizes: 1024 bytes or less
// show nothing, and MB is the largest unit.
SStringW SizeText(int64_t bytes) {
    SStringW text;
    float value = static_cast<float>(bytes);
    if (value > 1024.0f) {
        value = value / 1024.0f;
        text.Format(L"%.2fKB", static_cast<double>(value));
        if (value > 1024.0f) {
            value = value / 1024.0f;
            text.Format(L"%.2fMB", static_cast<double>(value));
        }
    }
    return text;
}

// A category's icon skin: empty when the lookup failed, the default icon when
// the table names none.
SStringW CategoryIcon(const std::string& partName) {
    std::string icon;
    if (!g_driverDb.QueryPartIcon(partName, icon)) return SStringW();
    if (icon.empty()) icon = g_defaultDriverIcon;
    return g_stringConverter.ToSStringW(icon);
}

}  // namespace

bool CMainWnd::FillDriverList(const SearchResult& result, std::string osName) {
    if (driverListView == nullptr) return true;
    driverListView->SetScrollPos(TRUE, 0, TRUE);
    if (SWindow* box = FindChildByName(L"btn_allchoose")) box->SetCheck(FALSE);
    CDriverDownLoad_Find_Adapter* adapter = DownloadListAdapter();
    if (adapter == nullptr) return true;
    allChosen = false;
    // The earlier list's downloads end with it, as the switch warning says:
    // none may run on unseen and keep the list's buttons grey.
    g_downLoadManager.StopAll();
    adapter->Clear();
    g_driverTaskList.Clear();
    downloadPaths.Clear();

    const std::string modelCode =
        result.driverSerious.empty() ? std::string() : result.driverSerious[0].NodeCode;
    for (const SearchPart& part : result.partList) {
        DriverTask task;
        task.category = g_stringConverter.ToSStringW(part.PartName);
        task.modelCode = modelCode;
        task.osName = osName;
        task.kind = kDriverTaskKind;
        task.iconSkin = CategoryIcon(part.PartName);
        const bool excluded = task.category == kExcludedCategory;
        for (const SearchDriver& driver : result.driverList) {
            if (driver.PartID != part.PartID) continue;
            task.url = driver.FilePath;
            task.fileName = driver.FileName;
            task.name = g_stringConverter.ToSStringW(driver.DriverName);
            task.version = g_stringConverter.ToSStringW(driver.Version);
            task.activeTime = g_stringConverter.ToSStringW(driver.ActiveTime);
            task.sizeBytesText = driver.FileSize;
            task.size = ByteCount(driver.FileSize);
            task.sizeText = SizeText(task.size);
            task.editionId = driver.DriverEdtionId;
            // A negative byte count is as unusable as none.
            if (task.url.empty() || task.size <= 0 || excluded) continue;
            task.id = g_driverDb.NextTaskId();
            adapter->AddTask(task);
            g_driverTaskList.Add(task);
        }
    }
    adapter->notifyDataSetChanged();
    return true;
}
