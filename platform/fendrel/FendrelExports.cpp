// The exported calls, over one process-wide packing session.
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "Fendrel.h"
#include "PackResult.h"
#include "PackSession.h"
#include "os/UnicodeText.h"

namespace {

fendrel::PackSession& Session() {
    static fendrel::PackSession session;
    return session;
}

// A relative path counts from the current folder at the time of the call,
// not whenever the packer's thread gets to it.
std::optional<std::string> PathArgument(const wchar_t* path) {
    if (path == nullptr || *path == L'\0') return std::nullopt;
    // Strict: a substituted character would silently name another file.
    auto text = os::WideToUtf8(path);
    if (!text || text->front() == '/') return text;
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    if (error) return std::nullopt;
    return current.native() + '/' + *text;
}

}  // namespace

extern "C" {

int InitDllRes() {
    return Session().Init();
}

void SetFileToIsoProgressCallBack(FileToIsoProgressCallback callback, void* context) {
    Session().SetProgressCallback(callback, context);
}

void SetFileToIsoErrorCallBack(FileToIsoErrorCallback callback, void* context) {
    Session().SetErrorCallback(callback, context);
}

int StartPackageFileToIsoThread(const wchar_t* sourceFolder, const wchar_t* isoPath,
                                const PackOptions* options) try {
    auto source = PathArgument(sourceFolder);
    auto target = PathArgument(isoPath);
    if (!source || !target) {
        Session().Refuse(kFendrelBadArgument);
        return kFendrelBadArgument;
    }
    fendrel::PackRequest request{std::move(*source), std::move(*target),
                                 options != nullptr ? options->volumeLabel : std::string()};
    return Session().Start(std::move(request));
} catch (const std::exception&) {  // out of memory copying the arguments
    Session().Refuse(kFendrelInternal);
    return kFendrelInternal;
}

void StopPackageIso() {
    Session().Stop();
}

void ReleaseFileToIsoDllRes() {
    Session().Release();
}

}  // extern "C"
