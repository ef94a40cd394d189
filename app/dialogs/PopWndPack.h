#pragma once
// The modal dialog that packs a folder of drivers into an ISO image with the
// ISO packer. The packer works on a thread of its own; its callbacks only
// store a percentage and an error flag, which the dialog shows on a 200 ms
// timer.
#include <atomic>
#include <cstdint>

#include "soui/SHostWnd.h"

class CPopWndPack : public SOUI::SHostDialog {
public:
    CPopWndPack();
    ~CPopWndPack() override;

    // Event map: commands by the sender's name.
    SOUI::BOOL _HandleEvent(SOUI::EventArgs* evt) override;
    SOUI::BOOL ProcessWindowMessage(SOUI::HWND hWnd, SOUI::UINT msg, SOUI::WPARAM wParam, SOUI::LPARAM lParam,
                                    SOUI::LRESULT& result, SOUI::DWORD msgMapID = 0) override;

    SOUI::BOOL OnInitDialog();
    void OnDestroy();
    void OnTimer(SOUI::UINT_PTR id) override;

    void OnBtnClose();
    void OnBtnCancel();
    void OnBtnSelectDir();
    void OnBtnSavePath();
    void OnBtnRun();

    // The packer's callbacks; they run on its thread and only store.
    static int PackProgressCallback(int percent, void* context);
    static void PackErrorCallback(int code, void* context);

    // Fields, in this order; set when the window is initialised.
    std::atomic<int32_t> progress{0};
    bool packing = false;
    std::atomic<bool> packError{false};
};
