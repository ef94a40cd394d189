#pragma once
// A list of items drawn by an adapter: only the visible positions have item
// windows, built from the list's item template and reused as it scrolls.
#include <map>
#include <memory>
#include <vector>

#include "soui/SObjRef.h"
#include "soui/SPanel.h"
#include "soui/SString.h"
#include "soui/SXml.h"

namespace SOUI {

class SListView;
namespace detail {
class DrawRecord;
}

// Events of list views and their items.
enum SListEventId {
    EVT_ITEMPANEL_CLICK = 10007,  // an item window was clicked
    EVT_LV_SELCHANGED = 11000,
};

class EventItemPanelClick : public TplEventArgs<EventItemPanelClick> {
    SOUI_CLASS_NAME(TplEventArgs<EventItemPanelClick>, L"on_itemPanel_click")

public:
    enum { EventID = EVT_ITEMPANEL_CLICK };
    using TplEventArgs::TplEventArgs;
};

class EventLVSelChanged : public TplEventArgs<EventLVSelChanged> {
    SOUI_CLASS_NAME(TplEventArgs<EventLVSelChanged>, L"on_listview_select_changed")

public:
    enum { EventID = EVT_LV_SELCHANGED };
    using TplEventArgs::TplEventArgs;
    int iOldSel = -1;
    int iNewSel = -1;
};

// The window of one list item: the root of the item's controls. The list
// moves it to whichever position it shows next.
class SItemPanel : public SWindow, public ISwndContainer {
    SOUI_CLASS_NAME(SWindow, L"itemPanel")

public:
    SItemPanel(SListView* list, int viewType);
    ~SItemPanel() override;

    int GetItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index) { itemIndex_ = index; }
    int GetViewType() const { return viewType_; }
    SListView* GetListView() const { return list_; }
    // Top-left corner of the item in the list's container.
    CPoint GetOrigin() const { return origin_; }
    void SetOrigin(CPoint origin) { origin_ = origin; }

    // Mouse input in the item's own coordinates.
    void DoMouse(UINT msg, WPARAM wParam, CPoint pt);

    // ISwndContainer
    BOOL OnFireEvent(EventArgs* evt) override;
    void OnRedraw(const CRect& rc) override;
    void OnSetSwndCapture(SWindow* wnd) override;
    void OnReleaseSwndCapture(SWindow* wnd) override;
    void OnSwndDestroyed(SWindow* wnd) override;
    HWND GetHostHwnd() override;
    CRect FrameToHost(const CRect& rc) const override;

private:
    friend class SListView;
    void SetHover(SWindow* wnd, WPARAM wParam, LPARAM lParam);
    // While the adapter refills the item, its controls' redraw requests are
    // held back: the list repaints the item only when its drawing changed.
    void BeginRefill() { refilling_ = true; }
    // The part of the item (in its coordinates) that now draws otherwise
    // than it was last painted; empty when none.
    CRect EndRefill();
    // The item shows something else now (another position, or none).
    void ForgetDrawing();

    SListView* list_;
    int viewType_;
    int itemIndex_ = -1;
    CPoint origin_;
    SWindow* hover_ = nullptr;
    SWindow* capture_ = nullptr;
    bool refilling_ = false;
    std::unique_ptr<detail::DrawRecord> drawn_;
};

// Told by an adapter that its data changed.
struct ILvDataSetObserver {
    virtual ~ILvDataSetObserver() = default;
    virtual void onChanged() = 0;      // redraw the items from the data
    virtual void onInvalidated() = 0;  // the data is gone or replaced
};

struct ILvAdapter : IObjRef {
    virtual void registerDataSetObserver(ILvDataSetObserver* observer) = 0;
    virtual void unregisterDataSetObserver(ILvDataSetObserver* observer) = 0;
    virtual int getCount() = 0;
    // Fills the item window for position; an empty window (no children) is
    // built from the template first, by the adapter.
    virtual void getView(int position, SItemPanel* pItem, SXmlNode xmlTemplate) = 0;
    virtual int getItemViewType(int position, DWORD dwState) = 0;
    virtual int getViewTypeCount() = 0;
    virtual bool isEmpty() = 0;
};

struct IMcAdapter : ILvAdapter {
    virtual SStringW GetColumnName(int iCol) const = 0;
};

