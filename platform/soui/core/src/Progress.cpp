#include <algorithm>

#include "AttrParse.h"
#include "soui/SApplication.h"
#include "soui/SControls.h"

namespace SOUI {

namespace {

SSkinObjBase* NamedSkin(const std::wstring& name) {
    SApplication* app = SApplication::getSingletonPtr();
    return app ? app->GetSkin(name) : nullptr;
}

}  // namespace

SProgress::SProgress() : bkgnd_(NamedSkin(L"_skin.sys.prog.bkgnd")), pos_(NamedSkin(L"_skin.sys.prog.bar")) {}

HRESULT SProgress::SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) {
    using detail::ToInt;
    HRESULT hr = S_OK;
    if (name == L"bkgndSkin")
        bkgnd_ = NamedSkin(value);
    else if (name == L"posSkin")
        pos_ = NamedSkin(value);
    else if (name == L"min")
        SetRange(ToInt(value), max_);
    else if (name == L"max")
        SetRange(min_, ToInt(value));
    else if (name == L"value")
        SetValue(ToInt(value));
    else
        return SWindow::SetAttribute(name, value, loading);
    return AfterAttribute(name, value, loading, hr);
}

BOOL SProgress::SetValue(int value) {
    const int clamped = std::clamp(value, min_, std::max(min_, max_));
    if (clamped == value_) return TRUE;
    value_ = clamped;
    Invalidate();
    return TRUE;
}

void SProgress::SetRange(int minValue, int maxValue) {
    if (minValue == min_ && std::max(minValue, maxValue) == max_) return;
    min_ = minValue;
    max_ = std::max(minValue, maxValue);
    value_ = std::clamp(value_, min_, max_);
    Invalidate();
}

void SProgress::GetRange(int* minValue, int* maxValue) const {
    if (minValue) *minValue = min_;
    if (maxValue) *maxValue = max_;
}

void SProgress::OnPaint(IRenderTarget* rt) {
    const CRect rc = GetWindowRect();
    DrawBackground(rt, rc);
    if (bkgnd_) bkgnd_->DrawByState(rt, rc, 0);
    if (!pos_ || max_ <= min_ || value_ <= min_) return;
    CRect bar = GetClientRect();
    bar.right =
        bar.left + static_cast<int>(static_cast<long long>(bar.Width()) * (value_ - min_) / (max_ - min_));
    pos_->DrawByState(rt, bar, 0);
}

}  // namespace SOUI
