#include "PackJob.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "Fendrel.h"
#include "ImageFile.h"
#include "PackResult.h"
#include "SourceTree.h"

namespace fendrel {
namespace {

constexpr std::size_t kChunkBytes = 1u << 20;
// 64 MiB between generator and writer: room for either to fall behind for a
// while on a busy machine, as each wait on a full or empty ring costs a
// wake-up of the other thread.
constexpr std::size_t kFifoBlocks = 32768;
// Block addresses are 32-bit; directory records, path tables and the
// volume descriptors take at most a few blocks per entry.
constexpr std::uint64_t kMaxImageBlocks = 0xFFFFFFFFull;
constexpr std::uint64_t kMetaBlocksPerEntry = 3;
constexpr std::uint64_t kMetaBlocksFixed = 1024;

struct ImageDeleter {
    void operator()(IsoImage* image) const { iso_image_unref(image); }
};
struct WriteOptsDeleter {
    void operator()(IsoWriteOpts* opts) const { iso_write_opts_free(opts); }
};
// Ends the generator thread (when still running) and frees the source.
struct BurnSourceDeleter {
    void operator()(burn_source* source) const {
        source->cancel(source);
        source->free_data(source);
        std::free(source);
    }
};
using ImagePtr = std::unique_ptr<IsoImage, ImageDeleter>;
using WriteOptsPtr = std::unique_ptr<IsoWriteOpts, WriteOptsDeleter>;
using BurnSourcePtr = std::unique_ptr<burn_source, BurnSourceDeleter>;

std::string DefaultLabel(const std::string& folder) {
    const auto end = folder.find_last_not_of('/');
    if (end == std::string::npos) return "CDROM";
    const auto slash = folder.rfind('/', end);
    return folder.substr(slash == std::string::npos ? 0 : slash + 1,
                         slash == std::string::npos ? end + 1 : end - slash);
}

WriteOptsPtr MakeWriteOptions() {
    IsoWriteOpts* raw = nullptr;
    // Profile 1: ISO level 3 (files of 4 GiB and more) with Rock Ridge.
    if (iso_write_opts_new(&raw, 1) < 0) return nullptr;
    WriteOptsPtr opts(raw);
    iso_write_opts_set_iso_level(raw, 3);
    iso_write_opts_set_rockridge(raw, 1);
    // Folders below the eighth level and paths over 255 characters stay in
    // place: relocating them leaves marks that readers disagree on (some
    // reject the image, some show the moved folder twice).
    iso_write_opts_set_allow_deep_paths(raw, 1);
    iso_write_opts_set_allow_longer_paths(raw, 1);
    iso_write_opts_set_joliet(raw, 1);
    iso_write_opts_set_joliet_long_names(raw, 1);
    iso_write_opts_set_joliet_longer_paths(raw, 1);
    // Names beyond the basic plane keep their characters instead of '_'.
    iso_write_opts_set_joliet_utf16(raw, 1);
    // Joliet names stay as they are, without a dot added to bare names.
    constexpr int kNoJolietForcedDot = 2;
    iso_write_opts_set_no_force_dots(raw, kNoJolietForcedDot);
    // Nor with a version suffix: readers that cut Joliet names at 103
    // characters would show ";" in place of the last ones.
    constexpr int kNoJolietVersion = 2;
    iso_write_opts_set_omit_version_numbers(raw, kNoJolietVersion);
    iso_write_opts_set_output_charset(raw, "UTF-8");
    iso_write_opts_set_fifo_size(raw, kFifoBlocks);
    return opts;
}

// Why the generator failed, from the messages libisofs queued.
int GeneratorFailure() {
    int result = kFendrelInternal;
    int code = 0;
    int imageId = 0;
    char text[ISO_MSGS_MESSAGE_LEN];
    char severity[80];
    while (iso_obtain_msgs(const_cast<char*>("MISHAP"), &code, &imageId, text, severity) == 1) {
        // Queued messages carry the short form of the error code.
        if (code == iso_error_get_code(static_cast<int>(ISO_FILE_CANT_WRITE))) {
            result = kFendrelSourceChanged;
        }
    }
    return result;
}

void DropMessages() {
    int code = 0;
    int imageId = 0;
    char text[ISO_MSGS_MESSAGE_LEN];
    char severity[80];
    iso_obtain_msgs(const_cast<char*>("NEVER"), &code, &imageId, text, severity);
}

class Progress {
public:
    explicit Progress(const std::function<void(int)>& report) : report_(report) { report_(0); }

