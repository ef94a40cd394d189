#pragma once
// Text input: a native line edit hosted over the control (input methods,
// selection, clipboard), and a read-only rich edit for documents.
#include <memory>
#include <string>
#include <vector>

#include "soui/SPanel.h"
#include "soui/SWindow.h"

namespace SOUI {

// Messages and notices of the edits.
constexpr UINT EM_SETEVENTMASK = WM_USER + 69;  // lParam: the ENM_ bits to report
constexpr UINT EM_GETEVENTMASK = WM_USER + 59;
constexpr LPARAM ENM_CHANGE = 0x0001;
constexpr DWORD EN_CHANGE = 0x0300;

enum SEditEventId { EVT_RE_NOTIFY = 16000 };

// A notice of an edit, raised for the codes its event mask asks for.
class EventRENotify : public TplEventArgs<EventRENotify> {
    SOUI_CLASS_NAME(TplEventArgs<EventRENotify>, L"on_richedit_notify")

public:
    enum { EventID = EVT_RE_NOTIFY };
    using TplEventArgs::TplEventArgs;
    DWORD iNotify = 0;
    void* pv = nullptr;
};

// "edit": one line of text ("cueText" shows while it is empty, "readOnly").
// With ENM_CHANGE in its event mask every change of the text, typed or
// set, raises EVT_RE_NOTIFY with EN_CHANGE.
class SEdit : public SWindow {
    SOUI_CLASS_NAME(SWindow, L"edit")

public:
    SEdit();
    ~SEdit() override;

    void SetWindowTextW(LPCWSTR text) override;
    BOOL IsReadOnly() const { return readOnly_; }
    const std::wstring& GetCueText() const { return cueText_; }

    HRESULT SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) override;
    BOOL ProcessSwndMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // From the native edit.
    void OnNativeTextChanged(const std::wstring& text);
    void OnNativeFocus(BOOL focused);

protected:
    void OnPaint(IRenderTarget* rt) override;

private:
    friend struct EditAccess;
    struct Native;
    void NotifyChange();
    // Creates the native edit once the control's host window exists, and
    // keeps it over the control.
    Native* EnsureNative();

    std::unique_ptr<Native> native_;
    std::wstring cueText_;
    BOOL readOnly_ = FALSE;
    LPARAM eventMask_ = 0;
};

// "richedit": a read-only document, word-wrapped, with a vertical scroll
// bar; "rtf" names an RTF resource ("rtf:rtf_agreement") to show.
class SRichEdit : public SPanel {
    SOUI_CLASS_NAME(SPanel, L"richedit")

public:
    SRichEdit();

    void SetWindowTextW(LPCWSTR text) override;
    // Shows an RTF document; FALSE (and the text unchanged) when it is none.
    BOOL SetRtf(const std::string& document);
    // The paragraphs as they are shown (a line per paragraph, '\n' between).
    const std::wstring& GetDocumentText() const { return document_; }
    // The lines after word wrapping at the current width.
    const std::vector<std::wstring>& GetLines() const { return lines_; }

    HRESULT SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) override;

protected:
    void OnPaint(IRenderTarget* rt) override;
    void OnSize(CSize size) override;
    int GetScrollLineSize(BOOL vertical) const override;

private:
    void Relayout();
    int LineHeight() const;

    std::wstring document_;
    std::vector<std::wstring> lines_;
    int wrapWidth_ = -1;
    DWORD enabledBars_ = SSB_VERT;
};

}  // namespace SOUI
