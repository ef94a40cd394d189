#pragma once
// Loads the framework's run-time modules and creates their objects.
#include <memory>
#include <string>

#include "soui/SObjRef.h"
#include "soui/Win32Defs.h"

namespace SOUI {

class SComMgr {
public:
    // imgDecoder: the system name of the image decoder module, without ".dll".
    explicit SComMgr(LPCWSTR imgDecoder = L"imgdecoder-gdip");
    // Frees the modules it loaded; release their objects first.
    ~SComMgr();
    SComMgr(const SComMgr&) = delete;
    SComMgr& operator=(const SComMgr&) = delete;

    // FALSE when "render-skia.dll" cannot be loaded or creates nothing.
    BOOL CreateRender_Skia(IObjRef** object);
    // FALSE when the image decoder module cannot be loaded or creates nothing.
    BOOL CreateImgDecoder(IObjRef** object);

private:
    BOOL CreateFromModule(const std::wstring& systemName, IObjRef** object);
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace SOUI
