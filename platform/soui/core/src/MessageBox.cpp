#include <QObject>
#include <QTimer>

#include <algorithm>
#include <utility>

#include "AttrParse.h"
#include "MessageBoxHook.h"
#include "soui/SControls.h"
#include "soui/SHostWnd.h"
#include "soui/SMessageBox.h"
#include "soui/SystemApi.h"

namespace SOUI {

namespace detail {

const wchar_t* const kMsgBoxButtonNames[3] = {L"button1st", L"button2nd", L"button3rd"};

std::vector<int> MessageBoxButtonIds(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {IDOK, IDCANCEL};
        case MB_ABORTRETRYIGNORE:
            return {IDABORT, IDRETRY, IDIGNORE};
        case MB_YESNOCANCEL:
            return {IDYES, IDNO, IDCANCEL};
        case MB_YESNO:
            return {IDYES, IDNO};
        case MB_RETRYCANCEL:
            return {IDRETRY, IDCANCEL};
        default:
            return {IDOK};
    }
}

}  // namespace detail

namespace {

SXmlDoc& Template() {
    static SXmlDoc doc;
    return doc;
}

std::wstring ButtonText(SXmlNode texts, int id) {
    static const std::pair<int, std::pair<const char*, const wchar_t*>> table[] = {
        {IDOK, {"ok", L"OK"}},          {IDCANCEL, {"cancel", L"Cancel"}}, {IDYES, {"yes", L"Yes"}},
        {IDNO, {"no", L"No"}},          {IDRETRY, {"retry", L"Retry"}},    {IDIGNORE, {"ignore", L"Ignore"}},
        {IDABORT, {"abort", L"Abort"}},
    };
    for (const auto& [key, names] : table) {
        if (key != id) continue;
        if (SXmlAttr attr = texts.attribute(names.first)) return detail::Utf8ToWide(attr.value());
        return names.second;
    }
    return {};
}

class MessageBoxDlg : public SHostDialog {
public:
    MessageBoxDlg(std::wstring text, std::wstring caption, UINT type)
        : SHostDialog(nullptr),
          text_(std::move(text)),
          caption_(std::move(caption)),
          ids_(detail::MessageBoxButtonIds(type)) {
        SetLayoutXml(Template().first_child());
    }

    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result,
                              DWORD msgMapID) override {
        if (msg == WM_INITDIALOG) {
            Fill();
            if (detail::GetMessageBoxHook()) {
                // Once the box shows and its loop runs.
                QTimer::singleShot(0, &alive_, [this] {
                    if (detail::IMessageBoxHook* hook = detail::GetMessageBoxHook()) {
                        hook->OnFrameworkBox(*this, text_, caption_, ids_);
                    }
                });
            }
            result = TRUE;
            return TRUE;
        }
        if (msg == WM_CLOSE) {
            EndDialog(ids_.size() == 1 ? ids_[0] : IDCANCEL);
            result = 0;
            return TRUE;
        }
        if (msg == WM_KEYDOWN && wParam == VK_RETURN) {
            EndDialog(ids_[0]);
            result = 0;
            return TRUE;
        }
        // Escape cancels, where the box can be cancelled.
        if (msg == WM_KEYDOWN && wParam == VK_ESCAPE &&
            (ids_.size() == 1 || std::find(ids_.begin(), ids_.end(), IDCANCEL) != ids_.end())) {
            EndDialog(ids_.size() == 1 ? ids_[0] : IDCANCEL);
            result = 0;
            return TRUE;
        }
        return SHostDialog::ProcessWindowMessage(hWnd, msg, wParam, lParam, result, msgMapID);
    }

    BOOL _HandleEvent(EventArgs* evt) override {
        if (evt->GetID() != EVT_CMD) return FALSE;
        for (std::size_t i = 0; i < ids_.size(); ++i) {
            if (evt->nameFrom == detail::kMsgBoxButtonNames[i]) {
                evt->bubbleUp = FALSE;
                EndDialog(ids_[i]);
                return TRUE;
            }
        }
        return FALSE;
    }

private:
    void Fill() {
        if (SWindow* text = FindChildByName(L"msgtext")) text->SetWindowTextW(text_.c_str());
        if (SWindow* title = FindChildByName(L"msgtitle")) title->SetWindowTextW(caption_.c_str());
        SetWindowTextW(caption_.c_str());
        auto* pages = FindChildByName2<STabCtrl>(L"btnSwitch");
        if (!pages) return;
        pages->SetCurSel(static_cast<int>(ids_.size()) - 1);
        STabPage* page = pages->GetItem(static_cast<int>(ids_.size()) - 1);
        if (!page) return;
        const SXmlNode texts = Template().first_child().child("buttonText");
        for (std::size_t i = 0; i < ids_.size(); ++i) {
            if (SWindow* button = page->FindChildByName(detail::kMsgBoxButtonNames[i])) {
                button->SetWindowTextW(ButtonText(texts, ids_[i]).c_str());
            }
        }
    }

    std::wstring text_;
    std::wstring caption_;
    std::vector<int> ids_;
    QObject alive_;  // ends pending callbacks with the box
};

}  // namespace

BOOL SetMsgTemplate(SXmlNode node) {
    if (!node) return FALSE;
    Template().reset();
    Template().append_copy(node);
    return TRUE;
}

int SMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type, int) {
    if (!Template().first_child()) return MessageBoxW(owner, text, caption, type);
    MessageBoxDlg box(text ? text : L"", caption ? caption : L"", type);
    const int result = box.DoModal(owner);
    // A box that could not be built still gets an answer from a person.
    return result < 0 ? MessageBoxW(owner, text, caption, type) : result;
}

}  // namespace SOUI
