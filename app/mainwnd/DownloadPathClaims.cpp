#include "app/mainwnd/DownloadPathClaims.h"

#include "app/mainwnd/DownloadPath.h"

void CDownloadPathClaims::Clear() {
    loaded = false;
    listedIds.clear();
    ownPaths.clear();
    claims.clear();
    claimedPaths.clear();
}

void CDownloadPathClaims::Load(const ListedPaths& listed) {
    if (loaded) return;
    for (auto& [id, path] : listed()) {
        listedIds.insert(id);
        ownPaths.insert(std::move(path));
    }
    loaded = true;
}

// A number never takes a name that another listed driver has as its own, so
// that driver still gets exactly its path when it comes.
std::wstring CDownloadPathClaims::FreeNumberedPath(const std::wstring& own) const {
    for (int number = 2;; ++number) {
        std::wstring path = NumberedPath(own, number);
        if (!claimedPaths.contains(path) && !ownPaths.contains(path)) return path;
    }
}

std::wstring CDownloadPathClaims::Claim(int32_t taskId, const std::wstring& own, const ListedPaths& listed) {
    if (auto claim = claims.find(taskId); claim != claims.end()) return claim->second;
    Load(listed);
    if (!listedIds.contains(taskId)) return own;
    const std::wstring path = claimedPaths.contains(own) ? FreeNumberedPath(own) : own;
    claimedPaths.insert(path);
    claims.emplace(taskId, path);
    return path;
}

std::wstring CDownloadPathClaims::Find(int32_t taskId, const std::wstring& own) const {
    const auto claim = claims.find(taskId);
    return claim != claims.end() ? claim->second : own;
}
