#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "datacollection/DataCollectionApi.h"

namespace {

// A firmware value as the product query prints it: empty when unreadable.
std::string FirmwareValue(const char* name) {
    std::ifstream in(std::string("/sys/class/dmi/id/") + name);
    std::string value((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    while (!value.empty() && value.back() == '\n') value.pop_back();
    return value;
}

}  // namespace

TEST(DeviceInfoExport, FillsTheRecordFromTheFirmwareTable) {
    DeviceInfoRecord record{"before", "before", "before", "before"};
    EXPECT_TRUE(DataCollection_GetDeviceInfo(&record));
    EXPECT_EQ(record.Version, FirmwareValue("product_version"));
    EXPECT_EQ(record.Vendor, FirmwareValue("sys_vendor"));
    EXPECT_EQ(record.Name, FirmwareValue("product_name"));
    EXPECT_EQ(record.IdentifyingNumber, FirmwareValue("product_serial"));
    EXPECT_TRUE(DataCollection_GetDeviceInfo(nullptr));
}
