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

// "<seconds> <cpu-seconds> <bytes>" for the scripts, the bytes being those of
// the saved files; exit code of the program.
inline int Report(const char* program, int failed, double seconds, double cpu,
                  const std::vector<std::filesystem::path>& saved) {
    if (failed != 0) {
        std::fprintf(stderr, "%s: %d transfers failed\n", program, failed);
        return 1;
    }
    uintmax_t bytes = 0;
    for (const auto& file : saved) bytes += std::filesystem::file_size(file);
    std::printf("%.3f %.3f %ju\n", seconds, cpu, bytes);
    return 0;
}

// The same, for files saved by their URL's name inside one folder.
inline int Report(const char* program, int failed, double seconds, double cpu,
                  const std::filesystem::path& out, const std::vector<std::string>& urls) {
    std::vector<std::filesystem::path> saved;
    for (const auto& url : urls) saved.push_back(SavePathFor(out, url));
    return Report(program, failed, seconds, cpu, saved);
}
