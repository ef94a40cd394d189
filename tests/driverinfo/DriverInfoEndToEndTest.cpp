#include <functional>
#include <string>
#include <vector>

#include "CorvaneFixture.h"

namespace {

constexpr const char* kLookup = "/home/driver/QueryForWeb";
constexpr const char* kSearch = "/home/driver/Search";
constexpr const char* kSuggest = "/home/driver/TreeNode";
constexpr const char* kSerial = "/home/driver/DmInfo";

bool QueryByName(SearchResult** out, const std::string& text, int osId) {
    return DriverInfo_QueryBy_DevName(out, text.data(), static_cast<int>(text.size()), osId);
}

TEST_F(CorvaneTest, ModelNameFindsDriversThroughItsCategory) {
    SearchResult* result = nullptr;
    ASSERT_TRUE(QueryByName(&result, "Aurex 14 G3", 42));
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(Body(kLookup), "{\n   \"searchKey\" : \"Aurex 14 G3\"\n}\n");
    EXPECT_EQ(Body(kSearch), "{\n   \"osid\" : \"42\",\n   \"searchKey\" : \"1021\"\n}\n");
    EXPECT_EQ(service->Log(kSearch).at(0).Header("Content-Type"), "application/json;charset=UTF-8");

    EXPECT_EQ(result->StatusCode, "200");
    ASSERT_EQ(result->driverList.size(), 6u);
    const SearchDriver& chipset = result->driverList[0];
    EXPECT_EQ(chipset.DriverName, "芯片组驱动");
    EXPECT_EQ(chipset.FileSize, "1048576");
    EXPECT_EQ(chipset.FilePath, service->BaseUrl() + "/files/aurex14g3_chipset_10.1.exe");
    ASSERT_FALSE(result->driverSerious.empty());
    EXPECT_EQ(result->driverSerious[0].NodeCode, "Aurex 14 G3");
    bool zorvik = false;
    for (const auto& part : result->partList) zorvik |= part.PartName == "Zorvik驱动专用[重要]";
    EXPECT_TRUE(zorvik);
    ASSERT_EQ(result->osList.size(), 2u);
    EXPECT_EQ(result->osList[0].OSID, 42);
    EXPECT_EQ(result->osList[1].OSName, "Windows 10 64位");
    EXPECT_EQ(result->defaultOS.ID, 42);
    EXPECT_EQ(result->defaultOS.NAME, "Windows 11 64位");
}

TEST_F(CorvaneTest, SerialNumberFindsDriversThroughItself) {
    SearchResult* result = nullptr;
    ASSERT_TRUE(QueryByName(&result, "MJ07XK12", 12));
    EXPECT_EQ(Body(kSearch), "{\n   \"osid\" : \"12\",\n   \"searchKey\" : \"MJ07XK12\"\n}\n");
    ASSERT_NE(result, nullptr);
    ASSERT_EQ(result->driverList.size(), 2u);
    EXPECT_EQ(result->driverSerious.at(0).NodeCode, "Velmont T7");
    EXPECT_EQ(result->defaultOS.ID, 12);
}

TEST_F(CorvaneTest, LookupStatusTextPicksTheSearchKeyOfTheFirstHit) {
    struct Case {
        std::string status;
        std::string expectedKey;
    };
    for (const Case& c : {Case{"\"300\"", "PF0ABCDF"}, Case{"\"200\"", "1021"}, Case{"300", "PF0ABCDF"}}) {
        service->Reset();
        service->SetMode(
            "reply", kLookup,
            "{\"StatusCode\":" + c.status +
                ",\"Data\":[{\"categoryid\":\"1021\",\"codeName\":\"Aurex 14 G3\",\"sn\":\"PF0ABCDF\"},"
                "{\"categoryid\":\"2040\",\"sn\":\"MJ07XK11\"}]}");
        SearchResult* result = nullptr;
        EXPECT_TRUE(QueryByName(&result, "anything", 41)) << c.status;
        EXPECT_EQ(Body(kSearch),
                  "{\n   \"osid\" : \"41\",\n   \"searchKey\" : \"" + c.expectedKey + "\"\n}\n");
    }
}

TEST_F(CorvaneTest, LookupWithoutUsableFirstHitSendsNoSearch) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::string text;
    };
    const std::vector<Case> cases{
        {"model outside the product tree", [] {}, "Kestrel Mini"},
        {"unknown model (status 404)", [] {}, "No Such Model"},
        {"empty hit list", [] { service->SetMode("reply", kLookup, R"({"StatusCode":200,"Data":[]})"); },
         "x"},
        {"first hit without category, a later one with",
         [] {
             service->SetMode("reply", kLookup,
                              R"({"StatusCode":200,"Data":[{"categoryid":"0"},{"categoryid":"1021"}]})");
         },
         "x"},
        {"empty category",
         [] {
             service->SetMode("reply", kLookup,
                              R"({"StatusCode":300,"Data":[{"categoryid":"","sn":"PF0"}]})");
         },
         "x"},
        {"status text beyond 200 and 300 after atoi",
         [] {
             service->SetMode("reply", kLookup, R"({"StatusCode":"2000","Data":[{"categoryid":"1021"}]})");
         },
         "x"},
        {"lookup connection closed", [] { service->SetFault("close", kLookup); }, "Aurex 14 G3"},
        {"lookup reply broken", [] { service->SetFault("cut-json", kLookup); }, "Aurex 14 G3"},
    };
    for (const Case& c : cases) {
        service->Reset();
        c.arrange();
        SearchResult* result = Untouched<SearchResult>();
        EXPECT_FALSE(QueryByName(&result, c.text, 42)) << c.what;
        EXPECT_EQ(result, Untouched<SearchResult>()) << c.what;
        EXPECT_EQ(service->Log(kLookup).size(), 1u) << c.what;
        EXPECT_TRUE(service->Log(kSearch).empty()) << c.what;
    }
}

