#pragma once
// The framework's basic controls.
#include "soui/SSkin.h"
#include "soui/SWindow.h"

namespace SOUI {

// "div": a plain container.
class SDiv : public SWindow {
    SOUI_CLASS_NAME(SWindow, L"div")
};

// "text": a line of text.
class SStatic : public SWindow {
    SOUI_CLASS_NAME(SWindow, L"text")

public:
    SStatic();
};

// "button": text over a 4-state skin (normal, hover, pushed, disabled).
class SButton : public SWindow {
    SOUI_CLASS_NAME(SWindow, L"button")

public:
    SButton();
};

// "imgbtn": a button drawn only by its 4-state skin (text optional).
class SImageButton : public SButton {
    SOUI_CLASS_NAME(SButton, L"imgbtn")
};

// "link": a button that looks like a web link.
class SLink : public SButton {
    SOUI_CLASS_NAME(SButton, L"link")

public:
    SLink();

protected:
    void OnPaint(IRenderTarget* rt) override;
};

// "check": an 8-state skin (4 unchecked, 4 checked) with text at its right;
// a click toggles the check state, then fires the command event.
class SCheckBox : public SWindow {
    SOUI_CLASS_NAME(SWindow, L"check")

public:
    SCheckBox();
    HRESULT SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) override;
    CSize GetDesiredSize(int maxWidth, int maxHeight) override;

protected:
    void OnPaint(IRenderTarget* rt) override;
    void OnClick() override;

private:
    SSkinObjBase* checkSkin_ = nullptr;
};

// "img": a picture given by the "skin" attribute ("iconIndex": its state).
class SImageWnd : public SWindow {
    SOUI_CLASS_NAME(SWindow, L"img")

public:
    HRESULT SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) override;
    CSize GetDesiredSize(int maxWidth, int maxHeight) override;
    BOOL SetSkin(SSkinObjBase* skin, int frame = 0);
    SSkinObjBase* GetSkin() const { return GetBkgndSkin(); }

protected:
    void OnPaint(IRenderTarget* rt) override;

private:
    int frame_ = 0;
};

// "page": one page of a tab control.
class STabPage : public SWindow {
    SOUI_CLASS_NAME(SWindow, L"page")

public:
    HRESULT SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) override;
    const std::wstring& GetTitle() const { return title_; }

private:
    std::wstring title_;
};

// "tabctrl": pages that fill the control, of which only the current one
// shows; no tab headers ("curSel": the page shown at load).
class STabCtrl : public SWindow {
    SOUI_CLASS_NAME(SWindow, L"tabctrl")

public:
    HRESULT SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) override;
    BOOL CreateChildren(SXmlNode node) override;
    // FALSE (and nothing changes) for an index that names no page.
    BOOL SetCurSel(int index);
    int GetCurSel() const { return curSel_; }
    int GetItemCount() const;
    STabPage* GetItem(int index) const;

private:
    int curSel_ = 0;
};

// "progress": a background skin and a fore skin cut to the value.
class SProgress : public SWindow {
    SOUI_CLASS_NAME(SWindow, L"progress")

public:
    SProgress();
    HRESULT SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) override;
    // Clamped to the range.
    BOOL SetValue(int value);
    int GetValue() const { return value_; }
    void SetRange(int minValue, int maxValue);
    void GetRange(int* minValue, int* maxValue) const;

protected:
    void OnPaint(IRenderTarget* rt) override;

private:
    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
    SSkinObjBase* bkgnd_ = nullptr;
    SSkinObjBase* pos_ = nullptr;
};

// "animateimg": plays the states of its skin as frames, one every "speed"
// milliseconds, between Start and Stop ("autoStart" starts it at load).
class SAnimateImgWnd : public SWindow {
    SOUI_CLASS_NAME(SWindow, L"animateimg")

public:
    SAnimateImgWnd();
    ~SAnimateImgWnd() override;
    HRESULT SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) override;
    CSize GetDesiredSize(int maxWidth, int maxHeight) override;
    void Start();
    void Stop();
    BOOL IsPlaying() const { return playing_; }
    int GetCurFrame() const { return frame_; }
    int GetSpeed() const { return speed_; }

protected:
    void OnPaint(IRenderTarget* rt) override;
    void OnInitFinished(SXmlNode node) override;

private:
    struct Ticker;
    void NextFrame();
    SSkinObjBase* skin_ = nullptr;
    int speed_ = 50;
    int frame_ = 0;
    BOOL autoStart_ = FALSE;
    BOOL playing_ = FALSE;
    Ticker* ticker_ = nullptr;
};

// "caption": dragging it moves the host window.
class SCaption : public SWindow {
    SOUI_CLASS_NAME(SWindow, L"caption")

protected:
    void OnLButtonDown(UINT flags, CPoint pt) override;
    void OnLButtonUp(UINT flags, CPoint pt) override;
    void OnMouseMove(UINT flags, CPoint pt) override;

private:
    BOOL dragging_ = FALSE;
    CPoint grabOffset_;
};

}  // namespace SOUI
