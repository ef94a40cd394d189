// The program's resources as the framework loads them: every layout, the
// user-interface definition with its skins and pictures, the main window's
// pages and the dialogs built from their layouts; pictures of each go to
// $PELL_SHOT_DIR (default: the working folder).
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "os/UnicodeText.h"
#include "soui/IRender.h"
#include "soui/SApplication.h"
#include "soui/SControls.h"
#include "soui/SEdit.h"
#include "soui/SHostWnd.h"
#include "soui/SListView.h"
#include "soui/SSkin.h"
#include "soui/STestApi.h"
#include "tests/support/ShotFolder.h"

using namespace SOUI;

namespace apptest {
namespace {

std::wstring Wide(const char* utf8) {
    return os::Utf8ToWide(utf8).value_or(L"");
}

SXmlDoc LoadResource(const wchar_t* type, const wchar_t* name) {
    SXmlDoc doc;
    EXPECT_TRUE(Framework().App().LoadXmlDocment(doc, name, type)) << os::WideToUtf8(name).value_or("");
    return doc;
}

// Dark pixels (text, lines) inside a rectangle of a rendered window.
int InkPixels(const SImageData& image, const CRect& rc) {
    int count = 0;
    for (int y = std::max(0L, long(rc.top)); y < std::min<long>(rc.bottom, image.height); ++y) {
        for (int x = std::max(0L, long(rc.left)); x < std::min<long>(rc.right, image.width); ++x) {
            const std::uint32_t px = image.pixels[static_cast<size_t>(y) * image.width + x];
            const int luma = (((px >> 16) & 0xff) * 3 + ((px >> 8) & 0xff) * 6 + (px & 0xff)) / 10;
            if ((px >> 24) > 0xc0 && luma < 110) ++count;
        }
    }
    return count;
}

TEST(Resources, EveryLayoutLoadsWithItsSize) {
    const struct {
        const wchar_t* name;
        int width;
        int height;
    } windows[] = {{L"XML_MAINWND", 810, 510},
                   {L"XML_POPWND_PACK", 421, 268},
                   {L"XML_POPWND_SET", 421, 222},
                   {L"XML_MSGBOX", 228, 148}};
    for (const auto& w : windows) {
        const SXmlDoc doc = LoadResource(L"LAYOUT", w.name);
        const SXmlNode node = doc.child("SOUI");
        ASSERT_TRUE(node) << os::WideToUtf8(w.name).value_or("");
        EXPECT_EQ(node.attribute("width").as_int(), w.width);
        EXPECT_EQ(node.attribute("height").as_int(), w.height);
        EXPECT_TRUE(node.child("root"));
    }
    const SXmlDoc agreement = LoadResource(L"LAYOUT", L"XML_AGREEMENT");
    const SXmlNode panel = agreement.document_element().first_child();
    EXPECT_STREQ(panel.attribute("pos").value(), "0,44,@800,@350");
    const SXmlDoc list = LoadResource(L"LAYOUT", L"XML_DIRVERQUERY_LIST");
    EXPECT_TRUE(
        list.document_element().find_child_by_attribute("listview", "name", "listview_driver_download_find"));
}

// The two search drop-downs build nothing until their classes are
// registered, so their layout is checked as written.
TEST(Resources, DropDownsHoldTheirEditsAndPopupLists) {
    const SXmlDoc doc = LoadResource(L"LAYOUT", L"XML_MAINWND");
    const struct {
        const char* tag;
        const char* name;
        int id;
        const char* edit;
        const char* popup;
        const char* list;
    } dropdowns[] = {{"searchDropdownList_1", "query_suggest_list", 70361, "edit_input_1", "popupStyle_1",
                      "lv_dropdown_1"},
                     {"searchDropdownList", "os_suggest_list", 70362, "os_select_edit_input", "popupStyle",
                      "lv_dropdown"}};
    for (const auto& d : dropdowns) {
        const SXmlNode control = doc.find_node([&](SXmlNode n) { return std::string(n.name()) == d.tag; });
        ASSERT_TRUE(control) << d.tag;
        EXPECT_STREQ(control.attribute("name").value(), d.name);
        EXPECT_EQ(control.attribute("id").as_int(), d.id);
        const SXmlNode edit = control.find_child_by_attribute("edit", "name", d.edit);
        ASSERT_TRUE(edit) << d.edit;
        const SXmlNode popup = control.child(d.popup);
        ASSERT_TRUE(popup) << d.popup;
        EXPECT_EQ(popup.attribute("translucent").as_int(), 1);
        EXPECT_EQ(popup.attribute("resizable").as_int(-1), 0);
        EXPECT_EQ(popup.attribute("sendWheel2Hover").as_int(-1), 0);
        EXPECT_EQ(popup.child("root").attribute("margin").as_int(), 1);
        const SXmlNode list = popup.child("root").find_child_by_attribute("listview", "name", d.list);
        ASSERT_TRUE(list) << d.list;
        EXPECT_STREQ(list.attribute("sbSkin").value(), "vscroll_rich");
        EXPECT_EQ(list.child("template").attribute("itemHeight").as_int(), 30);
        EXPECT_TRUE(list.child("template").find_child_by_attribute("text", "name", "device_name_item"));
    }
    const SXmlNode query =
        doc.find_node([](SXmlNode n) { return std::string(n.name()) == "searchDropdownList_1"; });
    EXPECT_STREQ(query.child("edit").attribute("cueText").value(), "请输入主机编号/主机型号进行查询");
    const SXmlNode os =
        doc.find_node([](SXmlNode n) { return std::string(n.name()) == "searchDropdownList"; });
    EXPECT_EQ(os.child("edit").attribute("readOnly").as_int(), 1);
    EXPECT_TRUE(os.find_child_by_attribute("imgbtn", "name", "btn_os_suggest_dropdown"));
}

// Frames of an image-list skin: the picture divides into its states, and
// each kind of picture has the frame it is drawn for.
TEST(Resources, InitDefinesEverySkinOverAPictureOfTheRightSize) {
    const SXmlDoc doc = LoadResource(L"UIDEF", L"XML_INIT");
    const SXmlNode uidef = doc.child("uidef");
    EXPECT_STREQ(uidef.child("font").attribute("face").value(), "微软雅黑");
    EXPECT_EQ(uidef.child("font").attribute("size").as_int(), 12);
    SApplication& app = Framework().App();
    EXPECT_EQ(app.GetDefFont().face, L"微软雅黑");
    EXPECT_EQ(app.ResolveString(L"@string/ver"), L"V1.3.24.910");
    EXPECT_NE(app.ResolveString(L"@string/title"), L"@string/title");

    std::map<std::string, int> perTag;
    std::set<std::wstring> names;
    std::set<std::wstring> pictures;
    const bool slimBarRegistered = [&] {
        SObject* probe = app.CreateObject(L"vscrollbar", Skin);
        delete probe;
        return probe != nullptr;
    }();
    for (SXmlNode skin : uidef.child("skin").children()) {
        if (skin.type() != pugi::node_element) continue;
        const std::string tag = skin.name();
        const std::wstring name = Wide(skin.attribute("name").value());
        const std::wstring src = Wide(skin.attribute("src").value());
        ++perTag[tag];
        EXPECT_TRUE(names.insert(name).second) << "twice: " << skin.attribute("name").value();
        EXPECT_TRUE(pictures.insert(src).second) << "shared picture: " << skin.attribute("src").value();
        EXPECT_EQ(src.rfind(L"IMG.MAIN:ID_PNG_", 0), 0u) << skin.attribute("src").value();
        IBitmap* picture = app.LoadImage(src);
        ASSERT_NE(picture, nullptr) << skin.attribute("src").value();
        const int states = skin.attribute("states").as_int(1);
        const int w = picture->Width();
        const int h = picture->Height();
        SCOPED_TRACE(skin.attribute("name").value());
        if (tag == "imglist") {
            EXPECT_EQ(w % states, 0);
            EXPECT_TRUE(states == 1 || states == 4 || states == 8 || states == 24) << states;
            if (states == 8 || states == 24) {
                EXPECT_EQ(w / states, h) << "square frames";
            }
            if (name.rfind(L"_skin.sys.dirver.icon_", 0) == 0) {
                EXPECT_EQ(states, 1);
                EXPECT_EQ(w, 40);
                EXPECT_EQ(h, 40);
            }
        } else if (tag == "scrollbar") {
            EXPECT_EQ(states, 4);
            EXPECT_EQ(w % 4, 0);
            EXPECT_EQ(h % 8, 0) << "four vertical and four horizontal parts";
        } else if (tag == "vscrollbar") {
            EXPECT_EQ(name, L"vscroll_rich");
            EXPECT_EQ(states, 3);
            EXPECT_EQ(w, 20);
            EXPECT_EQ(h, 32);
        } else {
            EXPECT_EQ(tag, "imgframe");
            EXPECT_EQ(name, L"_skin.sys.shadow");
            EXPECT_STREQ(skin.attribute("margin").value(), "5,3,5,7");
        }
        if (tag != "vscrollbar" || slimBarRegistered) {
            EXPECT_NE(app.GetSkin(name), nullptr);
        }
    }
    EXPECT_EQ(names.size(), 96u);
    EXPECT_EQ(perTag["imglist"], 93);
    EXPECT_EQ(perTag["imgframe"] + perTag["scrollbar"] + perTag["vscrollbar"], 3);
    EXPECT_TRUE(names.count(L"_skin.sys.scrollbar"));
    EXPECT_EQ(dynamic_cast<SSkinImgList*>(app.GetSkin(L"_skin.item.busy3"))->GetStates(), 24);

    const int numbered[] = {0,  1,  2,  4,  5,  6,  7,  8,  9,  10, 11, 13, 18, 20, 22, 25, 26, 30,
                            31, 35, 36, 39, 42, 44, 45, 47, 48, 51, 52, 53, 54, 58, 59, 60, 61, 63,
                            67, 68, 72, 73, 74, 79, 84, 85, 86, 87, 88, 90, 91, 92, 95, 96, 98};
    std::set<std::wstring> icons;
    for (int n : numbered) icons.insert(L"_skin.sys.dirver.icon_" + std::to_wstring(n));
    int iconSkins = 0;
    for (const std::wstring& name : names) iconSkins += name.rfind(L"_skin.sys.dirver.icon_", 0) == 0;
    EXPECT_EQ(iconSkins, 53);
    for (const std::wstring& icon : icons)
        EXPECT_TRUE(names.count(icon)) << os::WideToUtf8(icon).value_or("");

    for (const char* cls : {"cls_msg_title", "cls_msg_text", "cls_weblink"}) {
        EXPECT_TRUE(app.GetStyle(Wide(cls)).attributes().begin() !=
                    app.GetStyle(Wide(cls)).attributes().end())
            << cls;
    }
    EXPECT_STREQ(app.GetObjDefAttr(L"link").attribute("class").value(), "cls_weblink");
    EXPECT_STREQ(app.GetObjDefAttr(L"div").attribute("sbSkin").value(), "_skin.sys.scrollbar");
    const SXmlNode progress = app.GetObjDefAttr(L"progress");
    EXPECT_STREQ(progress.attribute("bkgndSkin").value(), "_skin.pro.bg");
    EXPECT_STREQ(progress.attribute("posSkin").value(), "_skin.pro.ft");
    EXPECT_EQ(progress.attribute("min").as_int(-1), 0);
    EXPECT_EQ(progress.attribute("max").as_int(), 100);
}

// Different categories must not look alike: no two pictures are the same.
TEST(Resources, CategoryPicturesDifferFromEachOther) {
    std::vector<std::vector<BYTE>> seen;
    SApplication& app = Framework().App();
    const SXmlDoc doc = LoadResource(L"UIDEF", L"XML_INIT");
    for (SXmlNode skin : doc.child("uidef").child("skin").children()) {
        if (std::string(skin.attribute("name").value()).rfind("_skin.sys.dirver.icon_", 0) != 0) continue;
        std::vector<BYTE> data;
        const std::wstring src = Wide(skin.attribute("src").value());
        ASSERT_TRUE(app.GetRawBuffer(L"IMG.MAIN", src.substr(src.find(L':') + 1).c_str(), &data));
        for (const auto& other : seen) EXPECT_NE(other, data) << skin.attribute("name").value();
        seen.push_back(std::move(data));
    }
    EXPECT_EQ(seen.size(), 53u);
}

TEST(Resources, AgreementIsChineseTextFromCodePage936) {
    std::vector<BYTE> rtf;
    ASSERT_TRUE(Framework().App().GetRawBuffer(L"RTF", L"RTF_AGREEMENT", &rtf));
    const std::string text(rtf.begin(), rtf.end());
    EXPECT_EQ(text.rfind("{\\rtf1", 0), 0u);
    EXPECT_NE(text.find("\\ansicpg936"), std::string::npos);
}

using ResourcesMainWindow = MainWindowTest;

// Each page's named controls, outside the search drop-downs.
const std::vector<std::vector<const wchar_t*>> kPageControls = {
    {L"btn_sys_close", L"btn_sys_min", L"btn_driver_query", L"dirver_query_error_info", L"btn_mainop_help",
     L"btn_mainop_set", L"btn_mainop_pack", L"btn_sys_agreement", L"checkbox_sys_agreement_1",
     L"btn_sys_feedback"},
    {L"btn_sys_close", L"btn_sys_min", L"text_device_query_name", L"btn_driver_download", L"btn_driver_path",
     L"btn_driver_pack", L"btn_back_maintable", L"btn_allchoose", L"btn_allchoose_text",
     L"dirver_download_count_1", L"dirver_download_count_2", L"dirver_download_count_3",
     L"listview_driver_download_find", L"ani_install_busy_3"},
    {L"btn_sys_close", L"btn_sys_min", L"btn_networkerror_back"},
    {L"btn_sys_close", L"btn_sys_min", L"btn_agreement_close", L"agreement_edit", L"btn_sys_agreement",
     L"checkbox_sys_agreement_2"},
};

TEST_F(ResourcesMainWindow, EveryPageHoldsItsControlsInTheIndexOrder) {
    auto* tab = Wnd().FindChildByName2<STabCtrl>(L"tab_main_op");
    ASSERT_NE(tab, nullptr);
    ASSERT_EQ(tab->GetItemCount(), 4);
    EXPECT_EQ(tab->GetCurSel(), 0);
    for (int page = 0; page < 4; ++page) {
        for (const wchar_t* name : kPageControls[static_cast<size_t>(page)]) {
            EXPECT_NE(tab->GetItem(page)->FindChildByName(name), nullptr)
                << "page " << page << ": " << os::WideToUtf8(name).value_or("");
        }
    }
    // The search drop-downs and what they hold, once their classes exist.
    const struct {
        const wchar_t* control;
        int page;
        int id;
        std::vector<const wchar_t*> inside;
    } dropdowns[] = {{L"query_suggest_list", 0, 70361, {L"edit_input_1"}},
                     {L"os_suggest_list", 1, 70362, {L"os_select_edit_input", L"btn_os_suggest_dropdown"}}};
    for (const auto& d : dropdowns) {
        SWindow* control = tab->GetItem(d.page)->FindChildByName(d.control);
        if (control == nullptr) continue;
        EXPECT_EQ(control->GetID(), d.id);
        for (const wchar_t* name : d.inside) EXPECT_NE(control->FindChildByName(name), nullptr);
    }
}

TEST_F(ResourcesMainWindow, ControlsStartAsTheCodeExpects) {
    CRect rc;
    ASSERT_TRUE(Wnd().GetClientRect(&rc));
    EXPECT_EQ(rc.Size(), CSize(810, 510));
    EXPECT_EQ(test::WindowIconSizes(Wnd()), (std::vector<int>{16, 32}));
    for (const wchar_t* box : {L"checkbox_sys_agreement_1", L"checkbox_sys_agreement_2"}) {
        EXPECT_TRUE(Wnd().FindChildByName(box)->IsChecked());
    }
    for (const wchar_t* counter : {L"dirver_download_count_1", L"dirver_download_count_2"}) {
        EXPECT_EQ(std::wstring(Wnd().FindChildByName(counter)->GetWindowTextW().c_str()), L"0");
    }
    EXPECT_FALSE(Wnd().FindChildByName(L"dirver_download_count_3")->IsVisible());
    SWindow* error = Wnd().FindChildByName(L"dirver_query_error_info");
    EXPECT_FALSE(error->IsVisible());
    EXPECT_EQ(std::wstring(error->GetWindowTextW().c_str()), L"*请输入主机编号/主机型号进行查询");
    auto* busy = Wnd().FindChildByName2<SAnimateImgWnd>(L"ani_install_busy_3");
    ASSERT_NE(busy, nullptr);
    EXPECT_FALSE(busy->IsPlaying());
    EXPECT_EQ(busy->GetSpeed(), 30);
    const std::map<std::wstring, std::wstring> texts = {
        {L"btn_driver_query", L"查询"},
        {L"btn_mainop_set", L"下载设置"},
        {L"btn_mainop_pack", L"ISO打包"},
        {L"btn_sys_agreement", L"《Zorvik服务工具使用许可协议》"},
        {L"btn_sys_feedback", L"意见反馈"},
        {L"checkbox_sys_agreement_1", L"同意"},
        {L"btn_driver_download", L"下载选中驱动"},
        {L"btn_driver_path", L"下载设置"},
        {L"btn_driver_pack", L"ISO打包"},
        {L"btn_back_maintable", L"返回"},
        {L"btn_allchoose_text", L"全选"},
        {L"btn_networkerror_back", L"返回首页"},
        {L"text_device_query_name", L"主机信息："}};
    for (const auto& [name, text] : texts) {
        EXPECT_EQ(std::wstring(Wnd().FindChildByName(name.c_str())->GetWindowTextW().c_str()), text)
            << os::WideToUtf8(name).value_or("");
    }
    EXPECT_EQ(std::wstring(Wnd().FindChildByName(L"btn_mainop_help")->GetWindowTextW().c_str()),
              L"主机编号或主机\n型号查询指导");
    SWindow* edit = Wnd().FindChildByName(L"agreement_edit");
    EXPECT_EQ(edit->GetParent()->GetWindowRect().Size(), CSize(800, 350)) << "the agreement panel";
    EXPECT_NE(dynamic_cast<SCaption*>(Wnd().FindChildByName(L"btn_agreement_close")->GetParent()), nullptr);
    const std::wstring agreement = edit->GetWindowTextW().c_str();
    EXPECT_EQ(agreement.find(L"Zorvik服务工具使用许可协议"), 0u);
    EXPECT_NE(agreement.find(L"Pellucor 驱动下载工具"), std::wstring::npos);
}

// An item of the driver list as its adapter builds it from the template.
TEST_F(ResourcesMainWindow, DriverListItemHoldsTheSixStatePages) {
    auto* list = Wnd().FindChildByName2<SListView>(L"listview_driver_download_find");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetItemLocator()->GetItemHeight(0), 80);
    SWindow item;
    ASSERT_TRUE(item.InitFromXml(list->GetTemplate()));
    ASSERT_NE(item.FindChildByName(L"col_nick_1"), nullptr);
    for (const wchar_t* name :
         {L"dirverfind_download_item_check", L"driverfind_item_text1", L"driverfind_item_text2",
          L"driverfind_item_text3", L"driverfind_item_text4"}) {
        EXPECT_NE(item.FindChildByName(name), nullptr) << os::WideToUtf8(name).value_or("");
    }
    auto* icon = item.FindChildByName2<SImageWnd>(L"driver_item_icon_download");
    ASSERT_NE(icon, nullptr);
    ASSERT_NE(icon->GetSkin(), nullptr);
    EXPECT_EQ(icon->GetSkin()->GetName(), L"_skin.sys.dirver.icon_0");
    auto* bar = item.FindChildByName2<SProgress>(L"pro_driverfind_download");
    ASSERT_NE(bar, nullptr);
    int low = -1, high = -1;
    bar->GetRange(&low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 100);
    EXPECT_EQ(bar->GetValue(), 0);
    auto* pages = item.FindChildByName2<STabCtrl>(L"dirverfind_download_operation");
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->GetItemCount(), 6);
    const std::vector<std::vector<std::pair<const wchar_t*, const wchar_t*>>> perPage = {
        {{L"dirverfind_download_item_btn_st", L"下载"}},
        {{L"dirverfind_download_item_text_info", L"等待下载"}},
        {{L"item_icon_pro_3", nullptr},
         {L"text_item_download_speed", nullptr},
         {L"dirverfind_download_item_btn_pause", nullptr},
         {L"dirverfind_download_item_btn_close_3", nullptr}},
        {{L"item_icon_pro_4", nullptr},
         {L"text_item_download_speed_2", L"0B/S"},
         {L"dirverfind_download_item_btn_run", nullptr},
         {L"dirverfind_download_item_btn_close_4", nullptr}},
        {{L"dirverfind_download_item_btn_complete", L"打开目录"}},
        {{L"dirverfind_download_item_btn_retry", L"重试"}}};
    for (int page = 0; page < 6; ++page) {
        for (const auto& [name, text] : perPage[static_cast<size_t>(page)]) {
            SWindow* control = pages->GetItem(page)->FindChildByName(name);
            ASSERT_NE(control, nullptr) << "page " << page << ": " << os::WideToUtf8(name).value_or("");
            if (text) {
                EXPECT_EQ(std::wstring(control->GetWindowTextW().c_str()), text);
            }
        }
    }
    const std::map<std::wstring, std::wstring> tips = {{L"dirverfind_download_item_btn_pause", L"暂停"},
                                                       {L"dirverfind_download_item_btn_close_3", L"取消"},
                                                       {L"dirverfind_download_item_btn_run", L"继续"},
                                                       {L"dirverfind_download_item_btn_close_4", L"取消"}};
    for (const auto& [name, tip] : tips) EXPECT_EQ(item.FindChildByName(name.c_str())->GetToolTipText(), tip);
}

