// Corvane reaching the local service as "localhost": the certificate is
// trusted but names only 127.0.0.1, so the host-name check refuses the peer.
// A process of its own, since the library reads the service address once.
#include <httplib.h>

#include <cstdlib>
#include <string>

#include "CorvaneFixture.h"
#include "tests/support/ServiceTrust.h"

namespace {

class CorvaneByHostName : public CorvaneTest {
protected:
    static void SetUpTestSuite() {
        CorvaneTest::SetUpTestSuite();
        setenv(os::kServiceUrlVariable, pelltest::ByHostName(*service).c_str(), 1);
    }
};

TEST_F(CorvaneByHostName, APeerWhoseCertificateNamesAnotherHostIsRefused) {
    httplib::Client unchecked(pelltest::ByHostName(*service));
    unchecked.enable_server_certificate_verification(false);
    auto home = unchecked.Head("/");
    ASSERT_TRUE(home) << "the name leads to the service";
    EXPECT_EQ(home->status, 200);
    service->Reset();

    TreeNodeResult* names = Untouched<TreeNodeResult>();
    EXPECT_FALSE(DriverInfo_GetNetWorkCondition());
    EXPECT_FALSE(DriverInfo_QuerySuggest(&names, "Aurex", 5));
    EXPECT_EQ(names, Untouched<TreeNodeResult>());
    EXPECT_TRUE(service->Log().empty()) << "nothing is sent to a peer of another name";
}

}  // namespace
