#include <algorithm>

#include "AttrParse.h"
#include "TextWrap.h"
#include "rtf/RtfReader.h"
#include "soui/SApplication.h"
#include "soui/SEdit.h"

namespace SOUI {

namespace {

constexpr int kLineSpacing = 4;

SApplication* App() {
    return SApplication::getSingletonPtr();
}

// Tabs show as spaces; the renderer draws single lines.
std::wstring DisplayText(std::wstring text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t ch : text) {
        if (ch == L'\t')
            out += L"    ";
        else if (ch != L'\r')
            out += ch;
    }
    return out;
}

}  // namespace

SRichEdit::SRichEdit() {
    SPanel::SetAttribute(L"sbEnable", std::to_wstring(SSB_VERT), TRUE);
}

void SRichEdit::SetWindowTextW(LPCWSTR text) {
    SWindow::SetWindowTextW(text);
    document_ = DisplayText(text ? text : L"");
    Relayout();
}

BOOL SRichEdit::SetRtf(const std::string& document) {
    const rtf::RtfText read = rtf::ReadRtf(document);
    if (read.status == rtf::RtfStatus::kNotRtf) return FALSE;
    // A text cut short still shows what it holds.
    SetWindowTextW(read.text.c_str());
    return TRUE;
}

HRESULT SRichEdit::SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) {
    if (name == L"rtf") {
        const size_t colon = value.find(L':');
        std::vector<BYTE> data;
        if (colon == std::wstring::npos || !App() ||
            !App()->GetRawBuffer(value.substr(0, colon).c_str(), value.substr(colon + 1).c_str(), &data) ||
            !SetRtf(std::string(data.begin(), data.end()))) {
            return E_FAIL;
        }
        return AfterAttribute(name, value, loading, S_OK);
    }
    if (name == L"vscrollBar" || name == L"hscrollBar") {
        const DWORD bit = name == L"vscrollBar" ? SSB_VERT : SSB_HORZ;
        enabledBars_ = detail::ToBool(value) ? (enabledBars_ | bit) : (enabledBars_ & ~bit);
        return SPanel::SetAttribute(L"sbEnable", std::to_wstring(enabledBars_), loading);
    }
    // A document of this edit is always read-only and wrapped.
    if (name == L"readOnly" || name == L"wordWrap" || name == L"multiLines" || name == L"autoVScroll") {
        return AfterAttribute(name, value, loading, S_FALSE);
    }
    return SPanel::SetAttribute(name, value, loading);
}

int SRichEdit::LineHeight() const {
    const int height = App() ? App()->MeasureText(L"国Ag", GetFont()).cy : GetFont().size;
    return std::max(1, height + kLineSpacing);
}

int SRichEdit::GetScrollLineSize(BOOL) const {
    return LineHeight();
}

void SRichEdit::Relayout() {
    if (App() == nullptr) return;
    auto measure = [this](const std::wstring& line) { return App()->MeasureText(line, GetFont()).cx; };
    // Wrapping at the full width may call for the bar, which narrows the view.
    for (int pass = 0; pass < 2; ++pass) {
        const int width = GetViewRect().Width();
        if (pass == 1 && width == wrapWidth_) break;
        wrapWidth_ = width;
        lines_ = detail::WrapText(document_, std::max(1, width), measure);
        SetViewSize(CSize(0, static_cast<int>(lines_.size()) * LineHeight()));
    }
    Invalidate();
}

void SRichEdit::OnSize(CSize size) {
    SPanel::OnSize(size);
    if (GetViewRect().Width() != wrapWidth_) Relayout();
}

void SRichEdit::OnPaint(IRenderTarget* rt) {
    DrawBackground(rt, GetWindowRect());
    const CRect view = GetViewRect();
    const int lineHeight = LineHeight();
    const int top = GetScrollPos(TRUE);
    rt->PushClipRect(view);
    const int first = top / lineHeight;
    for (int i = first; i < static_cast<int>(lines_.size()); ++i) {
        const int y = view.top + i * lineHeight - top;
        if (y >= view.bottom) break;
        if (lines_[static_cast<size_t>(i)].empty()) continue;
        rt->DrawText(lines_[static_cast<size_t>(i)], CRect(view.left, y, view.right, y + lineHeight),
                     DT_LEFT | DT_VCENTER | DT_SINGLELINE, GetFont(), GetTextColor());
    }
    rt->PopClip();
    DrawScrollBars(rt);
}

}  // namespace SOUI
