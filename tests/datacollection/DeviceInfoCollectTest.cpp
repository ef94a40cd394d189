#include <gtest/gtest.h>

#include <string>

#include "datacollection/CmdCommandOp.h"
#include "datacollection/DataCollectionApi.h"
#include "datacollection/DeviceIdentity.h"

using namespace tessaly;

namespace {

const DeviceInfoRecord kBefore{"old name", "old version", "old vendor", "old serial"};

void ExpectUnchanged(const DeviceInfoRecord& record) {
    EXPECT_EQ(record.Name, kBefore.Name);
    EXPECT_EQ(record.Version, kBefore.Version);
    EXPECT_EQ(record.Vendor, kBefore.Vendor);
    EXPECT_EQ(record.IdentifyingNumber, kBefore.IdentifyingNumber);
}

}  // namespace

TEST(DeviceInfoCollect, ParsesTheFirstHundredBytesThatArrive) {
    // The first chunk holds all four values; what follows a second later is
    // not waited for.
    const std::string command =
        "printf 'IdentifyingNumber=S-1\\r\\nName=N-1\\r\\nVendor=V-1\\r\\nVersion=R-1\\r\\n%060d\\r\\n' 0; "
        "sleep 1; printf 'Version=late\\r\\n'";
    DeviceInfoRecord record = kBefore;
    CollectDeviceInfo(record, command);
    EXPECT_EQ(record.Name, "N-1");
    EXPECT_EQ(record.Version, "R-1");
    EXPECT_EQ(record.Vendor, "V-1");
    EXPECT_EQ(record.IdentifyingNumber, "S-1");
}

TEST(DeviceInfoCollect, OutputShorterThanAHundredBytesLeavesTheRecord) {
    DeviceInfoRecord record = kBefore;
    CollectDeviceInfo(record, "printf 'IdentifyingNumber=S\\r\\nName=N\\r\\nVendor=V\\r\\nVersion=R\\r\\n'",
                      1500);
    ExpectUnchanged(record);
}

TEST(DeviceInfoCollect, AFailedLaunchLeavesTheRecord) {
    DeviceInfoRecord record = kBefore;
    CollectDeviceInfo(record, std::string(CCmdCommandOp::kMaxCommandLength + 1, 'x'), 1500);
    ExpectUnchanged(record);
}

TEST(DeviceInfoCollect, AMissingRunnerLeavesTheRecordAndTheOtherRunner) {
    CCmdCommandOp* other = CreateCmdCommandOp();
    ASSERT_NE(other, nullptr);
    DeviceInfoRecord record = kBefore;
    CollectDeviceInfo(record, "printf '%0200d' 0", 1500);
    ExpectUnchanged(record);
    EXPECT_TRUE(DestroyCmdCommandOp(other));
}

TEST(DeviceInfoCollect, ASecondQueryReadsOnlyItsOwnOutput) {
    // 152 bytes with a CR LF at offsets 130 and 131.
    DeviceInfoRecord record;
    CollectDeviceInfo(
        record,
        "printf 'IdentifyingNumber=S\\r\\nName=N\\r\\nVendor=V\\r\\nVersion=R\\r\\n%081d\\r\\n%020d' 0 0");
    ASSERT_EQ(record.Version, "R");
    // 130 bytes ending in a value without CR LF: the first output's CR LF
    // right behind it must not complete that value.
    CollectDeviceInfo(record, "printf 'IdentifyingNumber=T\\r\\n%0100dVersion=Q' 0");
    EXPECT_EQ(record.IdentifyingNumber, "T");
    EXPECT_EQ(record.Version, "R");
}
