#include "app/mainwnd/DownloadPath.h"

#include <algorithm>

#include "os/ModulePath.h"

namespace {

// Characters a folder name of the save path may not hold.
const std::wstring kRemovedCharacters = L"/\\:?><*";

std::wstring RemoveReservedCharacters(std::wstring part) {
    std::erase_if(part, [](wchar_t c) { return kRemovedCharacters.find(c) != std::wstring::npos; });
    return part;
}

// No part of a save path may climb out of the download folder or split into
// two: a separator (or a NUL, which would end the path early) becomes "_",
// and a part that names the folder itself or its parent becomes "_". A part
// that came empty stays empty; one emptied by the cleaning becomes "_".
std::wstring ConfinePart(const std::wstring& original, std::wstring part) {
    std::replace_if(
        part.begin(), part.end(), [](wchar_t c) { return c == os::kPathSeparator || c == L'\0'; }, L'_');
    if (part == L"." || part == L".." || (part.empty() && !original.empty())) return L"_";
    return part;
}

}  // namespace

std::wstring CleanFolderPart(const std::wstring& part) {
    return ConfinePart(part, RemoveReservedCharacters(part));
}

std::wstring CleanFileName(const std::wstring& name) {
    const std::wstring part = ConfinePart(name, name);
    return part.empty() ? L"_" : part;
}

std::wstring DownloadSubpath(const DownloadPathParts& parts) {
    std::wstring path = CleanFolderPart(parts.model);
    path += os::kPathSeparator;
    path += CleanFolderPart(parts.os);
    path += os::kPathSeparator;
    path += CleanFolderPart(parts.category);
    path += os::kPathSeparator;
    path += CleanFileName(parts.fileName);
    return path;
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t separator = path.rfind(os::kPathSeparator);
    return separator == std::wstring::npos ? path : path.substr(0, separator);
}

std::wstring NumberedPath(const std::wstring& path, int number) {
    const size_t separator = path.rfind(os::kPathSeparator);
    const size_t nameStart = separator == std::wstring::npos ? 0 : separator + 1;
    size_t dot = path.rfind(L'.');
    if (dot == std::wstring::npos || dot <= nameStart) dot = path.size();
    return path.substr(0, dot) + L" (" + std::to_wstring(number) + L")" + path.substr(dot);
}
