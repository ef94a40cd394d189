#include "tests/support/LocalService.h"

#include <httplib.h>
#include <json/json.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>

#include "tests/support/TempFolder.h"

namespace {

Json::Value Parse(const std::string& text) {
    Json::Value value;
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    EXPECT_TRUE(reader->parse(text.data(), text.data() + text.size(), &value, &errors)) << errors << text;
    return value;
}

class LocalServiceTest : public ::testing::Test {
protected:
    void SetUp() override { service.Reset(); }

    std::unique_ptr<httplib::Client> Client() {
        auto client = std::make_unique<httplib::Client>(service.BaseUrl());
        client->enable_server_certificate_verification(false);
        client->set_read_timeout(std::chrono::seconds(60));
        return client;
    }

    httplib::Result PostJson(const std::string& path, const std::string& body) {
        return Client()->Post(path, body, "application/json;charset=UTF-8");
    }

    pelltest::LocalService& service = pelltest::LocalService::Shared();
};

TEST_F(LocalServiceTest, HomePageAnswersHeadAndIsLogged) {
    auto res = Client()->Head("/");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 200);
    auto log = service.Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].method, "HEAD");
    EXPECT_EQ(log[0].path, "/");
}

TEST_F(LocalServiceTest, LogKeepsBodiesHeadersAndOrderAndResets) {
    const std::string body = "{\n   \"key\" : \"Aurex 驱动\"\n}\n";
    ASSERT_TRUE(PostJson("/home/driver/TreeNode", body));
    httplib::Headers headers{{"Range", "bytes=10-"}, {"If-Range", "\"v1\""}};
    ASSERT_TRUE(Client()->Get("/no/such/path", headers));

    auto log = service.Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].method, "POST");
    EXPECT_EQ(log[0].body, body);
    EXPECT_EQ(log[0].Header("content-type"), "application/json;charset=UTF-8");
    EXPECT_EQ(log[1].path, "/no/such/path");
    EXPECT_EQ(log[1].Header("Range"), "bytes=10-");
    EXPECT_EQ(log[1].Header("If-Range"), "\"v1\"");
    EXPECT_EQ(service.Log("/no/such/path").size(), 1u);

    service.ResetLog();
    EXPECT_TRUE(service.Log().empty());
}

TEST_F(LocalServiceTest, LookupTellsSerialFromModelName) {
    struct Case {
        std::string key;
        int status;
        std::string codeName;
        std::string sn;
    };
    for (const Case& c :
         {Case{"PF0ABCDE", 300, "Aurex 14 G3", "PF0ABCDE"}, Case{"pf0abcdf", 300, "Aurex 14 G3", "PF0ABCDF"},
          Case{"Aurex 16 Pro", 200, "Aurex 16 Pro", ""}, Case{"velmont t7", 200, "Velmont T7", ""},
          Case{"Nothing Such", 404, "", ""}}) {
        auto res = PostJson("/home/driver/QueryForWeb", "{\"searchKey\":\"" + c.key + "\"}");
        ASSERT_TRUE(res) << c.key;
        Json::Value reply = Parse(res->body);
        EXPECT_EQ(reply["StatusCode"].asInt(), c.status) << c.key;
        if (c.status == 404) {
            EXPECT_EQ(reply["Data"].size(), 0u);
            continue;
        }
        ASSERT_EQ(reply["Data"].size(), 1u) << c.key;
        EXPECT_EQ(reply["Data"][0]["codeName"].asString(), c.codeName);
        EXPECT_EQ(reply["Data"][0]["sn"].asString(), c.sn);
    }
}

TEST_F(LocalServiceTest, SearchListsDriversOfOneSystemWithAddressesBackAtTheService) {
    auto res = PostJson("/home/driver/Search", "{\"osid\":\"41\",\"searchKey\":\"1021\"}");
    ASSERT_TRUE(res);
    Json::Value reply = Parse(res->body);
    EXPECT_EQ(reply["StatusCode"].asString(), "200");
    const Json::Value& drivers = reply["Data"]["driverList"];
    ASSERT_EQ(drivers.size(), 4u);
    for (const auto& driver : drivers) {
        EXPECT_EQ(driver.size(), 21u);
        EXPECT_EQ(driver["FilePath"].asString(),
                  service.BaseUrl() + "/files/" + driver["FileName"].asString());
    }
    bool hasZorvik = false;
    for (const auto& part : reply["Data"]["partList"])
        hasZorvik |= part["PartName"].asString() == "Zorvik驱动专用[重要]";
    EXPECT_TRUE(hasZorvik);
    EXPECT_EQ(reply["Data"]["osList"].size(), 2u);
    EXPECT_EQ(reply["Data"]["defaultOS"][0]["ID"].asString(), "42");
    EXPECT_EQ(reply["Data"]["driverSerious"][0]["NodeCode"].asString(), "Aurex 14 G3");
}

