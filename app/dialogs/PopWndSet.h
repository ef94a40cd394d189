#pragma once
// The modal dialog of the two download settings: the folder that downloads
// go to (always its subfolder "Driver") and how many run at once (1 to 6).
// OK applies them to the settings globals, stores them and hands the new
// maximum to the download manager. The dialog keeps nothing of its own.
#include "soui/SHostWnd.h"

class CPopWndSet : public SOUI::SHostDialog {
public:
    CPopWndSet();
    ~CPopWndSet() override;

    // Event map: commands by the sender's name.
    SOUI::BOOL _HandleEvent(SOUI::EventArgs* evt) override;
    SOUI::BOOL ProcessWindowMessage(SOUI::HWND hWnd, SOUI::UINT msg, SOUI::WPARAM wParam, SOUI::LPARAM lParam,
                                    SOUI::LRESULT& result, SOUI::DWORD msgMapID = 0) override;

    SOUI::BOOL OnInitDialog();
    void OnBtnPathChange();
    void OnBtnOk();
};
