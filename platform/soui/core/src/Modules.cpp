#include <dlfcn.h>

#include "AttrParse.h"
#include "os/ModulePath.h"
#include "soui/SystemApi.h"

namespace SOUI {

std::wstring ModuleFileNameFor(LPCWSTR systemName) {
    // "render-skia.dll" is "librender-skia.so" beside the executable.
    std::wstring base = systemName ? systemName : L"";
    if (base.size() > 4 && detail::EqualsNoCase(base.substr(base.size() - 4), L".dll")) {
        base.resize(base.size() - 4);
    }
    return os::ExecutableDir() + L"lib" + base + L".so";
}

HMODULE LoadLibraryW(LPCWSTR moduleName) {
    const std::string path = detail::WideToUtf8(ModuleFileNameFor(moduleName));
    return reinterpret_cast<HMODULE>(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
}

BOOL FreeLibrary(HMODULE module) {
    return module != nullptr && dlclose(reinterpret_cast<void*>(module)) == 0 ? TRUE : FALSE;
}

void* GetProcAddress(HMODULE module, const char* procName) {
    if (module == nullptr || procName == nullptr) return nullptr;
    return dlsym(reinterpret_cast<void*>(module), procName);
}

}  // namespace SOUI