struct DialogControl {
    const wchar_t* name;
    const wchar_t* text;  // null: not checked
    bool shown;
};

void ExpectControls(SHostWnd& wnd, const std::vector<DialogControl>& controls) {
    for (const DialogControl& c : controls) {
        SWindow* control = wnd.FindChildByName(c.name);
        ASSERT_NE(control, nullptr) << os::WideToUtf8(c.name).value_or("");
        EXPECT_EQ(control->IsVisible() != FALSE, c.shown) << os::WideToUtf8(c.name).value_or("");
        if (c.text) {
            EXPECT_EQ(std::wstring(control->GetWindowTextW().c_str()), c.text);
        }
    }
}

TEST(ResourcesDialogs, PackingDialogStartsReady) {
    Framework();
    SHostDialog dialog(L"LAYOUT:XML_POPWND_PACK");
    ASSERT_NE(dialog.Create(nullptr), nullptr);
    dialog.ShowWindow(SW_SHOWNORMAL);
    CRect rc;
    ASSERT_TRUE(dialog.GetClientRect(&rc));
    EXPECT_EQ(rc.Size(), CSize(421, 268));
    ExpectControls(dialog, {{L"btn_popwnd_pack_close", nullptr, true},
                            {L"popwnd_pack_edit_1", L"", true},
                            {L"btn_popwnd_pack_dir", L"选择", true},
                            {L"popwnd_pack_edit_2", L"", true},
                            {L"btn_popwnd_pack_savepath", L"选择", true},
                            {L"dirver_pack_pro_info", L"0%", false},
                            {L"dirver_pack_progress", nullptr, true},
                            {L"dirver_pack_res_info_1", L"打包成功", false},
                            {L"dirver_pack_res_info_2", L"打包失败", false},
                            {L"btn_popwnd_pack_run", L"生成ISO", true},
                            {L"btn_popwnd_pack_ok", L"确定", false},
                            {L"btn_popwnd_pack_cancle", L"取消", true}});
    for (const wchar_t* edit : {L"popwnd_pack_edit_1", L"popwnd_pack_edit_2"}) {
        EXPECT_TRUE(dialog.FindChildByName2<SEdit>(edit)->IsReadOnly());
    }
    EXPECT_EQ(dialog.FindChildByName2<SProgress>(L"dirver_pack_progress")->GetValue(), 0);
    EXPECT_EQ(dialog.FindChildByName(L"btn_popwnd_pack_run")->GetWindowRect(),
              dialog.FindChildByName(L"btn_popwnd_pack_ok")->GetWindowRect());
    EXPECT_EQ(dialog.FindChildByName(L"dirver_pack_res_info_1")->GetWindowRect(),
              dialog.FindChildByName(L"dirver_pack_res_info_2")->GetWindowRect());
    EXPECT_TRUE(test::SaveWindowAsPng(dialog, pelltest::ShotPath(L"popwnd_pack.png")));
    dialog.DestroyWindow();
}

