#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/ServiceRequest.h"
#include "driverinfo/DriverInfoApi.h"
#include "os/ServiceAddress.h"
#include "tests/support/LocalService.h"

// Corvane loaded against the process's local service: the address is set
// before the library first reads it, the service's own certificate is the
// one trusted, records are fresh in every test.
class CorvaneTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        service = &pelltest::LocalService::Shared();
        setenv(os::kServiceUrlVariable, service->BaseUrl().c_str(), 1);
        setenv(kCaFileVariable, service->CertificateFile().c_str(), 1);
    }

    void SetUp() override {
        service->Reset();
        ASSERT_TRUE(DriverInfo_Init());
    }

    void TearDown() override { EXPECT_TRUE(DriverInfo_Free()); }

    static std::string Body(const std::string& path, size_t index = 0) {
        auto log = service->Log(path);
        if (index >= log.size()) {
            ADD_FAILURE() << "no request " << index << " to " << path;
            return {};
        }
        return log[index].body;
    }

    static inline pelltest::LocalService* service = nullptr;
};

// A pointer value no record has: tells "left untouched" from "written".
template <typename T>
T* Untouched() {
    return reinterpret_cast<T*>(static_cast<uintptr_t>(0x1));
}
