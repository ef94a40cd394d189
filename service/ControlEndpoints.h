#pragma once
#include <httplib.h>

#include "ServiceState.h"

// Test control under "/_control/", never logged and never faulted:
//   POST /_control/fault  {"mode": "<fault name>", "path": "<only this path>"}
//                         (path optional; mode "none" ends the fault; the
//                         names and what they do: FaultMode in ServiceState.h)
//   POST /_control/mode   {"area": "...", "key": "...", "value": "..."}
//   GET  /_control/log    [{"method","path","headers":{...},"body"}, ...] in arrival order
//   POST /_control/reset-log
//   POST /_control/reset  (log, fault and modes)
// Every request outside "/_control/" is logged before its reply is written, so a
// client that got its reply finds its request in the log.
void RegisterControlEndpoints(httplib::Server& server, ServiceState& state);

bool IsControlPath(const std::string& path);
