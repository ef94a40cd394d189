#include <QTimer>

#include "AttrParse.h"
#include "soui/SApplication.h"
#include "soui/SControls.h"

namespace SOUI {

struct SAnimateImgWnd::Ticker {
    QTimer timer;
};

SAnimateImgWnd::SAnimateImgWnd() : ticker_(new Ticker) {
    QObject::connect(&ticker_->timer, &QTimer::timeout, [this] { NextFrame(); });
}

SAnimateImgWnd::~SAnimateImgWnd() {
    delete ticker_;
}

HRESULT SAnimateImgWnd::SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) {
    if (name == L"skin") {
        SApplication* app = SApplication::getSingletonPtr();
        skin_ = app ? app->GetSkin(value) : nullptr;
        frame_ = 0;
        return AfterAttribute(name, value, loading, S_OK);
    }
    if (name == L"speed") {
        speed_ = std::max(1, detail::ToInt(value));
        if (playing_) ticker_->timer.start(speed_);
        return AfterAttribute(name, value, loading, S_FALSE);
    }
    if (name == L"autoStart") {
        autoStart_ = detail::ToBool(value) ? TRUE : FALSE;
        return AfterAttribute(name, value, loading, S_FALSE);
    }
    return SWindow::SetAttribute(name, value, loading);
}

CSize SAnimateImgWnd::GetDesiredSize(int, int) {
    return skin_ ? skin_->GetSkinSize() : CSize();
}

void SAnimateImgWnd::OnInitFinished(SXmlNode) {
    if (autoStart_) Start();
}

void SAnimateImgWnd::Start() {
    if (playing_ || !skin_) return;
    playing_ = TRUE;
    ticker_->timer.start(speed_);
}

void SAnimateImgWnd::Stop() {
    if (!playing_) return;
    playing_ = FALSE;
    ticker_->timer.stop();
}

void SAnimateImgWnd::NextFrame() {
    if (!skin_) return;
    frame_ = (frame_ + 1) % skin_->GetStates();
    Invalidate();
}

void SAnimateImgWnd::OnPaint(IRenderTarget* rt) {
    DrawBackground(rt, GetWindowRect());
    if (skin_) skin_->DrawByState(rt, GetWindowRect(), frame_);
}

}  // namespace SOUI