// The observers and the change notices; the defaults of the optional
// operations (one view type).
template <class Interface>
class TLvAdapterImpl : public TObjRefImpl<Interface> {
public:
    void registerDataSetObserver(ILvDataSetObserver* observer) override { observers_.push_back(observer); }
    void unregisterDataSetObserver(ILvDataSetObserver* observer) override {
        std::erase(observers_, observer);
    }
    int getItemViewType(int, DWORD) override { return 0; }
    int getViewTypeCount() override { return 1; }
    bool isEmpty() override { return this->getCount() <= 0; }

    void notifyDataSetChanged() {
        const auto observers = observers_;
        for (ILvDataSetObserver* o : observers) o->onChanged();
    }
    void notifyDataSetInvalidated() {
        const auto observers = observers_;
        for (ILvDataSetObserver* o : observers) o->onInvalidated();
    }

private:
    std::vector<ILvDataSetObserver*> observers_;
};

class SAdapterBase : public TLvAdapterImpl<ILvAdapter> {};

class SMcAdapterBase : public TLvAdapterImpl<IMcAdapter> {
public:
    SStringW GetColumnName(int) const override { return SStringW(); }
};

// Where each item lies along the list.
struct IListViewItemLocator {
    virtual ~IListViewItemLocator() = default;
    virtual int GetItemHeight(int iItem) const = 0;
    virtual int GetTotalHeight() const = 0;
    virtual int Item2Position(int iItem) const = 0;
    // The item at a position along the list (may be beyond the last).
    virtual int Position2Item(int position) const = 0;
};

class SListView : public SPanel {
    SOUI_CLASS_NAME(SPanel, L"listview")

public:
    SListView();
    ~SListView() override;

    // Takes a reference to the adapter and releases the previous one.
    BOOL SetAdapter(ILvAdapter* adapter);
    ILvAdapter* GetAdapter() const { return adapter_; }
    IListViewItemLocator* GetItemLocator() const;

    // -1 for none; with notify, EVT_LV_SELCHANGED reports a change.
    void SetSel(int iItem, BOOL notify = FALSE);
    int GetSel() const { return sel_; }
    void EnsureVisible(int iItem);

    // The item window showing that position, or null when it is not shown.
    SItemPanel* GetItemPanel(int iItem) const;
    // Item windows made so far (shown and kept for reuse).
    int GetItemPanelCount() const;
    SXmlNode GetTemplate() const { return template_.first_child(); }

    HRESULT SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) override;
    BOOL CreateChildren(SXmlNode node) override;
    BOOL ProcessSwndMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // From the item windows.
    BOOL OnItemEvent(EventArgs* evt);
    void OnItemRedraw(const SItemPanel* panel, const CRect& rc);
    void OnItemCapture(SItemPanel* panel, BOOL capture);

protected:
    void OnPaintArea(IRenderTarget* rt, const CRect& area) override;
    void OnSize(CSize size) override;
    void OnViewOriginChanged(CPoint oldOrigin, CPoint newOrigin) override;
    int GetScrollLineSize(BOOL vertical) const override;

private:
    class Observer;
    class FixedLocator;
    void OnDataChanged(bool rebind);
    // Binds an item window to every visible position; rebind also refills
    // those that already show their position. Repaints the whole view when
    // asked or when rows come or go, else only the refilled items whose
    // drawing changed.
    void UpdateVisibleItems(bool rebind, bool repaintAll);
    void PlaceItems();
    void Recycle(SItemPanel* panel);
    void ReleaseAllItems();
    void RetireAllItems();
    SItemPanel* TakePanel(int viewType);
    SItemPanel* PanelAt(CPoint pt) const;
    int ItemWidth() const;

    SAutoRefPtr<ILvAdapter> adapter_;
    std::unique_ptr<Observer> observer_;
    std::unique_ptr<FixedLocator> locator_;
    SXmlDoc template_;
    std::map<int, SItemPanel*> shown_;                  // position -> item window
    std::map<int, std::vector<SItemPanel*>> recycled_;  // by view type
    int sel_ = -1;
    int hot_ = -1;
    int pressed_ = -1;
    SItemPanel* capturePanel_ = nullptr;
    int itemWidth_ = 0;  // 0: the width of the view
    SColor colorItemBkgnd_ = kColorTransparent;
    SColor colorItemHot_ = kColorTransparent;
    SColor colorItemSel_ = kColorTransparent;
    bool updating_ = false;
    bool updateAgain_ = false;
    bool repaintAll_ = false;  // asked for by an update while another one runs
    int drawnCount_ = 0;       // the item count the view was last laid out for
};

}  // namespace SOUI
