#include "driverinfo/Records.h"

DmInfoResult* g_dmInfoResult = nullptr;
SearchResult* g_searchResult = nullptr;
QueryForWebResult* g_queryForWebResult = nullptr;
TreeNodeResult* g_treeNodeResult = nullptr;

namespace {

template <typename Record>
void CreateIfMissing(Record*& record) {
    if (record == nullptr) record = new Record();
}

template <typename Record>
void Destroy(Record*& record) {
    delete record;
    record = nullptr;
}

}  // namespace

bool ClearSearchResult() {
    if (SearchResult* r = g_searchResult) {
        r->driverList.clear();
        r->driverMTList.clear();
        r->driverSerious.clear();
        r->osList.clear();
        r->partList.clear();
        r->Message.clear();
        r->StatusCode.clear();
    }
    return true;
}

bool ClearDmInfoResult() {
    if (DmInfoResult* r = g_dmInfoResult) {
        r->Driveinfo.clear();
        r->Hardwareinfo.clear();
        r->ProductServiceinfo.clear();
        r->ResultCode.clear();
        r->ResultMessage.clear();
        r->StatusCode = 0;
        r->Message.clear();
        r->Success.clear();
    }
    return true;
}

bool ClearQueryForWebResult() {
    if (QueryForWebResult* r = g_queryForWebResult) {
        r->Data.clear();
        r->Message.clear();
        r->StatusCode.clear();
    }
    return true;
}

bool ClearTreeNodeResult() {
    if (TreeNodeResult* r = g_treeNodeResult) {
        r->Message.clear();
        r->StatusCode.clear();
        r->names.clear();
    }
    return true;
}

void CreateRecords() {
    CreateIfMissing(g_dmInfoResult);
    CreateIfMissing(g_searchResult);
    CreateIfMissing(g_queryForWebResult);
    CreateIfMissing(g_treeNodeResult);
}

void DestroyRecords() {
    ClearDmInfoResult();
    ClearSearchResult();
    ClearQueryForWebResult();
    ClearTreeNodeResult();
    Destroy(g_dmInfoResult);
    Destroy(g_searchResult);
    Destroy(g_queryForWebResult);
    Destroy(g_treeNodeResult);
}
