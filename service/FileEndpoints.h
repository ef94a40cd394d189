#pragma once
#include <httplib.h>

#include "Catalogue.h"
#include "ServiceState.h"

// GET /files/<FileName>: the catalogue's driver files, FileSize bytes of
// FileContent, with a strong ETag and Last-Modified, single byte ranges
// ("bytes=N-" and "bytes=N-M") and If-Range. Switches, set through
// /_control/mode with area "files" (see LocalService::SetMode):
//   "rate"         bytes per second for each transfer (0 or absent: unlimited);
//                  read again while a transfer runs, so a test can slow one
//                  down to pause it and speed it up again
//   "drop-after"   close the connection after that many body bytes
//   "short"        announce the whole length, send that many bytes fewer, close
//   "not-found"    "1": answer 404 with an HTML page
//   "ignore-range" "1": answer 200 with the whole file to a range request
//   "version"      content version (default 1); a new one changes the bytes,
//                  the ETag and Last-Modified, like a file replaced on the server
//   "no-validators" "1": no ETag or Last-Modified, and ranges served whatever
//                  If-Range names, like a server that keeps no versions
//   "no-length"    "1": no Content-Length; the body ends when the connection
//                  closes (with "short" or "drop-after" the cut looks complete)
//   "html-200"     "1": answer 200 with a small HTML page, like a portal or a
//                  proxy standing in for the file
void RegisterFileEndpoints(httplib::Server& server, ServiceState& state, const Catalogue& catalogue);
