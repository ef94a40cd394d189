// The engine's six exported calls. No exception leaves them.
#include "Dravolin.h"

#include "HandleRegistry.h"
#include "os/UnicodeText.h"

using dravolin::HandleRegistry;
using dravolin::HandleWorker;

namespace {

// 1 after `apply` ran on the handle's worker, 0 for an unknown handle.
template <typename Apply>
int32_t WithWorker(int32_t handle, Apply apply) {
    try {
        auto worker = HandleRegistry::Instance().Find(handle);
        if (!worker) return 0;
        apply(*worker);
        return 1;
    } catch (...) {
        return 0;
    }
}

// Bad arguments still give a transfer, one that fails at once (empty
// address), so the caller hears about it the usual way.
dravolin::TransferRequest MakeRequest(const char* url, int32_t urlLength, const uint16_t* path,
                                      int32_t pathLength, uint32_t sizeLow, uint32_t sizeHigh,
                                      int32_t reserved) {
    dravolin::TransferRequest request;
    if (url && urlLength > 0) request.url.assign(url, static_cast<size_t>(urlLength));
    if (path && pathLength > 0) {
        auto converted =
            os::Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(path), pathLength));
        if (converted) request.targetPath = std::move(*converted);
    }
    if (reserved != 0 || request.url.find_first_of(std::string("\r\n\0", 3)) != std::string::npos ||
        request.targetPath.find('\0') != std::string::npos) {
        request.url.clear();
    }
    request.expectedSize = static_cast<int64_t>((static_cast<uint64_t>(sizeHigh) << 32) | sizeLow);
    return request;
}

}  // namespace

extern "C" {

int32_t DriverDownLoad_Init(void) {
    try {
        return HandleRegistry::Instance().Create();
    } catch (...) {
        return 0;
    }
}

int32_t DriverDownLoad_DataCallBack_Log(DravolinDataCallback callback, int32_t handle, void* user) {
    return WithWorker(handle, [&](HandleWorker& w) { w.SetDataCallback(callback, user); });
}

int32_t DriverDownLoad_ErrorCallBack_Log(DravolinStatusCallback callback, int32_t handle, void* user) {
    return WithWorker(handle, [&](HandleWorker& w) { w.SetStatusCallback(callback, user); });
}

int32_t DriverDownLoad_Open(int32_t handle, const char* url, int32_t urlLength, const uint16_t* path,
                            int32_t pathLength, uint32_t sizeLow, uint32_t sizeHigh, int32_t reserved) {
    try {
        dravolin::TransferRequest request =
            MakeRequest(url, urlLength, path, pathLength, sizeLow, sizeHigh, reserved);
        return WithWorker(handle, [&](HandleWorker& w) { w.Open(std::move(request)); });
    } catch (...) {
        return 0;
    }
}

uint8_t DriverDownLoad_Cancel(int32_t handle) {
    try {
        auto worker = HandleRegistry::Instance().Find(handle);
        return worker && worker->Cancel() ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

void DriverDownLoad_Free(int32_t handle) {
    try {
        HandleRegistry::Instance().Free(handle);
    } catch (...) {
    }
}

}  // extern "C"