TEST_F(CorvaneTest, SuggestionsReturnNamesInOrder) {
    TreeNodeResult* result = nullptr;
    ASSERT_TRUE(DriverInfo_QuerySuggest(&result, "velmont", 7));
    EXPECT_EQ(Body(kSuggest), "{\n   \"key\" : \"velmont\"\n}\n");
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->StatusCode, "200");
    EXPECT_EQ(result->names, (std::vector<std::string>{"Velmont T7", "Velmont T7 Slim"}));
}

TEST_F(CorvaneTest, TextArgumentsAreCutAtLengthOrNulAndIdsSentAsDecimal) {
    TreeNodeResult* names = nullptr;
    ASSERT_TRUE(DriverInfo_QuerySuggest(&names, "Au\0rex", 5));
    ASSERT_TRUE(DriverInfo_QuerySuggest(&names, "Aurex", 0));
    ASSERT_TRUE(DriverInfo_QuerySuggest(&names, "Aurex 16", 5));
    EXPECT_EQ(Body(kSuggest, 0), "{\n   \"key\" : \"Au\"\n}\n");
    EXPECT_EQ(Body(kSuggest, 1), "{\n   \"key\" : \"\"\n}\n");
    EXPECT_EQ(Body(kSuggest, 2), "{\n   \"key\" : \"Aurex\"\n}\n");

    DmInfoResult* serial = nullptr;
    for (int osId : {42, -1, 123456, INT32_MIN})
        EXPECT_TRUE(DriverInfo_QueryBy_SN(&serial, "PF1ZX900", 8, osId));
    EXPECT_EQ(Body(kSerial, 0), "{\n   \"OS\" : \"42\",\n   \"SN\" : \"PF1ZX900\"\n}\n");
    EXPECT_EQ(Body(kSerial, 1), "{\n   \"OS\" : \"-1\",\n   \"SN\" : \"PF1ZX900\"\n}\n");
    EXPECT_EQ(Body(kSerial, 2), "{\n   \"OS\" : \"123456\",\n   \"SN\" : \"PF1ZX900\"\n}\n");
    EXPECT_EQ(Body(kSerial, 3), "{\n   \"OS\" : \"-2147483648\",\n   \"SN\" : \"PF1ZX900\"\n}\n");

    SearchResult* result = nullptr;
    ASSERT_FALSE(QueryByName(&result, "Aurex 驱动\"\\", 42));
    EXPECT_EQ(Body(kLookup), "{\n   \"searchKey\" : \"Aurex 驱动\\\"\\\\\"\n}\n")
        << "UTF-8 bytes pass unescaped";
}

TEST_F(CorvaneTest, BadArgumentsFailWithoutARequest) {
    TreeNodeResult* names = Untouched<TreeNodeResult>();
    EXPECT_FALSE(DriverInfo_QuerySuggest(&names, nullptr, 3));
    EXPECT_FALSE(DriverInfo_QuerySuggest(&names, "abc", -1));
    EXPECT_FALSE(DriverInfo_QuerySuggest(nullptr, "abc", 3));
    EXPECT_EQ(names, Untouched<TreeNodeResult>());
    EXPECT_TRUE(DriverInfo_QuerySuggest(&names, nullptr, 0)) << "no text is an empty key";
    EXPECT_EQ(service->Log(kSuggest).size(), 1u);
}

