#pragma once
// Shared by the benchmark programs: process CPU time and the result line.
#include <sys/resource.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

inline double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The file a URL is saved as inside the output folder.
inline std::filesystem::path SavePathFor(const std::filesystem::path& out, const std::string& url) {
    return out / url.substr(url.rfind('/') + 1);
}

// "<seconds> <cpu-seconds> <bytes>" for run.sh; exit code of the program.
inline int Report(const char* program, int failed, double seconds, double cpu,
                  const std::filesystem::path& out, const std::vector<std::string>& urls) {
    if (failed != 0) {
        std::fprintf(stderr, "%s: %d transfers failed\n", program, failed);
        return 1;
    }
    uintmax_t bytes = 0;
    for (const auto& url : urls) bytes += std::filesystem::file_size(SavePathFor(out, url));
    std::printf("%.3f %.3f %ju\n", seconds, cpu, bytes);
    return 0;
}
