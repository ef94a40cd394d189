// soui_list_bench: fills a list view with 5,000 items shaped like driver
// rows, scrolls it from the top to the end in half-row steps and times each
// scroll step with its full redraw of the 810 x 510 window (Qt's offscreen
// platform unless QT_QPA_PLATFORM says otherwise). Prints the figures.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "soui/SApplication.h"
#include "soui/SComMgr.h"
#include "soui/SControls.h"
#include "soui/SHostWnd.h"
#include "soui/SListView.h"
#include "soui/SResProvider.h"
#include "soui/STestApi.h"
#include "soui/SWidgetTestApi.h"

namespace {

using namespace SOUI;

constexpr int kItems = 5000;

class DriverRows : public SAdapterBase {
public:
    int getCount() override { return kItems; }
    void getView(int position, SItemPanel* item, SXmlNode xmlTemplate) override {
        if (item->GetChildrenCount() == 0) item->InitFromXml(xmlTemplate);
        const std::wstring n = std::to_wstring(position);
        SetText(item, L"item_text1", L"驱动类型：芯片组 " + n);
        SetText(item, L"item_text2", L"驱动名称：Zorvik 驱动程序 " + n);
        SetText(item, L"item_text3", L"驱动版本：10.1." + n);
        SetText(item, L"item_text4", L"驱动大小：" + std::to_wstring(position % 900 + 100) + L".25MB");
        if (auto* check = item->FindChildByName(L"item_check")) {
            check->GetEventSet()->setMutedState(TRUE);
            check->SetCheck(position % 3 == 0);
            check->GetEventSet()->setMutedState(FALSE);
        }
        if (auto* progress = item->FindChildByName2<SProgress>(L"item_progress"))
            progress->SetValue(position % 101);
        if (auto* tab = item->FindChildByName2<STabCtrl>(L"item_operation")) tab->SetCurSel(position % 6);
    }

private:
    static void SetText(SItemPanel* item, const wchar_t* name, const std::wstring& text) {
        if (SWindow* wnd = item->FindChildByName(name)) wnd->SetWindowTextW(text.c_str());
    }
};

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(p * static_cast<double>(values.size() - 1))];
}

}  // namespace

int main() {
    test::UseOffscreenPlatform();
    SComMgr comMgr;
    SAutoRefPtr<IRenderFactory> render;
    SAutoRefPtr<IImgDecoderFactory> decoder;
    if (!comMgr.CreateRender_Skia(reinterpret_cast<IObjRef**>(&render)) ||
        !comMgr.CreateImgDecoder(reinterpret_cast<IObjRef**>(&decoder))) {
        std::fprintf(stderr, "the renderer or the image decoder module is missing\n");
        return 1;
    }
    render->SetImgDecoderFactory(decoder);
    SApplication app(render, GetModuleHandleW(nullptr));
    SAutoRefPtr<IResProvider> provider;
    CreateResProvider(RES_PE, reinterpret_cast<IObjRef**>(&provider));
    if (!provider->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0) ||
        !app.AddResProvider(provider, L"uidef:xml_init")) {
        std::fprintf(stderr, "resources missing\n");
        return 1;
    }

    SHostWnd host(L"LAYOUT:BENCH_LIST");
    if (!host.Create(nullptr)) return 1;
    host.ShowWindow(SW_SHOWNORMAL);
    auto* list = host.FindChildByName2<SListView>(L"lv");
    if (list == nullptr) return 1;
    auto* rows = new DriverRows();
    const auto fillStart = std::chrono::steady_clock::now();
    list->SetAdapter(rows);
    rows->Release();
    const double fillMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - fillStart).count();
    test::Pump(std::chrono::milliseconds(200));

    const int end = list->GetItemLocator()->GetTotalHeight() - list->GetViewRect().Height();
    std::vector<double> frames;
    for (int pos = 0;; pos = std::min(end, pos + 40)) {
        const auto start = std::chrono::steady_clock::now();
        list->SetScrollPos(TRUE, pos, TRUE);
        test::RedrawNow(host);
        frames.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        if (pos == end) break;
    }
    double total = 0;
    for (double f : frames) total += f;
    std::printf("items: %d, item windows: %d, redraws: %zu (810 x 510, scrolled to %d)\n", kItems,
                list->GetItemPanelCount(), frames.size(), list->GetScrollPos(TRUE));
    std::printf("fill: %.2f ms\n", fillMs);
    std::printf(
        "per redraw (scroll step + full paint): mean %.3f ms, median %.3f ms, p95 %.3f ms, max %.3f ms\n",
        total / static_cast<double>(frames.size()), Percentile(frames, 0.5), Percentile(frames, 0.95),
        Percentile(frames, 1.0));
    return 0;
}
