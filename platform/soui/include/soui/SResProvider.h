#pragma once
// Resources named by type and name ("LAYOUT", "XML_MAINWND"); names compare
// without regard to case. Providers hand out the raw bytes.
#include <cstddef>
#include <string>
#include <vector>

#include "soui/SObjRef.h"
#include "soui/Win32Defs.h"

namespace SOUI {

// One resource compiled into a program or module (see soui_embed_resources).
struct SEmbeddedResource {
    const wchar_t* type;
    const wchar_t* name;
    const unsigned char* data;
    std::size_t size;
};

// What a resource module's "SCreateInstance" returns.
struct IEmbeddedResTable : IObjRef {
    virtual std::size_t Count() const = 0;
    virtual const SEmbeddedResource& At(std::size_t index) const = 0;
};

struct IResProvider : IObjRef {
    // RES_PE: wParam is the instance whose resources to serve (the program's
    // own from GetModuleHandleW(nullptr), or a loaded resource module).
    virtual BOOL Init(WPARAM wParam, LPARAM lParam) = 0;
    virtual BOOL HasResource(LPCWSTR type, LPCWSTR name) = 0;
    // FALSE when there is no such resource.
    virtual BOOL GetRawBuffer(LPCWSTR type, LPCWSTR name, std::vector<BYTE>* out) = 0;
};

enum BUILTIN_RESTYPE { RES_PE = 0 };

BOOL CreateResProvider(BUILTIN_RESTYPE type, IObjRef** provider);

// Registers resources compiled into the running program; called by the
// sources that soui_embed_resources generates.
void RegisterEmbeddedResources(const SEmbeddedResource* table, std::size_t count);

// The program's own instance handle.
HINSTANCE GetModuleHandleW(LPCWSTR moduleName);

// Splits "TYPE:NAME"; FALSE when there is no colon.
BOOL ParseResId(const std::wstring& resId, std::wstring* type, std::wstring* name);

}  // namespace SOUI
