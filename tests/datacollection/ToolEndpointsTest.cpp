#include <string>

#include "ToolServiceFixture.h"
#include "tests/support/BrowserRecorder.h"

namespace {

const char* kVersionPath = "/Home/tool/version";
const char* kUrlListPath = "/home/tool/urlList";

std::string UrlList(std::initializer_list<const char*> urls, int code = 200) {
    std::string list;
    for (const char* url : urls) list += std::string(list.empty() ? "" : ",") + "{\"url\":\"" + url + "\"}";
    return "{\"code\":" + std::to_string(code) + ",\"msg\":\"\",\"data\":[" + list + "]}";
}

ServiceUrlTable Marked() {
    return {{"mark 0", "mark 1", "mark 2", "mark 3", "mark 4"}};
}

void ExpectTable(const ServiceUrlTable& table, std::initializer_list<std::string> expected) {
    int i = 0;
    for (const std::string& url : expected) {
        EXPECT_EQ(table.url[i], url) << "entry " << i;
        ++i;
    }
}

}  // namespace

using VersionCheck = ToolServiceTest;
using UrlListFetch = ToolServiceTest;
using FeedbackPage = ToolServiceTest;

TEST_F(VersionCheck, PassesTheReplyCodeThrough) {
    EXPECT_EQ(DataCollection_VersionGet(&tool), 200);
    Service().SetMode("tool", "version", "newer");
    EXPECT_EQ(DataCollection_VersionGet(&tool), 202);

    struct Case {
        const char* reply;
        int code;
    };
    for (const Case& c :
         {Case{R"({"code":500,"msg":"busy"})", 500}, Case{R"({"code":-7})", -7},
          Case{R"({"code":"202","data":"https://x/new"})", 0}, Case{R"({"msg":"no code"})", 0},
          Case{R"({"code":20)", 0}, Case{R"(["code",202])", 0}}) {
        Service().SetMode("reply", kVersionPath, c.reply);
        EXPECT_EQ(DataCollection_VersionGet(&tool), c.code) << c.reply;
    }
}

TEST_F(VersionCheck, FailedRepliesGiveZero) {
    Service().SetMode("tool", "version", "newer");  // a 202 with an address
    for (const char* fault : {"no-brace", "close", "cut-json", "headers-only", "oversize-tail"}) {
        Service().SetFault(fault, kVersionPath);
        EXPECT_EQ(DataCollection_VersionGet(&tool), 0) << fault;
    }
    EXPECT_EQ(DataCollection_VersionGet(nullptr), 0);
}

TEST_F(VersionCheck, SendsTheToolIdentityAsStyledJson) {
    ASSERT_EQ(DataCollection_VersionGet(&tool), 200);
    const auto sent = Service().Log(kVersionPath);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].method, "POST");
    EXPECT_EQ(sent[0].Header("Content-Type"), "application/json");
    EXPECT_EQ(sent[0].body, "{\n   \"id\" : \"10092\",\n   \"versions\" : \"1.3.24.910\"\n}\n");
}

TEST_F(VersionCheck, A202StoresTheDownloadAddress) {
    BrowserRecorder browser;
    EXPECT_TRUE(DataCollection_OpenToolDownUrl());  // nothing stored yet: an empty address
    ASSERT_EQ(browser.WaitForOpened(1).size(), 1u);

    Service().SetMode("tool", "version", "newer");
    ASSERT_EQ(DataCollection_VersionGet(&tool), 202);
    // A 202 without a text "data" keeps the stored address.
    for (const char* reply : {R"({"code":202})", R"({"code":202,"data":17})", R"({"code":200,"data":"x"})"}) {
        Service().SetMode("reply", kVersionPath, reply);
        DataCollection_VersionGet(&tool);
    }
    EXPECT_TRUE(DataCollection_OpenToolDownUrl());
    const auto opened = browser.WaitForOpened(2);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], "");
    EXPECT_EQ(opened[1], Base() + "/download/Pellucor-setup.exe");
}

