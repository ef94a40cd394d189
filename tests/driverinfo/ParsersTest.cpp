#include "driverinfo/Parsers.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/ResponseBuffer.h"
#include "driverinfo/Records.h"
#include "driverinfo/ReplyRules.h"

namespace {

class ParsersTest : public ::testing::Test {
protected:
    void SetUp() override { CreateRecords(); }
    void TearDown() override { DestroyRecords(); }

    // The reply as the transfer leaves it: status line and headers first.
    static void Reply(const std::string& body) {
        ResetResponseBuffer();
        const std::string text = "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n\r\n" + body;
        OnResponseData(text.data(), 1, text.size(), nullptr);
    }

    static bool Search(const std::string& body) {
        Reply(body);
        ClearSearchResult();
        return ParseSearchResponse();
    }
};

TEST_F(ParsersTest, SearchFillsEveryListInOrder) {
    ASSERT_TRUE(Search(R"({"StatusCode":"200","Message":"成功","Data":{
        "driverList":[{"DriverEdtionId":"1","DriverName":"芯片组","FileSize":"1024","FilePath":"https://h/files/a.exe",
                       "IsIssued":true},{"DriverEdtionId":"2"}],
        "partList":[{"PartID":"90","PartName":"Zorvik驱动专用[重要]","OrderNum":"9"}],
        "osList":[{"OSID":"42","OSName":"Windows 11","OrderNumber":"1"},{"OSID":"12abc"},{"OSID":""},{"OSID":"  -7"}],
        "driverSerious":[{"NodeCode":"Aurex 14 G3","MEMO":"m","ProductTreeId":"5501"}],
        "driverMTList":[{"NodeCode":"Aurex","ProductTreeId":"1"}],
        "defaultOS":[{"ID":"41","NAME":"Windows 10"},{"ID":"42","NAME":"Windows 11","Status":"1"}]}})"));
    const SearchResult& r = *g_searchResult;
    EXPECT_EQ(r.StatusCode, "200");
    EXPECT_EQ(r.Message, "成功");
    ASSERT_EQ(r.driverList.size(), 2u);
    EXPECT_EQ(r.driverList[0].DriverName, "芯片组");
    EXPECT_EQ(r.driverList[0].FileSize, "1024");
    EXPECT_EQ(r.driverList[0].FilePath, "https://h/files/a.exe");
    EXPECT_EQ(r.driverList[0].IsIssued, "true");
    EXPECT_EQ(r.driverList[1].DriverEdtionId, "2");
    EXPECT_EQ(r.driverList[1].DriverName, "");
    ASSERT_EQ(r.partList.size(), 1u);
    EXPECT_EQ(r.partList[0].PartName, "Zorvik驱动专用[重要]");
    ASSERT_EQ(r.osList.size(), 4u);
    EXPECT_EQ(r.osList[0].OSID, 42);
    EXPECT_EQ(r.osList[0].OSName, "Windows 11");
    EXPECT_EQ(r.osList[1].OSID, 12);
    EXPECT_EQ(r.osList[2].OSID, 0);
    EXPECT_EQ(r.osList[3].OSID, -7);
    ASSERT_EQ(r.driverSerious.size(), 1u);
    EXPECT_EQ(r.driverSerious[0].NodeCode, "Aurex 14 G3");
    EXPECT_EQ(r.driverSerious[0].MEMO, "m");
    ASSERT_EQ(r.driverMTList.size(), 1u);
    EXPECT_EQ(r.defaultOS.ID, 42) << "the last defaultOS element wins";
    EXPECT_EQ(r.defaultOS.NAME, "Windows 11");
    EXPECT_EQ(r.defaultOS.Status, "1");
}

