#include "soui/SObjectFactory.h"

namespace SOUI {

void SObjectFactoryMgr::RegisterFactory(SObjectInfo info) {
    auto key = std::make_pair(info.classType, info.className);
    factories_[key] = std::move(info);
}

const SObjectInfo* SObjectFactoryMgr::FindInfo(const std::wstring& className, int classType) const {
    const auto it = factories_.find({classType, className});
    return it == factories_.end() ? nullptr : &it->second;
}

SObject* SObjectFactoryMgr::CreateObject(const std::wstring& className, int classType) const {
    const SObjectInfo* info = FindInfo(className, classType);
    return info ? info->create() : nullptr;
}

}  // namespace SOUI
