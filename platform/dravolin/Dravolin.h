/* Dravolin: the driver download engine.
 *
 * Each handle runs one HTTP or HTTPS transfer at a time on a thread of its
 * own and reports through two callbacks, always on that thread and always
 * with the user value registered for the handle.
 *
 * Files: the transfer writes "<file>.part" beside the target (and keeps its
 * validator in "<file>.part.meta"); the target appears, by rename, only when
 * every announced byte has arrived and, when the caller gave a size, their
 * count is that size. One transfer at a time writes a file: it locks the
 * partial file, and another that finds the lock, of this process or another,
 * fails at once with DRAVOLIN_STATUS_BUSY, unless the holder is a cancelled
 * transfer of this process, which is waited for. A failed or cancelled
 * transfer leaves a non-empty partial file, and reopening the same address
 * into the same file continues it with a range request guarded by If-Range;
 * the answer is appended only when it carries the partial file's validator
 * (strong ETag, else Last-Modified), and the file starts over otherwise.
 *
 * Trust: HTTPS peers and host names are always verified, against the system
 * certificate store, or, when the environment variable PELLUCOR_CA_FILE names
 * a PEM file as a transfer starts, against that file alone: the system's
 * certificate file and folder are then not consulted.
 */
#ifndef DRAVOLIN_DRAVOLIN_H
#define DRAVOLIN_DRAVOLIN_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define DRAVOLIN_API __attribute__((visibility("default")))

/* Status codes of the status callback. 301 (done) and 302 (cancelled) are the
 * only non-failures; every accepted cancel is answered with exactly one 302
 * and with no other status. */
enum {
    DRAVOLIN_STATUS_DONE = 301,
    DRAVOLIN_STATUS_CANCELLED = 302,
    DRAVOLIN_STATUS_BAD_REQUEST = 320, /* empty or malformed address or file path */
    DRAVOLIN_STATUS_NETWORK = 321,     /* no connection, or it broke or stalled */
    DRAVOLIN_STATUS_HTTP_ERROR = 322,  /* the server answered an error or an unusable status */
    DRAVOLIN_STATUS_INCOMPLETE = 323,  /* fewer bytes than the server announced */
    DRAVOLIN_STATUS_FILE_ERROR = 324,  /* the partial or target file could not be written */
    DRAVOLIN_STATUS_TLS = 325,         /* certificate or TLS failure */
    DRAVOLIN_STATUS_BUSY = 326,        /* another transfer, of this process or another, writes the file */
    DRAVOLIN_STATUS_WRONG_SIZE = 327   /* the answer's size differs from the expected size */
};

/* Data callback: speed in bytes per second over the last few seconds, and
 * the whole percent done; called whenever the percentage changes. */
typedef int32_t (*DravolinDataCallback)(int32_t handle, float bytesPerSecond, int32_t percent, void* user);
/* Status callback: one call at the end of every opened transfer. */
typedef int32_t (*DravolinStatusCallback)(int32_t handle, int32_t status, void* user);

/* A new handle; 0 when none can be made. */
DRAVOLIN_API int32_t DriverDownLoad_Init(void);

/* Register the callbacks of one handle; 1 on success, 0 for an unknown
 * handle. A later registration replaces the earlier one. */
DRAVOLIN_API int32_t DriverDownLoad_DataCallBack_Log(DravolinDataCallback callback, int32_t handle,
                                                     void* user);
DRAVOLIN_API int32_t DriverDownLoad_ErrorCallBack_Log(DravolinStatusCallback callback, int32_t handle,
                                                      void* user);

/* Start the transfer of url (urlLength bytes) into path (UTF-16, pathLength
 * code units). sizeLow/sizeHigh give the expected size, 0 when unknown; a
 * known size is the only one that completes the transfer (an answer that
 * announces or brings another fails with DRAVOLIN_STATUS_WRONG_SIZE), and it
 * paces the percentage when the server announces no length. reserved
 * must be 0. Returns at once: 1 when the transfer was queued on the handle,
 * 0 for an unknown handle (no callback follows). A transfer opened while an
 * earlier one is still ending runs after it. Every queued transfer ends with
 * one status callback, a transfer that cannot start included. */
DRAVOLIN_API int32_t DriverDownLoad_Open(int32_t handle, const char* url, int32_t urlLength,
                                         const uint16_t* path, int32_t pathLength, uint32_t sizeLow,
                                         uint32_t sizeHigh, int32_t reserved);

/* Ask the newest transfer of the handle to stop. Returns 1 when accepted (a
 * 302 follows), 0 when there is nothing to cancel: no transfer, one already
 * cancelled, or one that has already finished. Never waits. */
DRAVOLIN_API uint8_t DriverDownLoad_Cancel(int32_t handle);

/* Release the handle: its transfers are abandoned and no callback starts
 * after this returns. Never waits for a callback. */
DRAVOLIN_API void DriverDownLoad_Free(int32_t handle);

#ifdef __cplusplus
}
#endif

#endif
