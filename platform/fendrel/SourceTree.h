#pragma once
#include <atomic>
#include <cstdint>
#include <string>

#include "IsoFs.h"

namespace fendrel {

struct SourceSummary {
    std::uint64_t entries = 0;
    std::uint64_t dataBlocks = 0;  // 2048-byte blocks of file content
};

// The folder's canonical absolute path, from an absolute one. Returns kPackOk,
// kFendrelSourceMissing or kFendrelSourceUnreadable.
int ResolveSourceFolder(const std::string& folder, std::string& resolved);

// Adds everything below `folder` to the image root, checking that each name
// survives the Joliet tree. Returns kPackOk, kPackStopped or an error code.
int AddSourceFolder(IsoImage* image, const std::string& folder, const std::atomic<bool>& stop,
                    SourceSummary& summary);

}  // namespace fendrel
