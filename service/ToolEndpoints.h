#pragma once
#include <httplib.h>

#include "ServiceState.h"

// The tool endpoints of the data-collection library:
//   POST /Home/tool/version     {"code":200} by default; with mode
//                               ("tool", "version", "newer") {"code":202,
//                               "data":"<download address>"}
//   POST /Home/tool/statistics  decrypts the sealed report in "data"
//   GET  /home/tool/urlList     five service addresses, the second the
//                               agreement page
//   GET  /_control/tool-report  the last report as decrypted (JSON text),
//                               404 before the first
// A mode ("reply", <path>, <text>) replaces an endpoint's reply.
void RegisterToolEndpoints(httplib::Server& server, ServiceState& state);
