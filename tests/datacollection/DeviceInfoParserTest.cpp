#include <gtest/gtest.h>

#include <string>

#include "datacollection/DataCollectionApi.h"
#include "datacollection/DeviceIdentity.h"

using tessaly::ParseDeviceInfoText;

namespace {

struct ParseCase {
    const char* name;
    std::string text;
    DeviceInfoRecord expected;
    bool result;
};

const DeviceInfoRecord kBefore{"old name", "old version", "old vendor", "old serial"};

}  // namespace

TEST(DeviceInfoParser, FollowsTheKeyValueLines) {
    const ParseCase cases[] = {
        {"query output",
         "\r\n\r\nDescription=Computer System Product\r\nIdentifyingNumber=PF3X9K\r\nName=21C1\r\n"
         "SKUNumber=ZORVIK_MT\r\nUUID=\r\nVendor=Zorvik\r\nVersion=Aurex 14 G4\r\n\r\n",
         {"21C1", "Aurex 14 G4", "Zorvik", "PF3X9K"},
         true},
        {"no IdentifyingNumber takes nothing", "Name=a\r\nVendor=b\r\nVersion=c\r\n", kBefore, true},
        {"empty text", "", kBefore, true},
        {"value with = in it",
         "IdentifyingNumber=A=B\r\nName=x=y=z\r\nVendor=v\r\nVersion=1\r\n",
         {"x=y=z", "1", "v", "A=B"},
         true},
        {"LF-only lines are not taken", "IdentifyingNumber=S1\nName=N1\nVendor=V1\nVersion=R1\n", kBefore,
         true},
        {"last value without CR LF is kept as it was",
         "IdentifyingNumber=S\r\nName=N\r\nVendor=V\r\nVersion=R",
         {"N", "old version", "V", "S"},
         true},
        {"Name is found before the IdentifyingNumber line",
         "Name=first\r\nIdentifyingNumber=S\r\nName=second\r\nVendor=V\r\nVersion=R\r\n",
         {"first", "R", "V", "S"},
         true},
        {"CR CR LF leaves one CR",
         "IdentifyingNumber=S\r\r\nName=N\r\nVendor=V\r\nVersion=R\r\r\n",
         {"N", "R\r", "V", "S\r"},
         true},
        {"empty values are taken",
         "IdentifyingNumber=\r\nName=\r\nVendor=\r\nVersion=\r\n",
         {"", "", "", ""},
         false},
        {"key found only inside another line's value",
         "IdentifyingNumber=XName=inner\r\nVendor=V\r\nVersion=R\r\n",
         {"inner", "R", "V", "XName=inner"},
         true},
    };
    for (const ParseCase& c : cases) {
        DeviceInfoRecord record = kBefore;
        EXPECT_EQ(ParseDeviceInfoText(record, c.text), c.result) << c.name;
        EXPECT_EQ(record.Name, c.expected.Name) << c.name;
        EXPECT_EQ(record.Version, c.expected.Version) << c.name;
        EXPECT_EQ(record.Vendor, c.expected.Vendor) << c.name;
        EXPECT_EQ(record.IdentifyingNumber, c.expected.IdentifyingNumber) << c.name;
    }
}
