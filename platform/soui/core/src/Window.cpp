#include "soui/SWindow.h"

#include <algorithm>
#include <string_view>

#include "AttrParse.h"
#include "PosParse.h"
#include "SwndTimers.h"
#include "soui/SApplication.h"
#include "soui/SSkin.h"

namespace SOUI {

namespace {

SApplication* App() {
    return SApplication::getSingletonPtr();
}

// The nearest match below wnd, the first in breadth-first order, in one
// depth-first walk that goes no deeper than the nearest match so far (the
// first met at a level comes first at it in both orders). Item windows are
// searched on every refill: no queue is allocated.
template <class Match>
void FindNearest(const SWindow* wnd, int level, int depth, const Match& match, SWindow*& found,
                 int& foundLevel) {
    for (UINT i = 0; i < wnd->GetChildrenCount(); ++i) {
        if (found != nullptr && level >= foundLevel) return;
        SWindow* child = wnd->GetChild(i);
        if (match(*child)) {
            found = child;
            foundLevel = level;
            return;
        }
        if (depth < 0 || level < depth) FindNearest(child, level + 1, depth, match, found, foundLevel);
    }
}

// The children are searched even with a depth below one.
template <class Match>
SWindow* FindNearest(const SWindow* wnd, int depth, const Match& match) {
    SWindow* found = nullptr;
    int foundLevel = 0;
    FindNearest(wnd, 1, depth, match, found, foundLevel);
    return found;
}

}  // namespace

SWindow::SWindow() {
    eventSet_.addEvent(EVT_CMD, L"on_command");
    eventSet_.addEvent(EVT_STATECHANGED, L"on_state_changed");
    if (App()) font_ = App()->GetDefFont();
}

SWindow::~SWindow() {
    detail::KillAllTimers2(this);
    DestroyAllChildren();
    if (container_) container_->OnSwndDestroyed(this);
}

SWindow* SWindow::GetRoot() {
    SWindow* wnd = this;
    while (wnd->parent_) wnd = wnd->parent_;
    return wnd;
}

void SWindow::InsertChild(SWindow* child) {
    child->parent_ = this;
    child->SetContainer(container_);
    children_.push_back(child);
}

BOOL SWindow::DestroyChild(SWindow* child) {
    const auto it = std::find(children_.begin(), children_.end(), child);
    if (it == children_.end()) return FALSE;
    children_.erase(it);
    InvalidateRect(child->rect_);
    delete child;
    return TRUE;
}

void SWindow::DestroyAllChildren() {
    while (!children_.empty()) {
        SWindow* child = children_.back();
        children_.pop_back();
        delete child;
    }
}

void SWindow::SetContainer(ISwndContainer* container) {
    container_ = container;
    for (SWindow* child : children_) child->SetContainer(container);
}

SWindow* SWindow::FindChildByName(LPCWSTR name, int depth) {
    if (name == nullptr || *name == 0) return nullptr;
    const std::wstring_view wanted(name);
    return FindNearest(this, depth, [wanted](const SWindow& wnd) { return wnd.GetName() == wanted; });
}

SWindow* SWindow::FindChildByID(int id, int depth) {
    return FindNearest(this, depth, [id](const SWindow& wnd) { return wnd.GetID() == id; });
}

SStringW SWindow::GetWindowTextW(BOOL) const {
    return SStringW(text_.c_str());
}

void SWindow::SetWindowTextW(LPCWSTR text) {
    // Items refilled on every progress notice mostly set the text they show.
    if (text_ == (text ? text : L"")) return;
    text_ = text ? text : L"";
    const bool sizedByContent = pos_.size() != 4 && (size_.cx < 0 || size_.cy < 0);
    if (sizedByContent && parent_) {
        const CRect before = rect_;
        parent_->UpdateChildrenPosition();
        InvalidateRect(before);
    }
    Invalidate();
}

DWORD SWindow::ModifyState(DWORD add, DWORD remove, BOOL update) {
    const DWORD old = state_;
    state_ = (state_ & ~remove) | add;
    if (state_ == old) return old;
    if (update) Invalidate();
    EventSwndStateChanged evt(this);
    evt.dwOldState = old;
    evt.dwNewState = state_;
    FireEvent(&evt);
    return old;
}

void SWindow::EnableWindow(BOOL enable, BOOL update) {
    if (enable)
        ModifyState(0, WndState_Disable, update);
    else
        ModifyState(WndState_Disable, WndState_Hover | WndState_PushDown, update);
    for (SWindow* child : children_) child->EnableWindow(enable, update);
}

BOOL SWindow::IsDisabled(BOOL checkParent) const {
    if (state_ & WndState_Disable) return TRUE;
    return (checkParent && parent_) ? parent_->IsDisabled(TRUE) : FALSE;
}

void SWindow::SetVisible(BOOL visible, BOOL update) {
    const BOOL wasVisible = IsVisible(FALSE);
    if (visible)
        ModifyState(0, WndState_Invisible, FALSE);
    else
        ModifyState(WndState_Invisible, WndState_Hover | WndState_PushDown, FALSE);
    if (update && wasVisible != IsVisible(FALSE) && container_ && (!parent_ || parent_->IsVisible(TRUE))) {
        container_->OnRedraw(rect_);
    }
}

BOOL SWindow::IsVisible(BOOL checkParent) const {
    if (state_ & WndState_Invisible) return FALSE;
    return (checkParent && parent_) ? parent_->IsVisible(TRUE) : TRUE;
}

void SWindow::SetCheck(BOOL checked) {
    ModifyState(checked ? WndState_Check : 0, checked ? 0 : WndState_Check, TRUE);
}

CRect SWindow::GetClientRect() const {
    CRect rc = rect_;
    rc.DeflateRect(padding_);
    return rc;
}

void SWindow::Move(const CRect& rc) {
    rect_ = rc;
    OnSize(rc.Size());
    UpdateChildrenPosition();
}

void SWindow::UpdateChildrenPosition() {
    const CRect client = GetClientRect();
    for (SWindow* child : children_) child->Move(LayoutChild(*child, client));
}

CRect SWindow::LayoutChild(const SWindow& child, const CRect& parent) {
    if (child.pos_.size() == 4) {
        const int left = detail::ResolvePos(child.pos_[0], parent.left, parent.right, 0);
        const int top = detail::ResolvePos(child.pos_[1], parent.top, parent.bottom, 0);
        const int right = detail::ResolvePos(child.pos_[2], parent.left, parent.right, left);
        const int bottom = detail::ResolvePos(child.pos_[3], parent.top, parent.bottom, top);
        return CRect(left, top, std::max(left, right), std::max(top, bottom));
    }
    CSize size = child.size_;
    if (size.cx < 0 || size.cy < 0) {
        const CSize desired = const_cast<SWindow&>(child).GetDesiredSize(parent.Width(), parent.Height());
        if (size.cx < 0) size.cx = desired.cx;
        if (size.cy < 0) size.cy = desired.cy;
    }
    if (child.pos_.size() != 2) {
        // No position: a window without a size fills its parent.
        if (child.size_.cx < 0 && child.size_.cy < 0) return parent;
        return CRect(parent.TopLeft(), size);
    }
    int left = detail::ResolvePos(child.pos_[0], parent.left, parent.right, 0);
    int top = detail::ResolvePos(child.pos_[1], parent.top, parent.bottom, 0);
    left += static_cast<int>(child.offsetX_ * static_cast<float>(size.cx));
    top += static_cast<int>(child.offsetY_ * static_cast<float>(size.cy));
    return CRect(CPoint(left, top), size);
}

CSize SWindow::GetDesiredSize(int, int) {
    CSize size;
    if (!text_.empty() && App()) size = App()->MeasureText(text_, font_);
    if (bkgndSkin_) {
        const CSize skin = bkgndSkin_->GetSkinSize();
        size.cx = std::max(size.cx, skin.cx);
        size.cy = std::max(size.cy, skin.cy);
    }
    size.cx += padding_.left + padding_.right;
    size.cy += padding_.top + padding_.bottom;
    return size;
}

SWindow* SWindow::SwndFromPoint(CPoint pt) {
    if (!IsVisible(FALSE) || !rect_.PtInRect(pt)) return nullptr;
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        if (SWindow* hit = (*it)->SwndFromPoint(pt)) return hit;
    }
    return msgTransparent_ ? nullptr : this;
}

