#pragma once
#include <filesystem>
#include <string>

struct ServiceOptions {
    int port = 0;
    std::string certFile;
    std::string keyFile;
    std::filesystem::path dataDir;
};

// Reads `<port> --cert <pem> --key <pem> [--data <dir>]`; false with a reason
// in `error` for anything else.
bool ParseServiceOptions(int argc, char** argv, ServiceOptions& options, std::string& error);