TEST_F(ParsersTest, SearchWithoutDataKeepsThePreviousDefaultOs) {
    ASSERT_TRUE(Search(R"({"StatusCode":"200","Data":{"defaultOS":[{"ID":"42","NAME":"Windows 11"}],
                            "driverList":[{"DriverName":"x"}]}})"));
    ASSERT_TRUE(Search(R"({"Other":1})"));
    const SearchResult& r = *g_searchResult;
    EXPECT_TRUE(r.driverList.empty());
    EXPECT_TRUE(r.osList.empty());
    EXPECT_EQ(r.StatusCode, "");
    EXPECT_EQ(r.Message, "");
    EXPECT_EQ(r.defaultOS.ID, 42);
    EXPECT_EQ(r.defaultOS.NAME, "Windows 11");
}

TEST_F(ParsersTest, SearchRejectsValuesOfTheWrongKind) {
    for (const char* body : {
             R"({"Data":{"driverList":[{"HisCount":12}]}})",
             R"({"StatusCode":200})",
             R"({"Data":[]})",
             R"({"Data":{"osList":{}}})",
             R"({"Data":{"partList":["x"]}})",
             R"({"Data":{"defaultOS":[{"ID":42}]}})",
             R"({"Message":{"a":1}})",
         }) {
        EXPECT_FALSE(Search(body)) << body;
    }
}

TEST_F(ParsersTest, EveryParserFailsWithoutBraceOrOnBrokenJson) {
    const std::function<bool()> parsers[] = {ParseDmInfoResponse, ParseSearchResponse,
                                             ParseQueryForWebResponse, ParseTreeNodeResponse};
    for (const char* body :
         {"Service unavailable", "", "{\"StatusCode\":200,", "{\"a\" 1}", "{,\"StatusCode\":200}"}) {
        for (const auto& parse : parsers) {
            Reply(body);
            EXPECT_FALSE(parse()) << body;
        }
    }
}

TEST_F(ParsersTest, LookupAcceptsOnly200And300InEitherForm) {
    struct Case {
        const char* status;
        bool accepted;
        const char* kept;
    };
    for (const Case& c :
         {Case{"\"300\"", true, "300"}, Case{"200", true, "200"}, Case{"300", true, "300"},
          Case{"\"200 OK\"", true, "200 OK"}, Case{"404", false, ""}, Case{"\"404\"", false, ""},
          Case{"200.0", false, ""}, Case{"true", false, ""}, Case{"4294967496", false, ""}}) {
        Reply(std::string(R"({"Message":"m","StatusCode":)") + c.status +
              R"(,"Data":[{"categoryid":"1021","codeName":"Aurex","productLine":"A","sn":"PF0"}]})");
        ClearQueryForWebResult();
        EXPECT_EQ(ParseQueryForWebResponse(), c.accepted) << c.status;
        EXPECT_EQ(g_queryForWebResult->StatusCode, c.kept) << c.status;
        EXPECT_EQ(g_queryForWebResult->Data.size(), c.accepted ? 1u : 0u) << c.status;
    }
    EXPECT_EQ(g_queryForWebResult->Data.size(), 0u);
    Reply(
        R"({"StatusCode":300,"Data":[{"categoryid":"1021","codeName":"Aurex","productLine":"A","sn":"PF0"}]})");
    ASSERT_TRUE(ParseQueryForWebResponse());
    EXPECT_EQ(g_queryForWebResult->Data[0].sn, "PF0");
    EXPECT_EQ(g_queryForWebResult->Data[0].codeName, "Aurex");
}

TEST_F(ParsersTest, SuggestionStatusFollowsTheIntegerRule) {
    struct Case {
        const char* status;
        bool read;
        const char* kept;
    };
    for (const Case& c : {Case{"200", true, "200"}, Case{"200.9", true, "200"}, Case{"-3.5", true, "-3"},
                          Case{"true", true, "1"}, Case{"null", true, "0"}, Case{"\"200\"", false, ""},
                          Case{"3000000000", false, ""}, Case{"[]", false, ""}}) {
        Reply(std::string(R"({"StatusCode":)") + c.status +
              R"(,"Message":"ok","Data":[{"NAME":"B"},{"NAME":"A"},{"NAME":"C"}]})");
        ClearTreeNodeResult();
        EXPECT_EQ(ParseTreeNodeResponse(), c.read) << c.status;
        if (!c.read) continue;
        EXPECT_EQ(g_treeNodeResult->StatusCode, c.kept) << c.status;
        EXPECT_EQ(g_treeNodeResult->names, (std::vector<std::string>{"B", "A", "C"}));
    }
}

