#pragma once
#include "driverinfo/DriverInfoApi.h"

// The library's one record of each kind; null until DriverInfo_Init.
extern DmInfoResult* g_dmInfoResult;
extern SearchResult* g_searchResult;
extern QueryForWebResult* g_queryForWebResult;
extern TreeNodeResult* g_treeNodeResult;

// Each empties its record (when it exists); always true.
bool ClearSearchResult();
bool ClearDmInfoResult();
bool ClearQueryForWebResult();
bool ClearTreeNodeResult();

// Creates each missing record, in the order DmInfo, Search, QueryForWeb, TreeNode.
void CreateRecords();
// Clears, then destroys every existing record in the same order.
void DestroyRecords();
