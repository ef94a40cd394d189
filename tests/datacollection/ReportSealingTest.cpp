#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "datacollection/DataCollectionApi.h"
#include "datacollection/ReportPublicKey.h"
#include "datacollection/ReportSealing.h"

using namespace tessaly;

TEST(ReportSealing, WritesTheReportAsStyledJsonInKeyOrder) {
    OperationReport report{"10092", "1765353600", "1.3.24.910", "3", "Aurex 14", "Zorvik", "SN\"1\\", "1"};
    EXPECT_EQ(OperationReportJson(report),
              "{\n"
              "   \"Manufacture\" : \"Zorvik\",\n"
              "   \"PcModel\" : \"Aurex 14\",\n"
              "   \"SerialNumber\" : \"SN\\\"1\\\\\",\n"
              "   \"datetime\" : \"1765353600\",\n"
              "   \"id\" : \"10092\",\n"
              "   \"sourc_type\" : \"1\",\n"
              "   \"status\" : \"3\",\n"
              "   \"versions\" : \"1.3.24.910\"\n"
              "}\n");
}

TEST(ReportSealing, KeepsBytesAboveAsciiAndEscapesControlCharacters) {
    OperationReport report;
    report.PcModel = "\xC0\xE5\xD2\xD5 \xE4\xB8\xAD";  // ANSI text, not all of it UTF-8
    report.Manufacture = "a\tb\x01";
    const std::string json = OperationReportJson(report);
    EXPECT_NE(json.find("\"PcModel\" : \"\xC0\xE5\xD2\xD5 \xE4\xB8\xAD\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"Manufacture\" : \"a\\tb\\u0001\""), std::string::npos) << json;
}

TEST(ReportSealing, EncryptsInSlicesOf245Bytes) {
    struct Case {
        size_t textLength;
        size_t cipherLength;
    };
    for (const Case& c : {Case{0, 0}, Case{1, 256}, Case{245, 256}, Case{246, 512}, Case{600, 768}}) {
        const std::string sealed = RsaPublicEncrypt(std::string(c.textLength, 'x'), kReportPublicKey);
        EXPECT_EQ(sealed.size(), c.cipherLength) << "text of " << c.textLength << " bytes";
    }
}

TEST(ReportSealing, SealsNothingWithAKeyThatDoesNotLoad) {
    EXPECT_EQ(RsaPublicEncrypt("report", "-----BEGIN PUBLIC KEY-----\nAAAA\n-----END PUBLIC KEY-----"), "");
    EXPECT_EQ(RsaPublicEncrypt("report", ""), "");
}

TEST(ReportSealing, TheKeyIsA2048BitPemOfNineLines) {
    const std::string key = kReportPublicKey;
    EXPECT_EQ(key.size(), 450u);
    EXPECT_EQ(key.rfind("-----BEGIN PUBLIC KEY-----\n", 0), 0u);
    EXPECT_EQ(key.substr(key.size() - 25), "\n-----END PUBLIC KEY-----");
    EXPECT_EQ(std::count(key.begin(), key.end(), '\n'), 8);
}

TEST(ReportSealing, TheSealedReportIsBase64OfWholeBlocks) {
    OperationReport shortReport{"10092", "1765353600", "1.3.24.910", "3", "", "", "", "1"};
    const std::string sealed = SealOperationReport(shortReport);
    EXPECT_EQ(sealed.size(), 344u);
    EXPECT_EQ(sealed.substr(342), "==");

    OperationReport longReport = shortReport;
    longReport.PcModel = std::string(400, 'M');
    EXPECT_EQ(SealOperationReport(longReport).size(), 1024u);  // 600-odd bytes: three blocks
}