void SWindow::Invalidate() {
    InvalidateRect(rect_);
}

void SWindow::InvalidateRect(const CRect& rc) {
    if (container_ && IsVisible(TRUE)) container_->OnRedraw(rc);
}

void SWindow::RedrawTree(IRenderTarget* rt, const CRect& dirty) {
    if (!IsVisible(FALSE)) return;
    const CRect area = rect_ & dirty;
    if (area.IsRectEmpty()) return;
    rt->PushClipRect(area);
    OnPaintArea(rt, area);
    for (SWindow* child : children_) child->RedrawTree(rt, area);
    rt->PopClip();
}

SColor SWindow::GetTextColor() const {
    return colorText_;
}

BOOL SWindow::FireEvent(EventArgs* evt) {
    if (eventSet_.isMuted()) return FALSE;
    eventSet_.FireEvent(*evt);
    if (evt->bubbleUp) {
        if (owner_)
            owner_->FireEvent(evt);
        else if (container_)
            container_->OnFireEvent(evt);
    }
    return evt->handled > 0 ? TRUE : FALSE;
}

BOOL SWindow::FireCommand() {
    EventCmd evt(this);
    return FireEvent(&evt);
}

BOOL SWindow::ProcessSwndMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    msgHandled_ = TRUE;
    const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    const UINT flags = static_cast<UINT>(wParam);
    switch (msg) {
        case WM_LBUTTONDOWN:
            OnLButtonDown(flags, pt);
            break;
        case WM_LBUTTONUP:
            OnLButtonUp(flags, pt);
            break;
        case WM_MOUSEMOVE:
            OnMouseMove(flags, pt);
            break;
        case WM_MOUSEHOVER:
            OnMouseHover(flags, pt);
            break;
        case WM_MOUSELEAVE:
            OnMouseLeave();
            break;
        default:
            msgHandled_ = FALSE;
            break;
    }
    result = 0;
    return msgHandled_;
}

