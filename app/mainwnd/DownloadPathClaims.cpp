#include "app/mainwnd/DownloadPathClaims.h"

#include "app/mainwnd/DownloadPath.h"

void CDownloadPathClaims::Clear() {
    loaded_ = false;
    listedIds_.clear();
    ownPaths_.clear();
    claims_.clear();
    claimedPaths_.clear();
}

void CDownloadPathClaims::Load(const ListedPaths& listed) {
    if (loaded_) return;
    for (auto& [id, path] : listed()) {
        listedIds_.insert(id);
        ownPaths_.insert(std::move(path));
    }
    loaded_ = true;
}

// A number never takes a name that another listed driver has as its own, so
// that driver still gets exactly its path when it comes.
std::wstring CDownloadPathClaims::FreeNumberedPath(const std::wstring& own) const {
    for (int number = 2;; ++number) {
        std::wstring path = NumberedPath(own, number);
        if (!claimedPaths_.contains(path) && !ownPaths_.contains(path)) return path;
    }
}

std::wstring CDownloadPathClaims::Claim(int32_t taskId, const std::wstring& own, const ListedPaths& listed) {
    if (auto claim = claims_.find(taskId); claim != claims_.end()) return claim->second;
    Load(listed);
    if (!listedIds_.contains(taskId)) return own;
    const std::wstring path = claimedPaths_.contains(own) ? FreeNumberedPath(own) : own;
    claimedPaths_.insert(path);
    claims_.emplace(taskId, path);
    return path;
}

std::wstring CDownloadPathClaims::Find(int32_t taskId, const std::wstring& own) const {
    const auto claim = claims_.find(taskId);
    return claim != claims_.end() ? claim->second : own;
}
