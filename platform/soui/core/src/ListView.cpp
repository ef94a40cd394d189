#include "soui/SListView.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <utility>

#include "AttrParse.h"
#include "QtApp.h"

namespace SOUI {

class SListView::Observer : public ILvDataSetObserver {
public:
    explicit Observer(SListView* list) : list_(list) {}
    void onChanged() override { list_->OnDataChanged(true); }
    void onInvalidated() override {
        list_->ReleaseAllItems();
        list_->OnDataChanged(true);
    }

private:
    SListView* list_;
};

// Every item of one height ("itemHeight").
class SListView::FixedLocator : public IListViewItemLocator {
public:
    explicit FixedLocator(const SListView* list) : list_(list) {}
    int GetItemHeight(int) const override { return height; }
    int GetTotalHeight() const override { return Count() * height; }
    int Item2Position(int iItem) const override { return iItem * height; }
    int Position2Item(int position) const override { return height > 0 ? position / height : 0; }

    int height = 30;

private:
    int Count() const { return list_->adapter_ ? std::max(0, list_->adapter_->getCount()) : 0; }
    const SListView* list_;
};

SListView::SListView()
    : observer_(std::make_unique<Observer>(this)), locator_(std::make_unique<FixedLocator>(this)) {
    GetEventSet()->addEvent(EVT_LV_SELCHANGED, EventLVSelChanged::GetClassName());
}

SListView::~SListView() {
    if (adapter_) adapter_->unregisterDataSetObserver(observer_.get());
    for (auto& [pos, panel] : shown_) delete panel;
    for (auto& [type, panels] : recycled_) {
        for (SItemPanel* panel : panels) delete panel;
    }
}

IListViewItemLocator* SListView::GetItemLocator() const {
    return locator_.get();
}

HRESULT SListView::SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) {
    HRESULT hr = S_OK;
    if (name == L"itemHeight") {
        locator_->height = std::max(1, detail::ToInt(value));
    } else if (name == L"itemWidth") {
        itemWidth_ = std::max(0, detail::ToInt(value));
    } else if (name == L"colorItemBkgnd") {
        if (!detail::ParseColor(value, &colorItemBkgnd_)) hr = E_FAIL;
    } else if (name == L"colorItemHotBkgnd") {
        if (!detail::ParseColor(value, &colorItemHot_)) hr = E_FAIL;
    } else if (name == L"colorItemSelBkgnd") {
        if (!detail::ParseColor(value, &colorItemSel_)) hr = E_FAIL;
    } else {
        return SPanel::SetAttribute(name, value, loading);
    }
    if (!loading) OnDataChanged(false);
    return AfterAttribute(name, value, loading, hr);
}

BOOL SListView::CreateChildren(SXmlNode node) {
    template_.reset();
    if (SXmlNode item = node.child("template")) {
        template_.append_copy(item);
        if (SXmlAttr height = item.attribute("itemHeight")) locator_->height = std::max(1, height.as_int(1));
    }
    return TRUE;
}

BOOL SListView::SetAdapter(ILvAdapter* adapter) {
    if (adapter == adapter_) return TRUE;
    if (adapter_) adapter_->unregisterDataSetObserver(observer_.get());
    RetireAllItems();
    adapter_ = adapter;
    if (adapter_) adapter_->registerDataSetObserver(observer_.get());
    sel_ = -1;
    hot_ = -1;
    pressed_ = -1;
    SetScrollPos(TRUE, 0, FALSE);
    OnDataChanged(true);
    // Rows of the old adapter go, the selection and hot colours too.
    Invalidate();
    return TRUE;
}

