#pragma once
#include <atomic>
#include <functional>
#include <string>

namespace fendrel {

struct PackRequest {
    std::string sourceFolder;  // UTF-8, absolute
    std::string isoPath;       // UTF-8, absolute
    std::string volumeLabel;   // UTF-8; empty: the source folder's name
};

// Packs the folder into the image on the calling thread, reporting whole
// percent through `progress` (0 first, 100 last and only after the image is
// in place). Returns kPackOk, kPackStopped or an error code; on anything but
// kPackOk no file is left under the image's name.
int RunPackJob(const PackRequest& request, const std::atomic<bool>& stop,
               const std::function<void(int)>& progress);

}  // namespace fendrel
