#pragma once
// Stands in for the user's browser: PELLUCOR_BROWSER names a script that
// appends each address it gets to a file, which the test then reads.
#include <string>
#include <vector>

class BrowserRecorder {
public:
    BrowserRecorder();
    ~BrowserRecorder();

    // The addresses opened so far, after waiting (up to 30 s) until there
    // are at least `count`.
    std::vector<std::string> WaitForOpened(size_t count) const;

private:
    std::string dir_;
    std::string script_;
    std::string log_;
};