void SListView::OnDataChanged(bool rebind) {
    const int count = adapter_ ? adapter_->getCount() : 0;
    // Another count moves the scroll bar and may add or take rows; a dropped
    // selection loses its colour; bars that come or go resize every row.
    bool repaintAll = count != drawnCount_ || sel_ >= count;
    if (sel_ >= count) sel_ = -1;
    drawnCount_ = count;
    const CRect view = GetViewRect();
    SetViewSize(CSize(itemWidth_, locator_->GetTotalHeight()));
    repaintAll = repaintAll || GetViewRect() != view || !rebind;
    UpdateVisibleItems(rebind, repaintAll);
}

void SListView::Recycle(SItemPanel* panel) {
    panel->SetItemIndex(-1);
    panel->ForgetDrawing();
    recycled_[panel->GetViewType()].push_back(panel);
}

void SListView::ReleaseAllItems() {
    for (auto& [pos, panel] : shown_) Recycle(panel);
    shown_.clear();
}

void SListView::RetireAllItems() {
    // Item windows hold what the old adapter put there, its handlers too: the
    // new adapter builds its own. They go once the current message is done,
    // as one of them may be delivering it.
    ReleaseAllItems();
    std::vector<SItemPanel*> retired;
    for (auto& [type, panels] : recycled_) retired.insert(retired.end(), panels.begin(), panels.end());
    recycled_.clear();
    capturePanel_ = nullptr;
    if (retired.empty()) return;
    detail::EnsureQtApplication();
    QTimer::singleShot(0, QCoreApplication::instance(), [retired] {
        for (SItemPanel* panel : retired) delete panel;
    });
}

SItemPanel* SListView::TakePanel(int viewType) {
    auto& pool = recycled_[viewType];
    if (pool.empty()) return new SItemPanel(this, viewType);
    SItemPanel* panel = pool.back();
    pool.pop_back();
    return panel;
}

int SListView::ItemWidth() const {
    return std::max(itemWidth_, GetViewRect().Width());
}

void SListView::UpdateVisibleItems(bool rebind, bool repaintAll) {
    repaintAll_ = repaintAll_ || repaintAll;
    // A getView or handler may change the data again while items are filled.
    if (updating_) {
        updateAgain_ = true;
        return;
    }
    updating_ = true;
    std::vector<std::pair<int, CRect>> changed;  // position, the part of the item
    do {
        updateAgain_ = false;
        const int count = adapter_ ? adapter_->getCount() : 0;
        const CRect view = GetViewRect();
        const int top = GetScrollPos(TRUE);
        int first = 0;
        int last = -1;
        if (count > 0 && view.Height() > 0) {
            first = std::clamp(locator_->Position2Item(top), 0, count - 1);
            last = std::clamp(locator_->Position2Item(top + view.Height() - 1), first, count - 1);
        }
        for (auto it = shown_.begin(); it != shown_.end();) {
            if (it->first < first || it->first > last) {
                Recycle(it->second);
                it = shown_.erase(it);
                repaintAll_ = true;
            } else {
                ++it;
            }
        }
        for (int pos = first; pos <= last && !updateAgain_; ++pos) {
            const int viewType =
                adapter_->getItemViewType(pos, pos == sel_ ? WndState_Check : WndState_Normal);
            SItemPanel*& panel = shown_[pos];
            const bool fresh = panel == nullptr || panel->GetViewType() != viewType;
            if (panel != nullptr && fresh) Recycle(panel);
            if (fresh) panel = TakePanel(viewType);
            if (!fresh && !rebind) continue;
            SItemPanel* item = panel;
            item->SetItemIndex(pos);
            item->SetOrigin(
                CPoint(view.left - GetScrollPos(FALSE), view.top + locator_->Item2Position(pos) - top));
            // After a data change only what the refill changed in the drawing
            // of the items is painted again (all of a new one).
            if (rebind) item->BeginRefill();
            adapter_->getView(pos, item, GetTemplate());
            item->Move(CRect(0, 0, ItemWidth(), locator_->GetItemHeight(pos)));
            if (rebind) {
                const CRect part = item->EndRefill();
                if (!part.IsRectEmpty()) changed.emplace_back(pos, part);
            }
        }
        if (updateAgain_) rebind = true;
    } while (updateAgain_);
    updating_ = false;
    PlaceItems();
    if (std::exchange(repaintAll_, false)) {
        Invalidate();
        return;
    }
    for (auto [pos, part] : changed) {
        const SItemPanel* panel = GetItemPanel(pos);
        if (panel == nullptr) continue;
        part.OffsetRect(panel->GetOrigin().x, panel->GetOrigin().y);
        InvalidateRect(part & GetViewRect());
    }
}

