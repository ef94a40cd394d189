#pragma once
// What both search drop-downs share: a box that owns at most one popup with
// a list, asks its owner to fill the list (fill event), shows the popup
// under or above itself, and reports the entry picked (selection event).
#include <cstdint>

#include "soui/SDropDownWnd.h"
#include "soui/SString.h"
#include "soui/SWindow.h"
#include "soui/SXml.h"

template <class Popup, class FillEvent, class SelectedEvent>
class TSearchDropdownList : public SOUI::SWindow, public SOUI::ISDropDownOwner {
public:
    // A popup still open is ended first, so none outlives its owner.
    ~TSearchDropdownList() override;

    // Shows the popup at the box: right edges lined up (or left ones with
    // "dropAlign" 0), below the box, or above it when it does not fit below.
    void PlaceDropDown();
    // Ends the popup, when there is one, with the exit code.
    void CloseDropDown(int exitCode);

    // "dropAlign" and "maxDropHeight" (any case): decimal or "0x" numbers,
    // 0 for what is no number.
    SOUI::HRESULT SetAttribute(const std::wstring& name, const std::wstring& value,
                               SOUI::BOOL loading) override;
    SOUI::BOOL CreateChildren(SOUI::SXmlNode node) override;
    // A command of the popup's list ends the popup with IDOK.
    SOUI::BOOL FireEvent(SOUI::EventArgs* evt) override;

    // ISDropDownOwner
    SOUI::SWindow* GetDropDownOwner() override { return this; }
    void OnCreateDropDown(SOUI::SDropDownWnd*) override {}
    // Raises the selection event when the popup ended with IDOK.
    void OnDestroyDropDown(SOUI::SDropDownWnd* dropDown) override;

    Popup* popup = nullptr;
    int32_t dropAlign = 1;
    int32_t maxDropHeight = 120;
    SOUI::SStringW keyText;
    SOUI::SXmlDoc popupLayout;

protected:
    // popupNode: the child node of the box's layout that describes its popup.
    explicit TSearchDropdownList(const char* popupNode);

    // A new hidden popup built from the kept popup layout.
    void CreatePopup();
    // Raises the fill event and then shows or ends the popup as its handler said.
    SOUI::BOOL FillDropDown();
    void KeepPopupLayout(SOUI::SXmlNode node);

private:
    const char* popupNode_;
};
