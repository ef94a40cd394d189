#include <string>

#include "ToolServiceFixture.h"

namespace {

const char* kStatisticsPath = "/Home/tool/statistics";

// The report's styled JSON, written out by hand: keys in byte order.
std::string StyledReport(const OperationReport& r) {
    const std::pair<const char*, std::string> members[] = {
        {"Manufacture", r.Manufacture},
        {"PcModel", r.PcModel},
        {"SerialNumber", r.SerialNumber},
        {"datetime", r.datetime},
        {"id", r.id},
        {"sourc_type", r.sourc_type},
        {"status", r.status},
        {"versions", r.versions},
    };
    std::string json = "{\n";
    for (const auto& [key, value] : members)
        json += std::string("   \"") + key + "\" : \"" + value + "\"" +
                (key == std::string("versions") ? "\n" : ",\n");
    return json + "}\n";
}

}  // namespace

using ReportUpload = ToolServiceTest;

TEST_F(ReportUpload, TheServiceOpensExactlyTheStyledReport) {
    OperationReport shortReport{"10092",    "1765353600", "1.3.24.910", "3",
                                "Aurex 14", "Zorvik",     "PF3X9K",     "1"};
    OperationReport longReport = shortReport;
    longReport.PcModel = "\xE6\x8B\xAF\xE6\x95\x91\xE8\x80\x85 Y9000P " + std::string(300, 'm');
    longReport.SerialNumber = std::string(200, 's');
    ASSERT_GT(StyledReport(longReport).size(), 2 * 245u);

    for (OperationReport* report : {&shortReport, &longReport}) {
        Service().Reset();
        ASSERT_TRUE(DataCollection_OperationResponse(report));
        EXPECT_EQ(ReceivedReport(), StyledReport(*report));
    }
}

TEST_F(ReportUpload, TheBodyCarriesOnlyTheSealedText) {
    OperationReport report{"10092", "1765353600", "1.3.24.910", "3", "", "", "", "1"};
    ASSERT_TRUE(DataCollection_OperationResponse(&report));
    const auto sent = Service().Log(kStatisticsPath);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].Header("Content-Type"), "application/json");
    const std::string& body = sent[0].body;
    ASSERT_EQ(body.size(), 344u + 11u);
    EXPECT_EQ(body.substr(0, 9), "{\"data\":\"");
    EXPECT_EQ(body.substr(body.size() - 4), "==\"}");
    EXPECT_EQ(body.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=", 9),
              body.size() - 2);
}

TEST_F(ReportUpload, ABrokenConnectionIsNoDelivery) {
    OperationReport report{"10092", "1765353600", "1.3.24.910", "3", "", "", "", "1"};
    Service().SetFault("close", kStatisticsPath);
    EXPECT_FALSE(DataCollection_OperationResponse(&report));
    Service().SetFault("none");
    // The reply itself is not read: any completed transfer counts.
    Service().SetFault("no-brace", kStatisticsPath);
    EXPECT_TRUE(DataCollection_OperationResponse(&report));
    EXPECT_FALSE(DataCollection_OperationResponse(nullptr));
}