TEST(ResourcesDialogs, SettingsDialogStartsWithTheHintHidden) {
    Framework();
    SHostDialog dialog(L"LAYOUT:XML_POPWND_SET");
    ASSERT_NE(dialog.Create(nullptr), nullptr);
    dialog.ShowWindow(SW_SHOWNORMAL);
    CRect rc;
    ASSERT_TRUE(dialog.GetClientRect(&rc));
    EXPECT_EQ(rc.Size(), CSize(421, 222));
    ExpectControls(dialog, {{L"btn_popwnd_set_close", nullptr, true},
                            {L"popwnd_set_edit_1", L"", true},
                            {L"btn_popwnd_set_pathchange", L"更改", true},
                            {L"popwnd_set_edit_2", L"", true},
                            {L"dirverdownload_chanelmax", L"*请输入1~6中任意一位数", false},
                            {L"btn_popwnd_set_ok", L"确定", true},
                            {L"btn_popwnd_set_cancle", L"取消", true}});
    EXPECT_TRUE(dialog.FindChildByName2<SEdit>(L"popwnd_set_edit_1")->IsReadOnly());
    EXPECT_FALSE(dialog.FindChildByName2<SEdit>(L"popwnd_set_edit_2")->IsReadOnly());
    dialog.FindChildByName(L"popwnd_set_edit_1")->SetWindowTextW(L"/home/user/驱动下载");
    dialog.FindChildByName(L"popwnd_set_edit_2")->SetWindowTextW(L"3");
    test::Pump(std::chrono::milliseconds(50));
    EXPECT_TRUE(test::SaveWindowAsPng(dialog, pelltest::ShotPath(L"popwnd_set.png")));
    dialog.DestroyWindow();
}

