#pragma once
// The local service for the library's requests, its own certificate the one
// trusted; the library reads the service address once, so every test of a
// process shares one service.
#include <gtest/gtest.h>

#include <string>

#include "datacollection/DataCollectionApi.h"
#include "tests/support/LocalService.h"

class ToolServiceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;

    static pelltest::LocalService& Service() { return pelltest::LocalService::Shared(); }
    static std::string Base() { return Service().BaseUrl(); }
    // The last usage report as the service decrypted it; empty when none.
    static std::string ReceivedReport();

    ToolVersionInfo tool{"10092", "1.3.24.910"};
};
