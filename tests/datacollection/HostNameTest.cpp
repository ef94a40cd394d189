// Tessaly reaching the local service as "localhost": the certificate is
// trusted but names only 127.0.0.1, so the host-name check refuses the peer.
// A process of its own, since the library reads the service address once.
#include <httplib.h>

#include <cstdlib>
#include <string>

#include "ToolServiceFixture.h"
#include "tests/support/ServiceTrust.h"

namespace {

class TessalyByHostName : public ToolServiceTest {
protected:
    static void SetUpTestSuite() {
        ToolServiceTest::SetUpTestSuite();
        setenv("PELLUCOR_SERVICE_URL", pelltest::ByHostName(Service()).c_str(), 1);
    }
};

TEST_F(TessalyByHostName, APeerWhoseCertificateNamesAnotherHostIsRefused) {
    httplib::Client unchecked(pelltest::ByHostName(Service()));
    unchecked.enable_server_certificate_verification(false);
    auto home = unchecked.Head("/");
    ASSERT_TRUE(home) << "the name leads to the service";
    EXPECT_EQ(home->status, 200);
    Service().Reset();

    OperationReport report{"10092", "1765353600", "1.3.24.910", "3", "", "", "", "1"};
    ServiceUrlTable table;
    EXPECT_EQ(DataCollection_VersionGet(&tool), 0);
    EXPECT_FALSE(DataCollection_OperationResponse(&report));
    EXPECT_FALSE(DataCollection_GetServerUrlInfo(&table));
    EXPECT_TRUE(Service().Log().empty()) << "nothing is sent to a peer of another name";
}

}  // namespace