    // Whole percent of the bytes written; 100 waits for Finish.
    void Update(std::uint64_t written, std::uint64_t total) {
        const int percent = total == 0 ? 99 : static_cast<int>(written * 100 / total);
        Raise(percent > 99 ? 99 : percent);
    }
    void Finish() { Raise(100); }

private:
    void Raise(int percent) {
        if (percent <= last_) return;
        last_ = percent;
        report_(percent);
    }

    const std::function<void(int)>& report_;
    int last_ = 0;
};

// Waits until the generator has a whole chunk ready (or has ended). Reading
// from a near-empty ring buffer would hand over every 2 KiB block between
// the two threads, which costs more than the copying itself.
void WaitForChunk(burn_source* source, std::size_t wanted, const std::atomic<bool>& stop) {
    constexpr auto kPollInterval = std::chrono::microseconds(500);
    constexpr int kGenerating = 1;
    std::size_t capacity = 0;
    std::size_t freeBytes = 0;
    while (!stop.load() && iso_ring_buffer_get_status(source, &capacity, &freeBytes) == kGenerating &&
           capacity - freeBytes < wanted) {
        std::this_thread::sleep_for(kPollInterval);
    }
}

int WriteImage(burn_source* source, ImageFile& file, const std::atomic<bool>& stop, Progress& progress) {
    const auto total = static_cast<std::uint64_t>(source->get_size(source));
    std::vector<unsigned char> chunk(kChunkBytes);
    std::uint64_t written = 0;
    while (written < total) {
        if (stop.load()) return kPackStopped;
        // A read beyond the end loses the last partial chunk, so ask for no
        // more than is left.
        const auto wanted = static_cast<int>(std::min<std::uint64_t>(chunk.size(), total - written));
        WaitForChunk(source, static_cast<std::size_t>(wanted), stop);
        const int got = source->read_xt(source, chunk.data(), wanted);
        // The generator ends the stream early when it fails.
        if (got != wanted) return GeneratorFailure();
        if (const int result = file.Write(chunk.data(), static_cast<std::size_t>(got)); result != kPackOk) {
            return result;
        }
        written += static_cast<std::uint64_t>(got);
        progress.Update(written, total);
    }
    return kPackOk;
}

int Pack(const PackRequest& request, const std::atomic<bool>& stop, const std::function<void(int)>& report) {
    std::string folder;
    if (const int result = ResolveSourceFolder(request.sourceFolder, folder); result != kPackOk) {
        return result;
    }
    const std::string label = request.volumeLabel.empty() ? DefaultLabel(folder) : request.volumeLabel;
    IsoImage* rawImage = nullptr;
    if (iso_image_new(label.c_str(), &rawImage) < 0) return kFendrelInternal;
    ImagePtr image(rawImage);

    SourceSummary summary;
    if (const int result = AddSourceFolder(rawImage, folder, stop, summary); result != kPackOk) {
        return result;
    }
    if (summary.dataBlocks + summary.entries * kMetaBlocksPerEntry + kMetaBlocksFixed > kMaxImageBlocks) {
        return kFendrelImageTooLarge;
    }
    WriteOptsPtr opts = MakeWriteOptions();
    if (!opts) return kFendrelInternal;

    ImageFile file;
    if (const int result = file.Create(request.isoPath); result != kPackOk) return result;
    Progress progress(report);
    if (stop.load()) return kPackStopped;
    burn_source* rawSource = nullptr;
    const int created = iso_image_create_burn_source(rawImage, opts.get(), &rawSource);
    if (created < 0) {
        return static_cast<unsigned>(created) == ISO_FILE_TOO_BIG ? kFendrelImageTooLarge : kFendrelInternal;
    }
    BurnSourcePtr source(rawSource);
    if (const int result = WriteImage(rawSource, file, stop, progress); result != kPackOk) {
        return result;
    }
    source.reset();
    if (const int result = file.Commit(); result != kPackOk) return result;
    progress.Finish();
    return kPackOk;
}

}  // namespace

int RunPackJob(const PackRequest& request, const std::atomic<bool>& stop,
               const std::function<void(int)>& progress) {
    const int result = Pack(request, stop, progress);
    DropMessages();
    return result;
}

}  // namespace fendrel
