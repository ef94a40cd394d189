#pragma once
// The tool's one main window: four pages in "tab_main_op" (0 query, 1 driver
// list, 2 network error, 3 agreement). Its handlers live in the MainWnd*.cpp
// files, one file per concern.
#include <mutex>
#include <string>
#include <vector>

#include "app/dropdown/OsChoiceItem.h"
#include "app/mainwnd/DownloadPathClaims.h"
#include "app/servicekey/AesCipher.h"
#include "common/EventThread.h"
#include "datacollection/DataCollectionApi.h"
#include "download/DriverTask.h"
#include "soui/SHostWnd.h"
#include "soui/SListView.h"
#include "soui/SString.h"

struct SearchResult;

class CDriverDownLoad_Find_Adapter;

class CMainWnd : public SOUI::SHostWnd {
public:
    CMainWnd();
    ~CMainWnd() override;

    // Event map: commands by the sender's name, the drop-downs' own events by
    // code and sender id.
    SOUI::BOOL _HandleEvent(SOUI::EventArgs* evt) override;
    SOUI::BOOL ProcessWindowMessage(SOUI::HWND hWnd, SOUI::UINT msg, SOUI::WPARAM wParam, SOUI::LPARAM lParam,
                                    SOUI::LRESULT& result, SOUI::DWORD msgMapID = 0) override;

    // Start-up, close and teardown.
    SOUI::BOOL OnInitDialog();
    void OnClose();
    void OnDestroy();
    void OnSize();
    void OnTimer(SOUI::UINT_PTR id) override;

    // Start-up steps.
    void StartInfoWorker();
    bool CollectNetworkAndDeviceInfo();
    bool CheckNetwork();
    void GetProgramDir();
    bool IsDownloadDirUsable() const;
    void SetDefaultDownloadDir();

    // Calls into the data-collection library.
    // The version gate; false when a newer tool exists and the process is to end.
    bool CheckToolVersion();
    void SendOperationReport(int status);
    void OnBtnFeedback();

    // Timers, button states and the window message queue.
    bool UpdateBusyControls(bool enable);
    void UpdateDownloadCounters();
    bool DrainUiEvents();
    bool RefreshListItem(int taskId);

    // Page and link commands.
    void OnBtnMin();
    void OnBtnHelp();
    void OnBtnAgreement();
    void OnBtnSettings();
    void OnBtnPack();
    void OnBtnBackMainTable();
    void OnBtnNetworkErrorBack();
    void OnBtnAgreementClose();
    void OnAgreementCheck();

    // The download list's adapter, attached at start-up; null without the list.
    CDriverDownLoad_Find_Adapter* DownloadListAdapter() const;

    // Driver query and list.
    void OnQuery();
    bool FillOsList(const SearchResult& result);
    bool FillDriverList(const SearchResult& result, std::string osName);

    // Suggestions and the operating-system choice; each takes the drop-down's
    // event record.
    void OnFillQuerySuggest(SOUI::EventArgs* evt);
    void OnQuerySuggestSelected(SOUI::EventArgs* evt);
    void OnBtnOsDropdown();
    void OnFillOsDropdown(SOUI::EventArgs* evt);
    void OnOsSelected(SOUI::EventArgs* evt);

    // Select-all box of the driver list.
    void OnBtnAllChoose();
    bool SetAllChooseState(bool chosen);

    // Download actions.
    void OnBtnDownload();
    bool StartItemDownload(DriverTask task);
    bool RetryItemDownload(DriverTask task);
    bool StopItemDownload(DriverTask task);
    bool PauseItemDownload(DriverTask task);
    bool ResumeItemDownload(DriverTask task);
    bool OpenDownloadFolder(DriverTask task);
    std::wstring BuildDownloadPath(const DriverTask& task);

    // Service-key drive probe.
    void ProbeServiceKeyDrive();
    int DecodeDeviceType(const std::string& encoded, char* output, int capacity, const char* key);

    // Members, in this order.
    int tickCount = 0;
    int shownStarted = 0;
    int shownCompleted = 0;
    int currentOsId = 0;
    bool allChosen = false;
    bool agreementAccepted = false;
    bool listButtonsEnabled = false;
    std::wstring programDir;
    SOUI::SListView* suggestListView = nullptr;
    SOUI::SListView* driverListView = nullptr;
    SOUI::SStringW queryKey;
    CEventThread infoWorker;
    ServiceUrlTable serviceUrls;
    std::vector<OsChoiceItem> osChoices;
    std::string deviceType;
    CAesCipher cipher;
    // Which file each listed driver writes; emptied with the list.
    CDownloadPathClaims downloadPaths;

private:
    static bool InfoWorkerProc(void* context);
    // The worker publishes the device record under this lock; the usage
    // report and the window's destruction take it too, so neither reads a
    // record half written nor frees one the worker still fills.
    std::mutex deviceInfoLock_;
};