HRESULT SWindow::SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) {
    using namespace detail;
    HRESULT hr = S_OK;
    if (name == L"name") {
        name_ = value;
        hr = S_FALSE;
    } else if (name == L"id") {
        id_ = ToInt(value);
        hr = S_FALSE;
    } else if (name == L"text") {
        text_ = App() ? App()->ResolveString(value) : value;
    } else if (name == L"tip") {
        tip_ = App() ? App()->ResolveString(value) : value;
        hr = S_FALSE;
    } else if (name == L"pos") {
        pos_ = ParsePos(value);
    } else if (name == L"size") {
        const auto v = ParseIntList(value);
        if (v.size() == 2) size_ = CSize(v[0], v[1]);
    } else if (name == L"width") {
        size_.cx = ToInt(value);
    } else if (name == L"height") {
        size_.cy = ToInt(value);
    } else if (name == L"offset") {
        ParseOffset(value, &offsetX_, &offsetY_);
    } else if (name == L"show" || name == L"visible") {
        SetVisible(ToBool(value) ? TRUE : FALSE, !loading);
        hr = S_FALSE;
    } else if (name == L"enable") {
        EnableWindow(ToBool(value) ? TRUE : FALSE, !loading);
        hr = S_FALSE;
    } else if (name == L"check") {
        SetCheck(ToBool(value) ? TRUE : FALSE);
        hr = S_FALSE;
    } else if (name == L"colorText") {
        if (!ParseColor(value, &colorText_)) hr = E_FAIL;
    } else if (name == L"colorBkgnd") {
        if (!ParseColor(value, &colorBkgnd_)) hr = E_FAIL;
    } else if (name == L"colorBorder") {
        if (!ParseColor(value, &colorBorder_)) hr = E_FAIL;
    } else if (name == L"skin") {
        bkgndSkin_ = App() ? App()->GetSkin(value) : nullptr;
    } else if (name == L"font") {
        font_ = ParseFont(value, App() ? App()->GetDefFont() : SFontDesc{});
    } else if (name == L"align") {
        textAlign_ &= ~(DT_CENTER | DT_RIGHT);
        if (value == L"center")
            textAlign_ |= DT_CENTER;
        else if (value == L"right")
            textAlign_ |= DT_RIGHT;
    } else if (name == L"valign") {
        textAlign_ &= ~(DT_VCENTER | DT_BOTTOM);
        if (value == L"middle" || value == L"center")
            textAlign_ |= DT_VCENTER;
        else if (value == L"bottom")
            textAlign_ |= DT_BOTTOM;
    } else if (name == L"multiLines") {
        if (ToBool(value))
            textAlign_ = (textAlign_ & ~DT_SINGLELINE) | DT_WORDBREAK;
        else
            textAlign_ = (textAlign_ & ~DT_WORDBREAK) | DT_SINGLELINE;
    } else if (name == L"padding" || name == L"margin") {
        if (!ParseRect(value, &padding_)) hr = E_FAIL;
    } else if (name == L"msgTransparent") {
        msgTransparent_ = ToBool(value) ? TRUE : FALSE;
        hr = S_FALSE;
    } else if (name == L"class") {
        if (App()) {
            for (SXmlAttr attr : App()->GetStyle(value).attributes()) {
                const std::wstring styleName = Utf8ToWide(attr.name());
                if (styleName != L"name") SetAttribute(styleName, Utf8ToWide(attr.value()), loading);
            }
        }
    } else {
        hr = E_FAIL;
    }
    const bool moves =
        name == L"pos" || name == L"size" || name == L"width" || name == L"height" || name == L"offset";
    if (moves && !loading && parent_) {
        const CRect before = rect_;
        parent_->UpdateChildrenPosition();
        InvalidateRect(before);
    }
    return AfterAttribute(name, value, loading, hr);
}

