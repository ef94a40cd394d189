#pragma once
// Which file each listed driver writes. Two listed drivers can clean to one
// save path (two packages of a category both named "setup.exe"); the first
// to be downloaded keeps it and a later one gets a numbered name beside it,
// so neither replaces the other's file. A claim belongs to the task, by its
// id, as long as the list stands: its retry, pause, stop and folder view all
// find the same file. Paths are below the download folder.
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

class CDownloadPathClaims {
public:
    // Every listed task's id and own save path.
    using ListedPaths = std::function<std::vector<std::pair<int32_t, std::wstring>>()>;

    // A new list starts with no claims.
    void Clear();

    // The path the task writes, claimed for it on first use: `own` when no
    // other task holds it, else the first numbered name beside it that no
    // task holds and no listed task has as its own. A task that is not listed
    // writes `own` and claims nothing. `listed` is asked once per list.
    std::wstring Claim(int32_t taskId, const std::wstring& own, const ListedPaths& listed);

    // The task's claimed path; `own` when it holds none.
    std::wstring Find(int32_t taskId, const std::wstring& own) const;

private:
    void Load(const ListedPaths& listed);
    std::wstring FreeNumberedPath(const std::wstring& own) const;

    bool loaded_ = false;
    std::unordered_set<int32_t> listedIds_;
    // Paths some listed task has as its own: never handed out as a number.
    std::unordered_set<std::wstring> ownPaths_;
    std::unordered_map<int32_t, std::wstring> claims_;
    std::unordered_set<std::wstring> claimedPaths_;
};
