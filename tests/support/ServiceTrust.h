#pragma once
// Certificate settings to try a client of the local service with; link
// `pell_test_support`.
//
//   for (const pelltest::TrustCase& c : pelltest::TrustCases(service)) {
//       c.Apply();   // sets or unsets PELLUCOR_CA_FILE
//       EXPECT_EQ(Request(), c.trusted) << c.what;
//   }
#include <memory>
#include <string>
#include <vector>

#include "tests/support/LocalService.h"

namespace pelltest {

struct TrustCase {
    std::string what;
    std::string caFile;  // empty: the variable unset, the system's store in force
    bool trusted;

    void Apply() const;
};

// The system's store, a CA file that does not exist and another service's
// certificate, none of which trusts `service`; last its own certificate,
// which does, so that the variable is left as the fixtures set it.
class TrustCases {
public:
    explicit TrustCases(const LocalService& service);
    std::vector<TrustCase>::const_iterator begin() const { return cases_.begin(); }
    std::vector<TrustCase>::const_iterator end() const { return cases_.end(); }

private:
    std::unique_ptr<LocalService> other_;
    std::vector<TrustCase> cases_;
};

// `service` reached as "localhost", a name its certificate (for 127.0.0.1
// only) does not hold.
std::string ByHostName(const LocalService& service);

}  // namespace pelltest
