// fendrel_pack SOURCE_FOLDER ISO_FILE: packs through libFendrel.so and waits
// for the result. Exit status 0 on success, otherwise the packer's error code.
#include <atomic>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "fendrel/Fendrel.h"

namespace {

struct Outcome {
    std::atomic<int> percent{0};
    std::atomic<int> error{0};
};

int OnProgress(int percent, void* context) {
    static_cast<Outcome*>(context)->percent.store(percent);
    return 1;
}

void OnError(int code, void* context) {
    static_cast<Outcome*>(context)->error.store(code);
}

std::wstring Wide(const char* text) {
    std::wstring out(std::mbstowcs(nullptr, text, 0), L'\0');
    std::mbstowcs(out.data(), text, out.size());
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fendrel_pack SOURCE_FOLDER ISO_FILE\n");
        return 2;
    }
    // Only for reading the arguments; the packer itself ignores the locale.
    if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr) return 2;
    Outcome outcome;
    InitDllRes();
    SetFileToIsoProgressCallBack(OnProgress, &outcome);
    SetFileToIsoErrorCallBack(OnError, &outcome);
    PackOptions options;
    StartPackageFileToIsoThread(Wide(argv[1]).c_str(), Wide(argv[2]).c_str(), &options);
    while (outcome.percent.load() != 100 && outcome.error.load() == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ReleaseFileToIsoDllRes();
    const int error = outcome.error.load();
    if (error != 0) std::fprintf(stderr, "fendrel_pack: error %d\n", error);
    return error;
}