TEST_F(CorvaneTest, SerialQueryFillsItsDrivers) {
    DmInfoResult* result = nullptr;
    ASSERT_TRUE(DriverInfo_QueryBy_SN(&result, "PF1ZX900", 8, 42));
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->StatusCode, 200);
    EXPECT_EQ(result->Success, "true");
    ASSERT_EQ(result->Driveinfo.size(), 3u);
    EXPECT_EQ(result->Driveinfo[2].Bus, "USB");
    EXPECT_EQ(result->Driveinfo[2].Hardwareid, "USB\\VID_8087&PID_0033");
    EXPECT_EQ(result->Driveinfo[2].Class, "蓝牙");
    EXPECT_EQ(result->Driveinfo[2].Exefiledlurl,
              service->BaseUrl() + "/files/aurex16pro_bluetooth_22.240.zip");
}

// Each fault of the suggestion reply: the result, and whether *out was written.
TEST_F(CorvaneTest, FaultyRepliesGiveTheSpecifiedResult) {
    struct Case {
        const char* fault;
        bool result;
        bool outWritten;
    };
    for (const Case& c :
         {Case{"no-brace", false, true}, Case{"cut-json", false, true}, Case{"invalid-json", false, true},
          Case{"oversize", false, true}, Case{"oversize-tail", false, true},
          Case{"headers-only", false, true}, Case{"http-500", true, true}, Case{"close", false, false}}) {
        service->SetFault(c.fault);
        TreeNodeResult* result = Untouched<TreeNodeResult>();
        EXPECT_EQ(DriverInfo_QuerySuggest(&result, "Aurex", 5), c.result) << c.fault;
        EXPECT_EQ(result != Untouched<TreeNodeResult>(), c.outWritten) << c.fault;
        if (c.result) {
            EXPECT_EQ(result->names, (std::vector<std::string>{"Aurex 14 G3", "Aurex 16 Pro"})) << c.fault;
        } else if (c.outWritten) {
            EXPECT_TRUE(result->names.empty()) << c.fault;
        }
    }
}

TEST_F(CorvaneTest, FaultOfTheSearchStepAfterAGoodLookup) {
    struct Case {
        const char* fault;
        bool result;
        bool outWritten;
    };
    for (const Case& c : {Case{"http-500", true, true}, Case{"no-brace", false, true},
                          Case{"oversize-tail", false, true}, Case{"close", false, false}}) {
        service->SetFault(c.fault, kSearch);
        SearchResult* result = Untouched<SearchResult>();
        EXPECT_EQ(QueryByName(&result, "Aurex 16 Pro", 42), c.result) << c.fault;
        EXPECT_EQ(result != Untouched<SearchResult>(), c.outWritten) << c.fault;
        if (c.result) {
            EXPECT_EQ(result->driverList.size(), 3u);
        }
    }
}

TEST_F(CorvaneTest, SearchReplyWithANumberWhereTextBelongsIsUnreadable) {
    service->SetMode("reply", kSearch, R"({"StatusCode":"200","Data":{"driverList":[{"HisCount":3}]}})");
    SearchResult* result = nullptr;
    EXPECT_FALSE(QueryByName(&result, "Aurex 14 G3", 42));
    EXPECT_NE(result, nullptr) << "the transfer succeeded, so *out is written";
}

TEST_F(CorvaneTest, RecordsLiveFromInitToFree) {
    TreeNodeResult* first = nullptr;
    ASSERT_TRUE(DriverInfo_QuerySuggest(&first, "Aurex", 5));
    ASSERT_TRUE(DriverInfo_Init());
    TreeNodeResult* second = nullptr;
    ASSERT_TRUE(DriverInfo_QuerySuggest(&second, "Kestrel", 7));
    EXPECT_EQ(first, second) << "a second Init keeps the records";
    EXPECT_EQ(second->names, std::vector<std::string>{"Kestrel Mini"});

    EXPECT_TRUE(DriverInfo_Free());
    EXPECT_TRUE(DriverInfo_Free());
    service->ResetLog();
    TreeNodeResult* none = Untouched<TreeNodeResult>();
    EXPECT_FALSE(DriverInfo_QuerySuggest(&none, "Aurex", 5)) << "no records, nothing to fill";
    EXPECT_EQ(none, Untouched<TreeNodeResult>());
    EXPECT_TRUE(service->Log().empty());
    ASSERT_TRUE(DriverInfo_Init());
}

TEST_F(CorvaneTest, NetworkCheckAsksForTheHomePageHead) {
    EXPECT_TRUE(DriverInfo_GetNetWorkCondition());
    auto log = service->Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].method, "HEAD");
    EXPECT_EQ(log[0].path, "/");
}

}  // namespace
