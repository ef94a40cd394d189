#pragma once
#include <string>

#include "driverinfo/DriverInfoApi.h"

// The base address of the maker's web service (also its home page): the
// compiled default unless PELLUCOR_SERVICE_URL points elsewhere.
std::string ServiceBase();

// Each posts its JSON body to its driver endpoint and, when the transfer
// succeeded, clears and fills the library's record of its kind and points *out
// at it. True only when the transfer succeeded and the reply was read. Text
// arguments are in the ANSI code page. Without the record (before
// DriverInfo_Init) nothing is sent and the result is false.
bool SendDmInfoRequest(DmInfoResult** out, const std::string& serial, const std::string& osText);
bool SendSearchRequest(SearchResult** out, const std::string& osText, const std::string& searchKey);
bool SendQueryForWebRequest(QueryForWebResult** out, const std::string& searchKey);
bool SendTreeNodeRequest(TreeNodeResult** out, const std::string& key);
