#include "soui/STestApi.h"

#include <QCoreApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWindow>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <thread>

#include "core/src/MessageBoxHook.h"
#include "core/src/NativeImpl.h"
#include "core/src/QtApp.h"
#include "soui/SApplication.h"
#include "soui/SHostWnd.h"

namespace SOUI::test {

namespace {

bool IsWithin(SWindow* wnd, SWindow* ancestor) {
    for (; wnd; wnd = wnd->GetParent()) {
        if (wnd == ancestor) return true;
    }
    return false;
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void PressKeyOn(QWidget* widget, Qt::Key key) {
    if (!widget) return;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

// The first shown control of that name; hidden pages may hold namesakes.
SWindow* FindShown(SWindow* parent, const wchar_t* name) {
    std::deque<SWindow*> queue{parent};
    while (!queue.empty()) {
        SWindow* wnd = queue.front();
        queue.pop_front();
        if (wnd != parent && wnd->GetName() == name) return wnd;
        for (UINT i = 0; i < wnd->GetChildrenCount(); ++i) {
            if (wnd->GetChild(i)->IsVisible(FALSE)) queue.push_back(wnd->GetChild(i));
        }
    }
    return nullptr;
}

std::wstring ShownText(SHostWnd& host, const wchar_t* name, const std::wstring& otherwise) {
    SWindow* wnd = host.GetRoot() ? FindShown(host.GetRoot(), name) : nullptr;
    return wnd ? std::wstring(wnd->GetWindowTextW().c_str()) : otherwise;
}

// The centre of a shown control in its host's client area, or nothing.
bool TargetPoint(SHostWnd& host, const wchar_t* name, QPoint* pos) {
    SWindow* wnd = host.GetRoot() ? FindShown(host.GetRoot(), name) : nullptr;
    if (!wnd || !NativeAccess::Widget(&host)) return false;
    const CRect rc =
        wnd->GetContainer() ? wnd->GetContainer()->FrameToHost(wnd->GetWindowRect()) : wnd->GetWindowRect();
    if (rc.IsRectEmpty()) return false;
    const CPoint c = rc.CenterPoint();
    if (!IsWithin(host.GetRoot()->SwndFromPoint(c), wnd)) return false;
    *pos = QPoint(c.x, c.y);
    return true;
}

}  // namespace

void UseOffscreenPlatform() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

bool Hover(SHostWnd& host, const wchar_t* name) {
    QPoint pos;
    if (!TargetPoint(host, name, &pos)) return false;
    SendMouse(NativeAccess::Widget(&host), QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
    return true;
}

bool Press(SHostWnd& host, const wchar_t* name) {
    QPoint pos;
    if (!TargetPoint(host, name, &pos)) return false;
    QWidget* widget = NativeAccess::Widget(&host);
    SendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
    SendMouse(widget, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
    return true;
}

bool Release(SHostWnd& host, const wchar_t* name) {
    QPoint pos;
    if (!TargetPoint(host, name, &pos)) return false;
    SendMouse(NativeAccess::Widget(&host), QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
    return true;
}

bool Click(SHostWnd& host, const wchar_t* name) {
    QPoint pos;
    if (!TargetPoint(host, name, &pos)) return false;
    QWidget* widget = NativeAccess::Widget(&host);
    SendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
    SendMouse(widget, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
    // The press may have ended the window.
    if ((widget = NativeAccess::Widget(&host)) != nullptr) {
        SendMouse(widget, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
    }
    return true;
}

void MouseAway(SHostWnd& host) {
    if (QWidget* widget = NativeAccess::Widget(&host)) {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(widget, &leave);
    }
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void Pump(std::chrono::milliseconds duration) {
    PumpUntil([] { return false; }, duration);
}

std::vector<int> WindowIconSizes(SHostWnd& host) {
    std::vector<int> sizes;
    if (QWidget* widget = NativeAccess::Widget(&host)) {
        for (const QSize& size : widget->windowIcon().availableSizes()) sizes.push_back(size.width());
    }
    std::sort(sizes.begin(), sizes.end());
    return sizes;
}

std::wstring ShownToolTip() {
    return QToolTip::isVisible() ? detail::FromQString(QToolTip::text()) : std::wstring();
}

struct MessageBoxAnswerer::State : detail::IMessageBoxHook {
    std::deque<int> answers;
    int fallback = IDOK;
    std::vector<std::wstring> texts;
    std::vector<std::wstring> captions;
    std::vector<std::wstring> labels;
    int failures = 0;
    detail::IMessageBoxHook* previous = nullptr;

    int Next(const std::wstring& text, const std::wstring& caption) {
        texts.push_back(text);
        captions.push_back(caption);
        if (answers.empty()) return fallback;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    int OnSystemBox(const std::wstring& text, const std::wstring& caption, UINT) override {
        return Next(text, caption);
    }

    void OnFrameworkBox(SHostDialog& box, const std::wstring& text, const std::wstring& caption,
                        const std::vector<int>& buttonIds) override {
        // What the box shows, as its template laid it out.
        const int answer = Next(ShownText(box, L"msgtext", text), ShownText(box, L"msgtitle", caption));
        labels.clear();
        for (const wchar_t* name : detail::kMsgBoxButtonNames) {
            if (SWindow* button = FindShown(box.GetRoot(), name))
                labels.emplace_back(button->GetWindowTextW().c_str());
        }
        if (answer == kPressReturn || answer == kPressEscape) {
            PressKeyOn(NativeAccess::Widget(&box), answer == kPressReturn ? Qt::Key_Return : Qt::Key_Escape);
            return;
        }
        const auto it = std::find(buttonIds.begin(), buttonIds.end(), answer);
        const std::size_t index =
            it == buttonIds.end() ? 0 : static_cast<std::size_t>(it - buttonIds.begin());
        if (index < 3 && Click(box, detail::kMsgBoxButtonNames[index])) return;
        ++failures;
        box.EndDialog(answer);
    }
};

MessageBoxAnswerer::MessageBoxAnswerer(std::vector<int> answers, int fallback)
    : state_(std::make_shared<State>()) {
    state_->answers.assign(answers.begin(), answers.end());
    state_->fallback = fallback;
    state_->previous = detail::GetMessageBoxHook();
    detail::SetMessageBoxHook(state_.get());
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    detail::SetMessageBoxHook(state_->previous);
}

void MessageBoxAnswerer::Queue(int answer) {
    state_->answers.push_back(answer);
}

std::vector<std::wstring> MessageBoxAnswerer::Texts() const {
    return state_->texts;
}

std::vector<std::wstring> MessageBoxAnswerer::Captions() const {
    return state_->captions;
}

int MessageBoxAnswerer::Failures() const {
    return state_->failures;
}

std::vector<std::wstring> MessageBoxAnswerer::LastButtonLabels() const {
    return state_->labels;
}

bool SaveWindowAsPng(SHostWnd& host, const std::wstring& path) {
    SApplication* app = SApplication::getSingletonPtr();
    IRenderFactory* render = app ? app->GetRenderFactory() : nullptr;
    IImgDecoderFactory* decoder = render ? render->GetImgDecoderFactory() : nullptr;
    const SImageData image = host.RenderToImage();
    return decoder && image.width > 0 && decoder->SavePng(image, path);
}

std::uintptr_t NativeWindowId(SNativeWnd& wnd) {
    QWidget* widget = NativeAccess::Widget(&wnd);
    QWindow* window = widget != nullptr ? widget->windowHandle() : nullptr;
    return window != nullptr ? static_cast<std::uintptr_t>(window->winId()) : 0;
}

}  // namespace SOUI::test
