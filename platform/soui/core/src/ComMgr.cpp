#include <vector>

#include "soui/IRender.h"
#include "soui/SComMgr.h"
#include "soui/SystemApi.h"

namespace SOUI {

struct SComMgr::Impl {
    std::wstring imgDecoder;
    std::vector<HMODULE> modules;
};

SComMgr::SComMgr(LPCWSTR imgDecoder) : impl_(std::make_unique<Impl>()) {
    impl_->imgDecoder = imgDecoder ? imgDecoder : L"";
}

SComMgr::~SComMgr() {
    for (auto it = impl_->modules.rbegin(); it != impl_->modules.rend(); ++it) FreeLibrary(*it);
}

BOOL SComMgr::CreateRender_Skia(IObjRef** object) {
    return CreateFromModule(L"render-skia.dll", object);
}

BOOL SComMgr::CreateImgDecoder(IObjRef** object) {
    return CreateFromModule(impl_->imgDecoder + L".dll", object);
}

BOOL SComMgr::CreateFromModule(const std::wstring& systemName, IObjRef** object) {
    if (object == nullptr) return FALSE;
    *object = nullptr;
    HMODULE module = LoadLibraryW(systemName.c_str());
    if (module == nullptr) return FALSE;
    auto create = reinterpret_cast<FunSCreateInstance>(GetProcAddress(module, kModuleEntryName));
    if (create == nullptr || !create(object) || *object == nullptr) {
        FreeLibrary(module);
        *object = nullptr;
        return FALSE;
    }
    impl_->modules.push_back(module);
    return TRUE;
}

}  // namespace SOUI
