// A service that stops answering, and one whose certificate is not trusted:
// every request gives up in bounded time and none is sent to an unverified peer.
#include <chrono>
#include <cstdlib>
#include <string>

#include "ToolServiceFixture.h"
#include "common/ServiceRequest.h"
#include "tests/support/ServiceTrust.h"

namespace {

using Clock = std::chrono::steady_clock;

const char* kVersionPath = "/Home/tool/version";
const char* kStatisticsPath = "/Home/tool/statistics";
const char* kUrlListPath = "/home/tool/urlList";

OperationReport Report() {
    return {"10092", "1765353600", "1.3.24.910", "3", "Aurex 14", "Zorvik", "PF3X9K", "1"};
}

// Each of the three requests, true when it was answered and read.
struct Request {
    const char* path;
    bool (*call)(ToolVersionInfo&);
};
const Request kRequests[] = {
    {kVersionPath, [](ToolVersionInfo& tool) { return DataCollection_VersionGet(&tool) != 0; }},
    {kStatisticsPath,
     [](ToolVersionInfo&) {
         OperationReport report = Report();
         return DataCollection_OperationResponse(&report);
     }},
    {kUrlListPath,
     [](ToolVersionInfo&) {
         ServiceUrlTable table;
         return DataCollection_GetServerUrlInfo(&table);
     }},
};

// The waits shortened to 2 s, so that each case ends in seconds.
class TessalyWaits : public ToolServiceTest {
protected:
    void SetUp() override {
        ToolServiceTest::SetUp();
        setenv(kServiceTimeoutVariable, "2", 1);
    }
    void TearDown() override { unsetenv(kServiceTimeoutVariable); }
};

using TessalyTrust = ToolServiceTest;

TEST_F(TessalyWaits, RequestsGiveUpOnASilentStalledOrTricklingService) {
    for (const Request& request : kRequests) {
        for (const char* fault : {"silent", "stall", "trickle"}) {
            Service().Reset();
            Service().SetFault(fault, request.path);
            const auto start = Clock::now();
            EXPECT_FALSE(request.call(tool)) << fault << " " << request.path;
            // 2 s of waiting, the rest slack for a loaded machine; the service
            // holds a silent or stalled reply for a minute.
            EXPECT_LT(Clock::now() - start, std::chrono::seconds(15)) << fault << " " << request.path;
        }
    }
}

// Only the certificate that PELLUCOR_CA_FILE names is trusted; without it the
// system's store is, which does not hold the local service's own certificate.
TEST_F(TessalyTrust, OnlyAVerifiedServiceIsAsked) {
    for (const pelltest::TrustCase& c : pelltest::TrustCases(Service())) {
        Service().Reset();
        c.Apply();
        for (const Request& request : kRequests) EXPECT_EQ(request.call(tool), c.trusted) << c.what;
        EXPECT_EQ(Service().Log().size(), c.trusted ? 3u : 0u)
            << c.what << ": nothing reaches an untrusted peer";
    }
}

}  // namespace
