// The driver query of page 0 and the result header of page 1.
#include <string>

#include "app/ProgramGlobals.h"
#include "app/mainwnd/MainWnd.h"
#include "download/DownLoadCounters.h"
#include "download/StringConverter.h"
#include "driverinfo/DriverInfoApi.h"
#include "soui/SControls.h"
#include "soui/SMessageBox.h"

using namespace SOUI;

namespace {

// The fixed system of the first query; a pick from the list repeats it.
constexpr int kQueryOsId = 42;

// Pages of "tab_main_op".
enum MainPage { kPageDriverList = 1, kPageNetworkError = 2 };

}  // namespace

void CMainWnd::OnQuery() {
    if (g_networkState == -1) {
        SMessageBox(nullptr, L"未完成网络初始化！", L"", MB_OK);
        return;
    }
    auto* tab = FindChildByName2<STabCtrl>(L"tab_main_op");
    if (g_networkState == 0) {
        if (tab != nullptr) tab->SetCurSel(kPageNetworkError);
        return;
    }
    SWindow* input = FindChildByName(L"edit_input_1");
    const SStringW text = input != nullptr ? input->GetWindowTextW() : SStringW();
    SWindow* errorLine = FindChildByName(L"dirver_query_error_info");
    auto showError = [errorLine](const wchar_t* message) {
        if (errorLine == nullptr) return;
        errorLine->SetWindowTextW(message);
        errorLine->SetAttribute(L"show", L"1", FALSE);
    };
    // Blanks are a text like any other; only nothing at all is refused.
    if (text.IsEmpty()) {
        showError(L"*请输入主机编号/主机型号进行查询");
        return;
    }
    if (errorLine != nullptr) errorLine->SetAttribute(L"show", L"0", FALSE);
    const std::string narrow = g_stringConverter.WideToMultiByte(std::wstring(text.c_str()));
    queryKey = text;

    SearchResult* result = nullptr;
    if (!DriverInfo_QueryBy_DevName(&result, narrow.c_str(), static_cast<int>(narrow.size()), kQueryOsId) ||
        result == nullptr || result->driverList.empty()) {
        showError(L"*未搜索到相关内容，请重新输入");
        return;
    }
    if (!result->driverSerious.empty())
        queryKey = g_stringConverter.ToSStringW(result->driverSerious[0].NodeCode);
    g_defaultOsName = g_stringConverter.ToSStringW(result->defaultOS.NAME);
    g_startedDownLoads = 0;
    g_completedDownLoads = 0;
    FillDriverList(*result, result->defaultOS.NAME);
    FillOsList(*result);
    if (tab != nullptr) tab->SetCurSel(kPageDriverList);
}

bool CMainWnd::FillOsList(const SearchResult& result) {
    osChoices.clear();
    for (const SearchOs& os : result.osList) {
        OsChoiceItem choice;
        choice.name = g_stringConverter.ToSStringW(os.OSName);
        choice.osId = os.OSID;
        osChoices.push_back(std::move(choice));
    }
    currentOsId = result.defaultOS.ID;
    if (SWindow* header = FindChildByName(L"text_device_query_name"))
        header->SetWindowTextW(SStringW(L"主机信息：") + queryKey);
    if (SWindow* osBox = FindChildByName(L"os_select_edit_input"))
        osBox->SetWindowTextW(g_stringConverter.ToSStringW(result.defaultOS.NAME));
    return true;
}
