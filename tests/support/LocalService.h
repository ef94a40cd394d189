#pragma once
// LocalService starts the local HTTPS service (bin/local_service) in a process
// of its own and stops it again; link `pell_test_support`.
//
//   #include "tests/support/LocalService.h"
//
//   // One service per test process: code that reads PELLUCOR_SERVICE_URL once
//   // keeps talking to it across all tests of the process.
//   pelltest::LocalService& service = pelltest::LocalService::Shared();
//   setenv("PELLUCOR_SERVICE_URL", service.BaseUrl().c_str(), 1);  // before the first read
//   setenv("PELLUCOR_CA_FILE", service.CertificateFile().c_str(), 1);  // trust its certificate
//   service.Reset();                                   // log, fault and modes of earlier tests
//
//   service.SetFault("close", "/home/driver/Search");  // see service/ControlEndpoints.h
//   service.SetMode("reply", "/home/driver/TreeNode", R"({"StatusCode":200})");
//   ... exercise the code under test ...
//   std::vector<pelltest::LoggedRequest> sent = service.Log("/home/driver/Search");
//   EXPECT_EQ(sent.at(0).body, "...");
//
// A `LocalService` constructed directly is a private instance (own certificate,
// port and process) that the destructor stops. Failures to start or to reach the
// control endpoints throw std::runtime_error, which fails the test.
#include <sys/types.h>
#include <map>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

namespace pelltest {

// One request as the service received it.
struct LoggedRequest {
    std::string method;
    std::string path;
    std::map<std::string, std::string> headers;
    std::string body;

    // A header's value by case-insensitive name; empty when it was not sent.
    std::string Header(const std::string& name) const;
};

class LocalService {
public:
    // `dataDir`: a catalogue folder in place of the default sample catalogue.
    explicit LocalService(const std::string& dataDir = {});
    ~LocalService();
    LocalService(const LocalService&) = delete;
    LocalService& operator=(const LocalService&) = delete;

    // The process-wide instance, started on first use, stopped at exit.
    static LocalService& Shared();

    // "https://127.0.0.1:<port>"
    const std::string& BaseUrl() const { return baseUrl_; }
    int Port() const { return port_; }
    // The service's self-signed certificate (PEM), for clients that verify it.
    std::string CertificateFile() const { return (tempDir_ / "cert.pem").string(); }

    // Fault names: "none", "no-brace", "cut-json", "invalid-json", "oversize",
    // "http-500", "headers-only", "close", "silent", "stall", "trickle",
    // "oversize-tail" (FaultMode in service/ServiceState.h). An empty path
    // means every path.
    void SetFault(const std::string& mode, const std::string& path = {});
    void SetMode(const std::string& area, const std::string& key, const std::string& value);

    // Requests in arrival order (control requests excluded), optionally only
    // those for one path.
    // The fields of the last usage report the service opened; empty before
    // the first.
    std::map<std::string, std::string> LastToolReport() const;

    std::vector<LoggedRequest> Log() const;
    std::vector<LoggedRequest> Log(const std::string& path) const;
    void ResetLog();
    // Empty log, no fault, no modes.
    void Reset();

    // A loopback port that nothing listens on at the time of the call.
    static int UnusedPort();

private:
    void Start(const std::string& dataDir);
    void Stop();
    std::string Control(const std::string& method, const std::string& path, const std::string& body) const;

    TempFolder tempDir_;
    std::string baseUrl_;
    int port_ = 0;
    pid_t pid_ = -1;
};

}  // namespace pelltest
