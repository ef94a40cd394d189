#pragma once
// The rule that places a driver's file under the download folder:
// «model»/«system»/«category»/«file name», each part cleaned so that the file
// lands whole below the folder whatever the service sends. Plain text in and
// out; the caller converts the task's narrow texts first.
#include <string>

struct DownloadPathParts {
    std::wstring model;
    std::wstring os;
    std::wstring category;
    std::wstring fileName;
};

// A folder part (model code, system, category): the seven characters
// "/\:?><*" removed, then confined.
std::wstring CleanFolderPart(const std::wstring& part);

// The file name keeps its characters but for what the confinement mends; an
// empty one becomes "_".
std::wstring CleanFileName(const std::wstring& name);

// «model»/«system»/«category»/«file name», cleaned, below the download folder.
std::wstring DownloadSubpath(const DownloadPathParts& parts);

// The path up to its last separator (the whole path when it has none).
std::wstring FolderOf(const std::wstring& path);

// The same file numbered in the same folder: "a/setup.exe" and 2 give
// "a/setup (2).exe"; a name without an extension, or one that starts with its
// only dot, takes the number at its end.
std::wstring NumberedPath(const std::wstring& path, int number);