TEST_F(UrlListFetch, FillsTheFiveServiceAddresses) {
    ServiceUrlTable table;
    EXPECT_TRUE(DataCollection_GetServerUrlInfo(&table));
    ExpectTable(table, {Base() + "/home#/suggest?id=", Base() + "/home/agreement", Base() + "/home/help",
                        Base() + "/home/download", Base() + "/home"});
    EXPECT_EQ(Service().Log(kUrlListPath).at(0).method, "GET");

    Service().SetMode("reply", kUrlListPath, UrlList({"a0", "a1", "a2", "a3", "a4", "a5", "a6"}));
    EXPECT_TRUE(DataCollection_GetServerUrlInfo(&table));
    ExpectTable(table, {"a0", "a1", "a2", "a3", "a4"});

    Service().SetMode("reply", kUrlListPath, UrlList({"b0", "b1"}));
    EXPECT_TRUE(DataCollection_GetServerUrlInfo(&table));
    ExpectTable(table, {"b0", "b1", "a2", "a3", "a4"});

    for (int code : {404, 500}) {
        Service().SetMode("reply", kUrlListPath, UrlList({"c0", "c1", "c2"}, code));
        table = Marked();
        EXPECT_TRUE(DataCollection_GetServerUrlInfo(&table)) << code;
        ExpectTable(table, {"b0", "b1", "a2", "a3", "a4"});
    }
}

TEST_F(UrlListFetch, TakesAMissingUrlAsEmptyAndABooleanAsText) {
    Service().SetMode("reply", kUrlListPath,
                      R"({"code":200,"data":[{"link":"x"},{"url":true},{"url":null}]})");
    ServiceUrlTable table = Marked();
    EXPECT_TRUE(DataCollection_GetServerUrlInfo(&table));
    ExpectTable(table, {"", "true", "", "", ""});
}

TEST_F(UrlListFetch, AUrlThatIsNoTextEndsTheFetch) {
    Service().SetMode("reply", kUrlListPath, UrlList({"d0", "d1", "d2", "d3", "d4"}));
    ServiceUrlTable table;
    ASSERT_TRUE(DataCollection_GetServerUrlInfo(&table));

    for (const char* bad : {R"(42)", R"([1])", R"({"a":1})"}) {
        Service().SetMode("reply", kUrlListPath,
                          std::string(R"({"code":200,"data":[{"url":"e0"},{"url":)") + bad + "}]}");
        table = Marked();
        EXPECT_FALSE(DataCollection_GetServerUrlInfo(&table)) << bad;
        ExpectTable(table, {"mark 0", "mark 1", "mark 2", "mark 3", "mark 4"});
    }
    // The entries before the bad one were kept.
    Service().SetMode("reply", kUrlListPath, UrlList({}, 404));
    EXPECT_TRUE(DataCollection_GetServerUrlInfo(&table));
    ExpectTable(table, {"e0", "d1", "d2", "d3", "d4"});
}

TEST_F(UrlListFetch, FailedRepliesStillCopyTheKeptAddresses) {
    ServiceUrlTable table;
    ASSERT_TRUE(DataCollection_GetServerUrlInfo(&table));
    const ServiceUrlTable kept = table;
    for (const char* fault : {"no-brace", "close", "invalid-json", "cut-json", "oversize-tail"}) {
        Service().SetFault(fault, kUrlListPath);
        table = Marked();
        EXPECT_FALSE(DataCollection_GetServerUrlInfo(&table)) << fault;
        for (int i = 0; i < 5; ++i) EXPECT_EQ(table.url[i], kept.url[i]) << fault << " entry " << i;
    }
    Service().SetFault("none");
    Service().SetMode("reply", kUrlListPath, R"({"code":"200","data":[{"url":"f0"}]})");
    EXPECT_FALSE(DataCollection_GetServerUrlInfo(&table));
    EXPECT_EQ(table.url[0], kept.url[0]);
    EXPECT_FALSE(DataCollection_GetServerUrlInfo(nullptr));
}

TEST_F(FeedbackPage, FallsBackToTheBuiltInAddressFollowedByTheId) {
    BrowserRecorder browser;
    EXPECT_TRUE(DataCollection_OpenFeedbackQuestion(&tool));
    ASSERT_EQ(browser.WaitForOpened(1).size(), 1u);

    Service().SetMode("reply", kUrlListPath,
                      UrlList({"https://fb.example/ask?tool=", "https://fb.example/terms"}));
    ServiceUrlTable table;
    ASSERT_TRUE(DataCollection_GetServerUrlInfo(&table));
    ToolVersionInfo other{"4711", "ignored"};
    EXPECT_TRUE(DataCollection_OpenFeedbackQuestion(&other));
    EXPECT_TRUE(DataCollection_OpenFeedbackQuestion(nullptr));

    const auto opened = browser.WaitForOpened(2);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], Base() + "/home#/suggest?id=10092");
    EXPECT_EQ(opened[1], "https://fb.example/ask?tool=4711");
}