TEST_F(LocalServiceTest, FaultModesBendTheReply) {
    const std::string path = "/home/driver/TreeNode";
    const std::string body = "{\"key\":\"Aurex\"}";
    auto normal = PostJson(path, body);
    ASSERT_TRUE(normal);
    const std::string json = normal->body;

    struct Case {
        std::string mode;
        int status;
        std::function<void(const std::string&)> check;
    };
    const std::vector<Case> cases{
        {"no-brace", 200, [](const std::string& got) { EXPECT_EQ(got.find('{'), std::string::npos); }},
        {"cut-json", 200, [&](const std::string& got) { EXPECT_EQ(got, json.substr(0, json.size() / 2)); }},
        {"invalid-json", 200, [&](const std::string& got) { EXPECT_EQ(got, "{," + json.substr(1)); }},
        {"oversize", 200,
         [&](const std::string& got) {
             EXPECT_GT(got.size(), 1024u * 1024u);
             EXPECT_EQ(Parse(got)["Data"], Parse(json)["Data"]) << "whole, it is valid JSON";
         }},
        {"oversize-tail", 200,
         [&](const std::string& got) {
             EXPECT_GT(got.size(), 4u * 1024u * 1024u);
             EXPECT_EQ(got.substr(got.size() - 2), "\"}");
             EXPECT_EQ(Parse(got)["Data"], Parse(json)["Data"]) << "whole, it is valid JSON";
         }},
        {"http-500", 500, [&](const std::string& got) { EXPECT_EQ(got, json); }},
        {"headers-only", 200, [](const std::string& got) { EXPECT_TRUE(got.empty()); }},
    };
    for (const Case& c : cases) {
        service.SetFault(c.mode);
        auto res = PostJson(path, body);
        ASSERT_TRUE(res) << c.mode;
        EXPECT_EQ(res->status, c.status) << c.mode;
        c.check(res->body);
    }

    service.SetFault("close");
    EXPECT_FALSE(PostJson(path, body)) << "the connection closes before the body is complete";

    service.SetFault("none");
    auto again = PostJson(path, body);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->body, json);
}

TEST_F(LocalServiceTest, SilentAndStalledRepliesHoldUntilTheFaultEnds) {
    const std::string path = "/home/driver/TreeNode";
    for (const char* fault : {"silent", "stall"}) {
        service.SetFault(fault, path);
        auto client = Client();
        client->set_read_timeout(std::chrono::seconds(1));
        EXPECT_FALSE(client->Post(path, "{\"key\":\"Aurex\"}", "application/json")) << fault;
    }
    service.SetFault("none");
    EXPECT_TRUE(PostJson(path, "{\"key\":\"Aurex\"}")) << "the held threads are free again";
}

TEST_F(LocalServiceTest, TrickleSendsTheWholeReplySlowly) {
    const std::string path = "/home/driver/TreeNode";
    service.SetMode("reply", path, "{\"a\":1}");
    service.SetFault("trickle", path);
    const auto start = std::chrono::steady_clock::now();
    auto res = PostJson(path, "{}");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->body, "{\"a\":1}");
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(6 * 200));
}

TEST_F(LocalServiceTest, FaultForOnePathLeavesOthersAlone) {
    service.SetFault("http-500", "/home/driver/Search");
    auto search = PostJson("/home/driver/Search", "{\"osid\":\"42\",\"searchKey\":\"1021\"}");
    auto lookup = PostJson("/home/driver/QueryForWeb", "{\"searchKey\":\"1021\"}");
    ASSERT_TRUE(search);
    ASSERT_TRUE(lookup);
    EXPECT_EQ(search->status, 500);
    EXPECT_EQ(lookup->status, 200);
}

