#include "datacollection/BrowserPages.h"

#include "common/TextEncoding.h"
#include "datacollection/ToolReplies.h"
#include "datacollection/ToolRequests.h"
#include "os/Browser.h"

namespace tessaly {

std::string FeedbackAddress(const std::string& toolId) {
    const std::string& listed = GlobalServiceUrls.url[0];
    const std::string base = listed.empty() ? ToolServiceBase() + "/home#/suggest?id=" : listed;
    return base + toolId;
}

void OpenInBrowser(const std::string& address) {
    os::OpenInBrowser(AnsiToWide(address));
}

}  // namespace tessaly