TEST_F(ParsersTest, SerialReplyKeepsOnlyWellTypedHeadMembers) {
    Reply(R"({"Success":1,"StatusCode":"200","Message":"ok","ResultCode":"0",
              "Driveinfo":[{"Bus":"PCI","Hardwareid":"PCI\\VEN_8086","Drivername":"芯片组","Type":"exe"}]})");
    ClearDmInfoResult();
    ASSERT_TRUE(ParseDmInfoResponse());
    const DmInfoResult& r = *g_dmInfoResult;
    EXPECT_EQ(r.Success, "");
    EXPECT_EQ(r.StatusCode, 0);
    EXPECT_EQ(r.Message, "ok");
    EXPECT_EQ(r.ResultCode, "0");
    ASSERT_EQ(r.Driveinfo.size(), 1u);
    EXPECT_EQ(r.Driveinfo[0].Bus, "PCI");
    EXPECT_EQ(r.Driveinfo[0].Hardwareid, "PCI\\VEN_8086");
    EXPECT_EQ(r.Driveinfo[0].Drivername, "芯片组");

    Reply(R"({"Success":"true","StatusCode":200,"Message":7,"Driveinfo":null})");
    ClearDmInfoResult();
    ASSERT_TRUE(ParseDmInfoResponse());
    EXPECT_EQ(r.Success, "true");
    EXPECT_EQ(r.StatusCode, 200);
    EXPECT_EQ(r.Message, "");

    Reply(R"({"Driveinfo":[{"Filesize":1024}]})");
    EXPECT_FALSE(ParseDmInfoResponse());
}

TEST_F(ParsersTest, ClearingEmptiesAllButTheDefaultOs) {
    ASSERT_TRUE(
        Search(R"({"StatusCode":"200","Message":"m","Data":{"driverList":[{}],"partList":[{}],"osList":[{}],
        "driverSerious":[{}],"driverMTList":[{}],"defaultOS":[{"ID":"42"}]}})"));
    ClearSearchResult();
    const SearchResult& r = *g_searchResult;
    EXPECT_TRUE(r.driverList.empty() && r.partList.empty() && r.osList.empty() && r.driverSerious.empty() &&
                r.driverMTList.empty());
    EXPECT_TRUE(r.Message.empty() && r.StatusCode.empty());
    EXPECT_EQ(r.defaultOS.ID, 42);
}

TEST(LeadingNumber, ReadsLikeAtoiAndStopsAtTheInt32Limits) {
    struct Case {
        const char* text;
        int32_t value;
    };
    for (const Case& c :
         {Case{"42", 42}, Case{" \t-7x", -7}, Case{"+12abc", 12}, Case{"", 0}, Case{"abc", 0}, Case{"- 5", 0},
          Case{"99999999999", INT32_MAX}, Case{"-2147483648", INT32_MIN}, Case{"-99999999999", INT32_MIN}}) {
        EXPECT_EQ(LeadingNumber(c.text), c.value) << c.text;
    }
}

TEST_F(ParsersTest, ParsersWithoutRecordsFail) {
    DestroyRecords();
    Reply(R"({"StatusCode":200,"Data":[]})");
    EXPECT_FALSE(ParseDmInfoResponse());
    EXPECT_FALSE(ParseSearchResponse());
    EXPECT_FALSE(ParseQueryForWebResponse());
    EXPECT_FALSE(ParseTreeNodeResponse());
}

}  // namespace