// The template of the framework's message box, filled as the box fills it.
TEST(ResourcesDialogs, MessageBoxTemplateNamesItsButtonsAndShowsTheText) {
    Framework();
    const SXmlDoc doc = LoadResource(L"LAYOUT", L"XML_MSGBOX");
    const SXmlNode texts = doc.child("SOUI").child("buttonText");
    const std::map<std::string, std::string> labels = {
        {"ok", "确定"},    {"cancel", "取消"}, {"yes", "是"},    {"no", "否"},
        {"retry", "重试"}, {"ignore", "忽略"}, {"abort", "关于"}};
    for (const auto& [button, label] : labels)
        EXPECT_EQ(texts.attribute(button.c_str()).value(), label) << button;

    // The same template held open for its picture.
    SHostWnd box(L"LAYOUT:XML_MSGBOX");
    ASSERT_NE(box.Create(nullptr), nullptr);
    box.ShowWindow(SW_SHOWNORMAL);
    SWindow* title = box.FindChildByName(L"msgtitle");
    ASSERT_NE(title, nullptr);
    EXPECT_NE(dynamic_cast<SCaption*>(title->GetParent()), nullptr) << "the title sits in a caption";
    box.FindChildByName(L"msgtext")->SetWindowTextW(L"有正在下载的任务，确认退出吗？");
    auto* buttons = box.FindChildByName2<STabCtrl>(L"btnSwitch");
    ASSERT_NE(buttons, nullptr);
    ASSERT_EQ(buttons->GetItemCount(), 3);
    buttons->SetCurSel(1);
    buttons->GetItem(1)->FindChildByName(L"button1st")->SetWindowTextW(L"确定");
    buttons->GetItem(1)->FindChildByName(L"button2nd")->SetWindowTextW(L"取消");
    for (int page = 0; page < 3; ++page) {
        const wchar_t* names[] = {L"button1st", L"button2nd", L"button3rd"};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(buttons->GetItem(page)->FindChildByName(names[i]) != nullptr, i <= page) << page << i;
        }
    }
    test::Pump(std::chrono::milliseconds(50));
    const SImageData image = box.RenderToImage();
    EXPECT_GT(InkPixels(image, box.FindChildByName(L"msgtext")->GetWindowRect()), 60) << "the text is drawn";
    EXPECT_TRUE(test::SaveWindowAsPng(box, pelltest::ShotPath(L"msgbox.png")));
    box.DestroyWindow();
}