void SListView::PlaceItems() {
    const CRect view = GetViewRect();
    const int top = GetScrollPos(TRUE);
    const int left = GetScrollPos(FALSE);
    for (auto& [pos, panel] : shown_) {
        panel->SetOrigin(CPoint(view.left - left, view.top + locator_->Item2Position(pos) - top));
        const CSize size(ItemWidth(), locator_->GetItemHeight(pos));
        if (panel->GetWindowRect().Size() != size) panel->Move(CRect(CPoint(0, 0), size));
    }
}

SItemPanel* SListView::GetItemPanel(int iItem) const {
    const auto it = shown_.find(iItem);
    return it != shown_.end() ? it->second : nullptr;
}

int SListView::GetItemPanelCount() const {
    size_t count = shown_.size();
    for (const auto& [type, panels] : recycled_) count += panels.size();
    return static_cast<int>(count);
}

SItemPanel* SListView::PanelAt(CPoint pt) const {
    if (!GetViewRect().PtInRect(pt)) return nullptr;
    for (const auto& [pos, panel] : shown_) {
        if (CRect(panel->GetOrigin(), panel->GetWindowRect().Size()).PtInRect(pt)) return panel;
    }
    return nullptr;
}

void SListView::SetSel(int iItem, BOOL notify) {
    const int count = adapter_ ? adapter_->getCount() : 0;
    if (iItem < -1 || iItem >= count) iItem = -1;
    const int old = sel_;
    sel_ = iItem;
    if (iItem >= 0) EnsureVisible(iItem);
    Invalidate();
    if (notify && old != iItem) {
        EventLVSelChanged evt(this);
        evt.iOldSel = old;
        evt.iNewSel = iItem;
        FireEvent(&evt);
    }
}

void SListView::EnsureVisible(int iItem) {
    const int top = locator_->Item2Position(iItem);
    const int bottom = top + locator_->GetItemHeight(iItem);
    const int pos = GetScrollPos(TRUE);
    const int page = GetViewRect().Height();
    // A list not laid out yet (a popup before it is placed) shows nothing to
    // keep in view; scrolling now would hide the first items once it has room.
    if (page <= 0) return;
    if (top < pos)
        SetScrollPos(TRUE, top, TRUE);
    else if (bottom > pos + page)
        SetScrollPos(TRUE, bottom - page, TRUE);
}

BOOL SListView::OnItemEvent(EventArgs* evt) {
    // Item events go where the list's own events go.
    if (GetOwner()) return GetOwner()->FireEvent(evt);
    return GetContainer() ? GetContainer()->OnFireEvent(evt) : FALSE;
}

void SListView::OnItemRedraw(const SItemPanel* panel, const CRect& rc) {
    if (panel->GetItemIndex() < 0 || GetContainer() == nullptr || !IsVisible(TRUE)) return;
    CRect inList = rc;
    inList.OffsetRect(panel->GetOrigin().x, panel->GetOrigin().y);
    const CRect area = inList & GetViewRect();
    if (!area.IsRectEmpty()) GetContainer()->OnRedraw(area);
}

void SListView::OnItemCapture(SItemPanel* panel, BOOL capture) {
    if (capture)
        capturePanel_ = panel;
    else if (capturePanel_ == panel)
        capturePanel_ = nullptr;
}

