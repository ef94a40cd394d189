#pragma once
#include <httplib.h>

#include "Catalogue.h"
#include "ServiceState.h"

// The maker's home page (the network check asks for its head) and the four
// driver endpoints, answered from the catalogue:
//   POST /home/driver/QueryForWeb {"searchKey"}: a serial number gives status
//        300 and that serial, a model name status 200 and its category, else 404
//   POST /home/driver/Search      {"osid","searchKey"}: by serial or category id
//   POST /home/driver/DmInfo      {"OS","SN"}
//   POST /home/driver/TreeNode    {"key"}: model names containing the key
// Test mode: area "reply", key = an endpoint path, value = the raw reply text
// sent in place of the catalogue's answer (faults still apply on top).
void RegisterDriverEndpoints(httplib::Server& server, ServiceState& state, const Catalogue& catalogue);