// Sample drivers in each of the six download states, to see the item design.
class PreviewAdapter : public SAdapterBase {
public:
    int getCount() override { return 6; }
    void getView(int position, SItemPanel* item, SXmlNode xmlTemplate) override {
        if (item->GetChildrenCount() == 0) item->InitFromXml(xmlTemplate);
        static const wchar_t* const categories[] = {L"芯片组", L"显卡", L"声卡", L"网卡", L"蓝牙", L"BIOS"};
        static const wchar_t* const icons[] = {L"_skin.sys.dirver.icon_1", L"_skin.sys.dirver.icon_2",
                                               L"_skin.sys.dirver.icon_4", L"_skin.sys.dirver.icon_5",
                                               L"_skin.sys.dirver.icon_6", L"_skin.sys.dirver.icon_7"};
        const auto at = static_cast<size_t>(position);
        item->FindChildByName(L"driver_item_icon_download")->SetAttribute(L"skin", icons[at], FALSE);
        item->FindChildByName(L"driverfind_item_text1")
            ->SetWindowTextW((std::wstring(L"驱动类型：") + categories[at]).c_str());
        item->FindChildByName(L"driverfind_item_text2")->SetWindowTextW(L"驱动名称：Aurex 14 G3 驱动程序");
        item->FindChildByName(L"driverfind_item_text3")->SetWindowTextW(L"驱动版本：10.1.18.2");
        item->FindChildByName(L"driverfind_item_text4")->SetWindowTextW(L"驱动大小：25.40MB");
        item->FindChildByName(L"dirverfind_download_item_check")->SetCheck(position != 0 ? TRUE : FALSE);
        item->FindChildByName(L"text_item_download_speed")->SetWindowTextW(L"1.25MB/S");
        const int progress[] = {0, 0, 46, 63, 100, 0};
        item->FindChildByName2<SProgress>(L"pro_driverfind_download")->SetValue(progress[at]);
        item->FindChildByName2<STabCtrl>(L"dirverfind_download_operation")->SetCurSel(position);
    }
};

