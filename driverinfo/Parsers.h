#pragma once

// Each reads the reply in ResponseBuffer into its process-global record (which
// must exist) and returns true when the reply was read. They never throw.
bool ParseDmInfoResponse();
bool ParseSearchResponse();
bool ParseQueryForWebResponse();
bool ParseTreeNodeResponse();
