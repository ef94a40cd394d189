#pragma once
#include <string>

#include "datacollection/DataCollectionApi.h"

namespace tessaly {

// Download address of a newer tool version, from the last version reply that
// carried one.
extern std::string ToolDownloadUrl;
// The library's own copy of the service addresses; a reply overwrites only
// the entries it carries.
extern ServiceUrlTable GlobalServiceUrls;

// Read the reply in the response buffer from its first "{". The version
// reply's integer "code" (0 when there is none); a 202 with a text "data"
// stores ToolDownloadUrl.
int ParseVersionResponse();
// The URL list: with code 200 the "url" of the first five "data" elements
// go into GlobalServiceUrls. True when the code is not 0. Throws when a
// "url" cannot be read as text.
bool ParseUrlListResponse();

}  // namespace tessaly
