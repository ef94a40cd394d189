#include "tests/support/ServiceTrust.h"

#include <cstdlib>

namespace pelltest {

void TrustCase::Apply() const {
    if (caFile.empty())
        unsetenv("PELLUCOR_CA_FILE");
    else
        setenv("PELLUCOR_CA_FILE", caFile.c_str(), 1);
}

TrustCases::TrustCases(const LocalService& service) : other_(std::make_unique<LocalService>()) {
    cases_ = {{"system store", "", false},
              {"missing CA file", service.CertificateFile() + ".missing", false},
              {"another service's certificate", other_->CertificateFile(), false},
              {"the service's certificate", service.CertificateFile(), true}};
}

std::string ByHostName(const LocalService& service) {
    return "https://localhost:" + std::to_string(service.Port());
}

}  // namespace pelltest