HRESULT SWindow::AfterAttribute(const std::wstring&, const std::wstring&, BOOL loading, HRESULT hr) {
    if (!loading && hr == S_OK) Invalidate();
    return hr;
}

BOOL SWindow::InitFromXml(SXmlNode node) {
    using detail::Utf8ToWide;
    if (!node) return FALSE;
    if (App()) {
        for (SXmlAttr attr : App()->GetObjDefAttr(GetObjectClass()).attributes()) {
            SetAttribute(Utf8ToWide(attr.name()), Utf8ToWide(attr.value()), TRUE);
        }
    }
    // A style class comes before the node's own attributes, which override it.
    if (SXmlAttr cls = node.attribute("class")) SetAttribute(L"class", Utf8ToWide(cls.value()), TRUE);
    for (SXmlAttr attr : node.attributes()) {
        const std::wstring name = Utf8ToWide(attr.name());
        if (name != L"class") SetAttribute(name, Utf8ToWide(attr.value()), TRUE);
    }
    if (!node.attribute("text")) {
        const std::wstring inner = Utf8ToWide(node.text().get());
        if (!inner.empty()) text_ = App() ? App()->ResolveString(inner) : inner;
    }
    const BOOL created = CreateChildren(node);
    OnInitFinished(node);
    return created;
}

BOOL SWindow::CreateChildren(SXmlNode node) {
    SApplication* app = App();
    if (app == nullptr) return FALSE;
    for (SXmlNode childNode : node.children()) {
        if (childNode.type() != pugi::node_element) continue;
        const std::wstring tag = detail::Utf8ToWide(childNode.name());
        if (tag == L"include") {
            SXmlDoc included;
            if (app->LoadXmlDocment(included, detail::Utf8ToWide(childNode.attribute("src").value()))) {
                CreateChildren(included.document_element());
            }
            continue;
        }
        SObject* obj = app->CreateObject(tag, Window);
        auto* child = dynamic_cast<SWindow*>(obj);
        if (child == nullptr) {
            delete obj;  // not a window: data for the parent
            continue;
        }
        InsertChild(child);
        if (!child->InitFromXml(childNode)) DestroyChild(child);
    }
    return TRUE;
}

void SWindow::OnPaintArea(IRenderTarget* rt, const CRect&) {
    OnPaint(rt);
}

void SWindow::OnPaint(IRenderTarget* rt) {
    DrawBackground(rt, rect_);
    DrawTextContent(rt, GetClientRect(), text_);
}

void SWindow::DrawBackground(IRenderTarget* rt, const CRect& rc) {
    if (colorBkgnd_ >> 24) rt->FillRect(rc, colorBkgnd_);
    if (bkgndSkin_) bkgndSkin_->DrawByState(rt, rc, SkinStateIndex());
    if (colorBorder_ >> 24) rt->DrawRectangle(rc, colorBorder_, 1);
}

void SWindow::DrawTextContent(IRenderTarget* rt, const CRect& rc, const std::wstring& text) {
    if (!text.empty()) rt->DrawText(text, rc, textAlign_, font_, GetTextColor());
}

int SWindow::SkinStateIndex() const {
    int index = 0;
    if (IsDisabled(TRUE))
        index = 3;
    else if (state_ & WndState_PushDown)
        index = 2;
    else if (state_ & WndState_Hover)
        index = 1;
    const int states = bkgndSkin_ ? bkgndSkin_->GetStates() : 1;
    return index < states ? index : 0;
}

void SWindow::OnLButtonDown(UINT, CPoint) {
    ModifyState(WndState_PushDown, 0, TRUE);
    if (container_) container_->OnSetSwndCapture(this);
}

void SWindow::OnLButtonUp(UINT, CPoint pt) {
    const bool pushed = (state_ & WndState_PushDown) != 0;
    if (container_) container_->OnReleaseSwndCapture(this);
    ModifyState(0, WndState_PushDown, TRUE);
    // Last: the command may end the window.
    if (pushed && rect_.PtInRect(pt)) OnClick();
}

void SWindow::OnMouseMove(UINT, CPoint) {}

void SWindow::OnMouseHover(UINT, CPoint) {
    ModifyState(WndState_Hover, 0, TRUE);
}

void SWindow::OnMouseLeave() {
    ModifyState(0, WndState_Hover, TRUE);
}

void SWindow::OnClick() {
    if (!name_.empty() || id_ != 0) FireCommand();
}

void SWindow::OnSize(CSize) {}

}  // namespace SOUI