TEST_F(LocalServiceTest, ReplyModeReplacesTheCatalogueAnswer) {
    service.SetMode("reply", "/home/driver/TreeNode", "HTTP said: {\"StatusCode\":\"x\"}");
    auto res = PostJson("/home/driver/TreeNode", "{\"key\":\"Aurex\"}");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->body, "HTTP said: {\"StatusCode\":\"x\"}");
    service.Reset();
    res = PostJson("/home/driver/TreeNode", "{\"key\":\"Aurex\"}");
    ASSERT_TRUE(res);
    EXPECT_EQ(Parse(res->body)["Data"].size(), 2u);
}

TEST_F(LocalServiceTest, UnknownFaultModeIsRefused) {
    EXPECT_THROW(service.SetFault("melt-down"), std::runtime_error);
}

// A catalogue driver with an address of its own is answered with it, in the
// search and in the device-driver reply, one that starts with "/" on the
// service, which serves it with that driver's size; the other points back at
// the service. Two drivers of one file name so get two contents.
TEST(LocalServiceCatalogue, ADriversOwnFilePathIsAnsweredAsItStandsOrOnTheService) {
    namespace fs = std::filesystem;
    const pelltest::TempFolder folder("pell_catalogue_");
    const fs::path& dir = folder.Path();
    std::ofstream(dir / "oses.json") << R"([{"ID": "42", "NAME": "Windows 11 64位"}])";
    std::ofstream(dir / "parts.json") << R"([{"PartID": "1", "PartName": "芯片组", "OrderNum": "1"}])";
    std::ofstream(dir / "models.json") << R"([{"codeName": "Elsewhere 2", "categoryid": "9902",
        "serials": ["EW000002"], "defaultOS": "42", "drivers": [
        {"DriverName": "a", "PartID": "1", "FileName": "away.bin", "FileSize": "10",
         "FilePath": "https://127.0.0.1:1/files/away.bin", "OSIDs": ["42"]},
        {"DriverName": "b", "PartID": "1", "FileName": "home.bin", "FileSize": "10", "OSIDs": ["42"]},
        {"DriverName": "c", "PartID": "1", "FileName": "home.bin", "FileSize": "12",
         "FilePath": "/files/other_home.bin", "OSIDs": ["42"]}]}])";
    {
        pelltest::LocalService service(dir.string());
        httplib::Client client(service.BaseUrl());
        client.enable_server_certificate_verification(false);
        auto post = [&](const std::string& path, const std::string& body) {
            auto res = client.Post(path, body, "application/json;charset=UTF-8");
            EXPECT_TRUE(res) << path;
            return res ? Parse(res->body) : Json::Value();
        };
        const std::vector<std::string> expected{"https://127.0.0.1:1/files/away.bin",
                                                service.BaseUrl() + "/files/home.bin",
                                                service.BaseUrl() + "/files/other_home.bin"};
        const Json::Value search = post("/home/driver/Search", R"({"osid":"42","searchKey":"EW000002"})");
        const Json::Value dmInfo = post("/home/driver/DmInfo", R"({"OS":"42","SN":"EW000002"})");
        ASSERT_EQ(search["Data"]["driverList"].size(), 3u);
        ASSERT_EQ(dmInfo["Driveinfo"].size(), 3u);
        for (Json::ArrayIndex i = 0; i < 3; ++i) {
            EXPECT_EQ(search["Data"]["driverList"][i]["FilePath"].asString(), expected[i]);
            EXPECT_EQ(dmInfo["Driveinfo"][i]["Exefiledlurl"].asString(), expected[i]);
        }
        auto home = client.Get("/files/home.bin");
        auto other = client.Get("/files/other_home.bin");
        ASSERT_TRUE(home && other);
        EXPECT_EQ(home->status, 200);
        EXPECT_EQ(other->status, 200);
        EXPECT_EQ(home->body.size(), 10u);
        EXPECT_EQ(other->body.size(), 12u);
        EXPECT_NE(home->body, other->body.substr(0, 10));
    }
}

TEST(LocalServiceInstances, TwoPrivateInstancesRunSideBySideAndStop) {
    std::string url;
    {
        pelltest::LocalService first;
        pelltest::LocalService second;
        EXPECT_NE(first.Port(), second.Port());
        url = first.BaseUrl();
        httplib::Client client(url);
        client.enable_server_certificate_verification(false);
        EXPECT_TRUE(client.Head("/"));
    }
    httplib::Client client(url);
    client.enable_server_certificate_verification(false);
    client.set_connection_timeout(std::chrono::seconds(2));
    EXPECT_FALSE(client.Head("/")) << "stopped with its fixture";
}

}  // namespace