TEST_F(ResourcesMainWindow, PagesAsTheUserSeesThem) {
    auto* tab = Wnd().FindChildByName2<STabCtrl>(L"tab_main_op");
    ASSERT_NE(tab, nullptr);
    test::Pump(std::chrono::milliseconds(100));
    EXPECT_GT(InkPixels(Wnd().RenderToImage(), Wnd().FindChildByName(L"btn_mainop_set")->GetWindowRect()),
              20);
    EXPECT_TRUE(test::SaveWindowAsPng(Wnd(), pelltest::ShotPath(L"page0.png")));

    Wnd().FindChildByName(L"text_device_query_name")->SetWindowTextW(L"主机信息：Aurex 14 G3");
    if (SWindow* os = Wnd().FindChildByName(L"os_select_edit_input")) os->SetWindowTextW(L"Windows 11 64位");
    auto* list = Wnd().FindChildByName2<SListView>(L"listview_driver_download_find");
    ASSERT_NE(list, nullptr);
    auto* preview = new PreviewAdapter();
    list->SetAdapter(preview);
    preview->Release();
    tab->SetCurSel(1);
    test::Pump(std::chrono::milliseconds(100));
    EXPECT_EQ(list->GetItemPanelCount(), 5) << "the list shows four and a part items";
    EXPECT_TRUE(test::SaveWindowAsPng(Wnd(), pelltest::ShotPath(L"page1.png")));

    tab->SetCurSel(2);
    test::Pump(std::chrono::milliseconds(100));
    EXPECT_TRUE(test::SaveWindowAsPng(Wnd(), pelltest::ShotPath(L"page2.png")));

    tab->SetCurSel(3);
    test::Pump(std::chrono::milliseconds(100));
    const SImageData agreement = Wnd().RenderToImage();
    const CRect text = Wnd().FindChildByName(L"agreement_edit")->GetWindowRect();
    EXPECT_GT(InkPixels(agreement, text), 3000) << "the agreement's text is drawn";
    EXPECT_TRUE(test::SaveWindowAsPng(Wnd(), pelltest::ShotPath(L"page3.png")));
}

}  // namespace
}  // namespace apptest
