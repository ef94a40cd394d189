// Page switches, links, dialogs and the agreement boxes.
#include <cstdio>
#include <exception>

#include "app/dialogs/PopWndPack.h"
#include "app/dialogs/PopWndSet.h"
#include "app/mainwnd/MainWnd.h"
#include "download/StringConverter.h"
#include "os/Browser.h"
#include "os/ServiceAddress.h"
#include "os/UnicodeText.h"
#include "soui/SControls.h"

using namespace SOUI;

namespace {

// The maker's knowledge site. Its host goes with the service address, so a
// service named by the environment serves the help page too.
constexpr const char* kKnowledgeSite = "https://support.zorvik.example";
constexpr const wchar_t* kHelpPath = L"/driver/driverquery";

constexpr const wchar_t* kAgreementGated[] = {L"btn_driver_query", L"btn_mainop_help", L"btn_mainop_set",
                                              L"btn_mainop_pack"};
constexpr const wchar_t* kAgreementBoxes[] = {L"checkbox_sys_agreement_1", L"checkbox_sys_agreement_2"};

void ShowPage(CMainWnd& wnd, int page) {
    if (auto* tab = wnd.FindChildByName2<STabCtrl>(L"tab_main_op")) tab->SetCurSel(page);
}

}  // namespace

void CMainWnd::OnBtnMin() {
    SendMessageW(WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void CMainWnd::OnBtnHelp() {
    const std::string site = os::ServiceBaseUrl(kKnowledgeSite);
    os::OpenInBrowser(os::Utf8ToWideLossy(site) + kHelpPath);
}

void CMainWnd::OnBtnAgreement() {
    const std::string& address = serviceUrls.url[1];
    if (address.empty()) {
        std::fprintf(stderr, "agreement page not opened: the service address list has not been fetched\n");
        return;
    }
    try {
        os::OpenInBrowser(g_stringConverter.MultiByteToWide(address));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "agreement page not opened: %s\n", error.what());
    }
}

// The dialogs are modal over this window by name: without an owner they
// would take whichever window is active, which here need not be this one
// (the window manager decides), and this window would stay usable beneath.
void CMainWnd::OnBtnSettings() {
    CPopWndSet dialog;
    dialog.DoModal(m_hWnd);
}

void CMainWnd::OnBtnPack() {
    CPopWndPack dialog;
    dialog.DoModal(m_hWnd);
}

void CMainWnd::OnBtnBackMainTable() {
    ShowPage(*this, 0);
}

void CMainWnd::OnBtnNetworkErrorBack() {
    ShowPage(*this, 0);
    CheckNetwork();
}

void CMainWnd::OnBtnAgreementClose() {
    ShowPage(*this, 0);
}

void CMainWnd::OnAgreementCheck() {
    agreementAccepted = !agreementAccepted;
    for (const wchar_t* name : kAgreementGated)
        if (SWindow* button = FindChildByName(name))
            button->EnableWindow(agreementAccepted ? TRUE : FALSE, TRUE);
    for (const wchar_t* name : kAgreementBoxes)
        if (SWindow* box = FindChildByName(name)) box->SetCheck(agreementAccepted ? TRUE : FALSE);
}
