#include <map>
#include <mutex>
#include <utility>

#include "AttrParse.h"
#include "soui/IRender.h"
#include "soui/SResProvider.h"
#include "soui/SystemApi.h"

namespace SOUI {

namespace {

using Key = std::pair<std::wstring, std::wstring>;

Key MakeKey(LPCWSTR type, LPCWSTR name) {
    return {detail::ToLower(type ? type : L""), detail::ToLower(name ? name : L"")};
}

struct ProgramResources {
    std::mutex mutex;
    std::vector<std::pair<const SEmbeddedResource*, std::size_t>> tables;
};

ProgramResources& Program() {
    static ProgramResources resources;
    return resources;
}

char g_programInstance;

// Serves the resources of the program (in place) or of a module (copied,
// so that the module may be freed afterwards).
class PeResProvider : public TObjRefImpl<IResProvider> {
public:
    BOOL Init(WPARAM wParam, LPARAM) override {
        entries_.clear();
        auto instance = reinterpret_cast<HINSTANCE>(wParam);
        if (instance == GetModuleHandleW(nullptr)) {
            std::lock_guard lock(Program().mutex);
            for (const auto& [table, count] : Program().tables) {
                for (std::size_t i = 0; i < count; ++i) Add(table[i], false);
            }
            return TRUE;
        }
        auto create = reinterpret_cast<FunSCreateInstance>(GetProcAddress(instance, kModuleEntryName));
        IObjRef* obj = nullptr;
        if (create == nullptr || !create(&obj) || obj == nullptr) return FALSE;
        // A resource module's entry creates its resource table.
        auto* table = static_cast<IEmbeddedResTable*>(obj);
        for (std::size_t i = 0; i < table->Count(); ++i) Add(table->At(i), true);
        table->Release();
        return TRUE;
    }

    BOOL HasResource(LPCWSTR type, LPCWSTR name) override {
        return entries_.count(MakeKey(type, name)) ? TRUE : FALSE;
    }

    BOOL GetRawBuffer(LPCWSTR type, LPCWSTR name, std::vector<BYTE>* out) override {
        const auto it = entries_.find(MakeKey(type, name));
        if (it == entries_.end()) return FALSE;
        const Entry& e = it->second;
        if (e.copy.empty())
            out->assign(e.data, e.data + e.size);
        else
            *out = e.copy;
        return TRUE;
    }

private:
    struct Entry {
        const BYTE* data = nullptr;
        std::size_t size = 0;
        std::vector<BYTE> copy;
    };

    void Add(const SEmbeddedResource& res, bool copy) {
        Entry e;
        if (copy)
            e.copy.assign(res.data, res.data + res.size);
        else {
            e.data = res.data;
            e.size = res.size;
        }
        entries_[MakeKey(res.type, res.name)] = std::move(e);
    }

    std::map<Key, Entry> entries_;
};

}  // namespace

BOOL CreateResProvider(BUILTIN_RESTYPE type, IObjRef** provider) {
    if (provider == nullptr || type != RES_PE) return FALSE;
    *provider = new PeResProvider();
    return TRUE;
}

void RegisterEmbeddedResources(const SEmbeddedResource* table, std::size_t count) {
    std::lock_guard lock(Program().mutex);
    Program().tables.emplace_back(table, count);
}

HINSTANCE GetModuleHandleW(LPCWSTR moduleName) {
    return moduleName == nullptr ? reinterpret_cast<HINSTANCE>(&g_programInstance) : nullptr;
}

BOOL ParseResId(const std::wstring& resId, std::wstring* type, std::wstring* name) {
    const auto colon = resId.find(L':');
    if (colon == std::wstring::npos) return FALSE;
    *type = resId.substr(0, colon);
    *name = resId.substr(colon + 1);
    return TRUE;
}

}  // namespace SOUI
