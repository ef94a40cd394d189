// A service that stops answering, and one whose certificate is not trusted:
// every request gives up in bounded time and none is sent to an unverified peer.
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "CorvaneFixture.h"
#include "common/ServiceRequest.h"
#include "tests/support/ServiceTrust.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::seconds;

constexpr const char* kSuggest = "/home/driver/TreeNode";
constexpr const char* kSearch = "/home/driver/Search";

// Seconds a call took.
double Timed(const std::function<void()>& call) {
    const auto start = Clock::now();
    call();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The waits shortened to 2 s, so that each case ends in seconds.
class CorvaneWaits : public CorvaneTest {
protected:
    void SetUp() override {
        CorvaneTest::SetUp();
        setenv(kServiceTimeoutVariable, "2", 1);
    }
    void TearDown() override {
        unsetenv(kServiceTimeoutVariable);
        CorvaneTest::TearDown();
    }
};

bool Suggest() {
    TreeNodeResult* names = Untouched<TreeNodeResult>();
    const bool result = DriverInfo_QuerySuggest(&names, "Aurex", 5);
    if (!result) {
        EXPECT_EQ(names, Untouched<TreeNodeResult>()) << "a failed transfer writes no *out";
    }
    return result;
}

bool SearchByName() {
    SearchResult* found = Untouched<SearchResult>();
    const bool result = DriverInfo_QueryBy_DevName(&found, "Aurex 14 G3", 11, 42);
    if (!result) {
        EXPECT_EQ(found, Untouched<SearchResult>()) << "a failed transfer writes no *out";
    }
    return result;
}

TEST_F(CorvaneWaits, QueriesGiveUpOnASilentStalledOrTricklingService) {
    struct Case {
        const char* fault;
        const char* path;
        bool (*query)();
    };
    for (const Case& c : {Case{"silent", kSuggest, Suggest}, Case{"stall", kSuggest, Suggest},
                          Case{"trickle", kSuggest, Suggest}, Case{"silent", kSearch, SearchByName},
                          Case{"stall", kSearch, SearchByName}}) {
        service->Reset();
        service->SetFault(c.fault, c.path);
        bool result = true;
        const double took = Timed([&] { result = c.query(); });
        EXPECT_FALSE(result) << c.fault << " " << c.path;
        // 2 s of waiting, the rest slack for a loaded machine; the service
        // holds a silent or stalled reply for a minute.
        EXPECT_LT(took, 15.0) << c.fault << " " << c.path;
    }
}

TEST_F(CorvaneWaits, NetworkCheckGivesUpOnASilentHomePage) {
    service->SetFault("silent", "/");
    bool reachable = true;
    EXPECT_LT(Timed([&] { reachable = DriverInfo_GetNetWorkCondition(); }), 15.0);
    EXPECT_FALSE(reachable);
}

// The built-in waits of the network check, not shortened: it ends within
// its bound of 10 s, after waiting its 5 s for a first byte.
TEST_F(CorvaneTest, NetworkCheckHasItsOwnShortBound) {
    service->SetFault("silent", "/");
    bool reachable = true;
    const double took = Timed([&] { reachable = DriverInfo_GetNetWorkCondition(); });
    EXPECT_FALSE(reachable);
    EXPECT_GE(took, 4.0);
    EXPECT_LT(took, 20.0);
}

// The built-in waits let a slow reply through as long as it moves: 23 bytes
// at five a second.
TEST_F(CorvaneTest, ASlowButMovingReplyStillArrives) {
    service->SetMode("reply", kSuggest, R"({"Data":[{"NAME":"A"}]})");
    service->SetFault("trickle", kSuggest);
    TreeNodeResult* names = nullptr;
    ASSERT_TRUE(DriverInfo_QuerySuggest(&names, "Aurex", 5));
    EXPECT_EQ(names->names, std::vector<std::string>{"A"});
}

// Only the certificate that PELLUCOR_CA_FILE names is trusted; without it the
// system's store is, which does not hold the local service's own certificate.
TEST_F(CorvaneTest, OnlyAVerifiedServiceIsAsked) {
    for (const pelltest::TrustCase& c : pelltest::TrustCases(*service)) {
        service->Reset();
        c.Apply();
        DmInfoResult* serial = nullptr;
        EXPECT_EQ(DriverInfo_GetNetWorkCondition(), c.trusted) << c.what;
        EXPECT_EQ(Suggest(), c.trusted) << c.what;
        EXPECT_EQ(SearchByName(), c.trusted) << c.what;
        EXPECT_EQ(DriverInfo_QueryBy_SN(&serial, "PF1ZX900", 8, 42), c.trusted) << c.what;
        EXPECT_EQ(service->Log().size(), c.trusted ? 5u : 0u)
            << c.what << ": nothing reaches an untrusted peer";
    }
}

}  // namespace