void SListView::OnPaintArea(IRenderTarget* rt, const CRect& area) {
    DrawBackground(rt, GetWindowRect());
    const CRect view = GetViewRect();
    rt->PushClipRect(view);
    for (auto& [pos, panel] : shown_) {
        const CPoint origin = panel->GetOrigin();
        const CRect itemRect(origin, panel->GetWindowRect().Size());
        // Only the windows of an item that reach into the painted part are
        // drawn: laying out the texts of the others would be wasted.
        CRect part = itemRect & area & view;
        if (part.IsRectEmpty()) continue;
        part.OffsetRect(-origin.x, -origin.y);
        SColor color = colorItemBkgnd_;
        if (pos == sel_ && (colorItemSel_ >> 24))
            color = colorItemSel_;
        else if (pos == hot_ && (colorItemHot_ >> 24))
            color = colorItemHot_;
        if (color >> 24) rt->FillRect(itemRect, color);
        rt->OffsetViewportOrg(origin.x, origin.y);
        panel->RedrawTree(rt, part);
        rt->OffsetViewportOrg(-origin.x, -origin.y);
    }
    rt->PopClip();
    DrawScrollBars(rt);
}

void SListView::OnSize(CSize size) {
    SPanel::OnSize(size);
    UpdateVisibleItems(false, true);
}

void SListView::OnViewOriginChanged(CPoint, CPoint) {
    UpdateVisibleItems(false, true);
}

int SListView::GetScrollLineSize(BOOL vertical) const {
    return vertical ? locator_->GetItemHeight(0) : SPanel::GetScrollLineSize(vertical);
}

BOOL SListView::ProcessSwndMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (msg) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP: {
            if (capturePanel_ == nullptr && pressed_ < 0 && OnBarMouse(msg, pt)) return TRUE;
            SItemPanel* target = capturePanel_ ? capturePanel_ : PanelAt(pt);
            SItemPanel* under = PanelAt(pt);
            const int hot = under ? under->GetItemIndex() : -1;
            if (hot != hot_) {
                hot_ = hot;
                Invalidate();
            }
            if (msg == WM_LBUTTONDOWN) {
                SetFocus();
                pressed_ = hot;
                if (GetContainer()) GetContainer()->OnSetSwndCapture(this);
            }
            if (target)
                target->DoMouse(msg, wParam,
                                CPoint(pt.x - target->GetOrigin().x, pt.y - target->GetOrigin().y));
            if (msg == WM_LBUTTONUP) {
                if (capturePanel_ == nullptr && GetContainer()) GetContainer()->OnReleaseSwndCapture(this);
                const int pressed = pressed_;
                pressed_ = -1;
                if (pressed >= 0 && pressed == hot) {
                    SetSel(pressed, TRUE);
                    if (SItemPanel* item = GetItemPanel(pressed)) {
                        EventItemPanelClick click(item);
                        item->FireEvent(&click);
                    }
                    FireCommand();
                }
            }
            return TRUE;
        }
        case WM_MOUSELEAVE:
            hot_ = -1;
            for (auto& [pos, panel] : shown_) panel->DoMouse(WM_MOUSELEAVE, 0, CPoint());
            Invalidate();
            return SPanel::ProcessSwndMessage(msg, wParam, lParam, result);
        case WM_KEYDOWN: {
            const int count = adapter_ ? adapter_->getCount() : 0;
            if (wParam == VK_DOWN && count > 0)
                SetSel(std::min(sel_ + 1, count - 1), TRUE);
            else if (wParam == VK_UP && count > 0)
                SetSel(std::max(sel_ - 1, 0), TRUE);
            else if (wParam == VK_RETURN && sel_ >= 0)
                FireCommand();
            else
                return FALSE;
            return TRUE;
        }
        case WM_KEYUP:
            return wParam == VK_DOWN || wParam == VK_UP || wParam == VK_RETURN ? TRUE : FALSE;
        default:
            return SPanel::ProcessSwndMessage(msg, wParam, lParam, result);
    }
}

}  // namespace SOUI
