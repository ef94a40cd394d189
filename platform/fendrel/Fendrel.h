#pragma once
// ISO packer: packs a folder into an ISO 9660 image with Joliet (long names)
// and Rock Ridge, on a thread of its own.
//
// Call every function from one thread, never from inside a callback.
// Both callbacks run on the packer's thread and receive the context that was
// registered with them.
#include <cstdint>
#include <string>

#define FENDREL_API __attribute__((visibility("default")))

// Third argument of StartPackageFileToIsoThread; copied by the call.
struct PackOptions {
    int32_t reserved = 0;     // not used; pass 0
    std::string volumeLabel;  // UTF-8; empty: the source folder's name
};

// Whole percent, rising: 0 once the source folder has been read and the
// image file begun, 100 exactly once, after the image is complete, flushed
// and under its name. The result is ignored.
using FileToIsoProgressCallback = int (*)(int percent, void* context);
// One call per failed packing, with one of the codes below; no 100 follows.
using FileToIsoErrorCallback = void (*)(int code, void* context);

// Error codes passed to the error callback.
enum FendrelError : int {
    kFendrelBadArgument = 1,        // a path is null, empty, not text, or relative with no current folder
    kFendrelNotInitialised = 2,     // started before InitDllRes
    kFendrelBusy = 3,               // a packing is already running
    kFendrelSourceMissing = 4,      // the source folder does not exist or is no folder
    kFendrelSourceEmpty = 5,        // the source folder holds nothing
    kFendrelSourceUnreadable = 6,   // a folder or entry of the source cannot be read
    kFendrelSourceChanged = 7,      // a file vanished, changed size or failed to read while packing
    kFendrelNameTooLong = 8,        // a name exceeds 103 Joliet characters, the dot included
    kFendrelNameNotText = 9,        // a name is not valid UTF-8
    kFendrelImageTooLarge = 10,     // the image would exceed the ISO 9660 limits
    kFendrelTargetUnwritable = 11,  // the target is no regular file or cannot be written
    kFendrelDiskFull = 12,          // no space left for the image
    kFendrelWriteFailed = 13,       // any other failure writing the image
    kFendrelInternal = 14,          // the ISO library or the thread failed
};

extern "C" {

// Prepares the packer; returns 0 or an error code. Callbacks are unset.
FENDREL_API int InitDllRes();

FENDREL_API void SetFileToIsoProgressCallBack(FileToIsoProgressCallback callback, void* context);

FENDREL_API void SetFileToIsoErrorCallBack(FileToIsoErrorCallback callback, void* context);

// Copies both paths and the options and returns at once: 0 when the packing
// thread runs, otherwise the code of a start that cannot proceed (bad
// argument, not initialised, busy, no thread), which also goes to the error
// callback, on the calling thread; every later failure is reported on the
// packer's thread. Relative paths count from the current folder at the time
// of this call. The image is written beside `isoPath` and renamed to it only
// when complete; an existing regular file of that name is replaced, anything
// else there (a folder, a link, a device) fails the packing and stays.
FENDREL_API int StartPackageFileToIsoThread(const wchar_t* sourceFolder, const wchar_t* isoPath,
                                            const PackOptions* options);

// Stops a running packing and waits for its thread; the unfinished image is
// removed and no callback follows.
FENDREL_API void StopPackageIso();

// Stops as StopPackageIso does, forgets the callbacks and releases the ISO
// library. No callback arrives after it returns.
FENDREL_API void ReleaseFileToIsoDllRes();

}  // extern "C"
