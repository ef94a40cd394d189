#pragma once
// Creates framework and program objects by their XML tag.
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "soui/SObject.h"

namespace SOUI {

struct SObjectInfo {
    std::wstring className;
    int classType = Undef;
    std::wstring baseClassName;
    std::function<SObject*()> create;
};

class SObjectFactoryMgr {
public:
    // A later registration under the same tag and type replaces the earlier one.
    void RegisterFactory(SObjectInfo info);
    // A new object of that tag and type, or null when none is registered.
    SObject* CreateObject(const std::wstring& className, int classType) const;
    const SObjectInfo* FindInfo(const std::wstring& className, int classType) const;

    template <class T>
    void RegisterWindowClass() {
        RegisterFactory({T::GetClassName(), T::GetClassType(), T::BaseClassName(), [] { return new T(); }});
    }
    template <class T>
    void RegisterSkinClass() {
        RegisterWindowClass<T>();
    }

private:
    std::map<std::pair<int, std::wstring>, SObjectInfo> factories_;
};

}  // namespace SOUI
