#pragma once
// Stands in for the user's browser (or another opener the program starts,
// such as the file manager): the environment variable names a script that
// appends each argument it gets to a file, which the test then reads.
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

class BrowserRecorder {
public:
    explicit BrowserRecorder(const char* variable = "PELLUCOR_BROWSER");
    ~BrowserRecorder();

    // The addresses opened so far, after waiting (up to 30 s) until there
    // are at least `count`.
    std::vector<std::string> WaitForOpened(size_t count) const;

private:
    std::string variable_;
    pelltest::TempFolder dir_{"browser_"};
    std::string script_;
    std::string log_;
};
