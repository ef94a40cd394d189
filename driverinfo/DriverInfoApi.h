#pragma once
// The driver-information library Corvane (libCorvane.so): its result records
// and its six exports. The main program reads the records in place through the
// pointers the queries hand out; both sides build them from this one header
// with the same compiler and standard library.
//
// Narrow texts are in the OEM code page (UTF-8 on this platform). The
// records belong to the library from DriverInfo_Init to DriverInfo_Free; a
// caller never frees one and reads a result before its next query of that kind.
#include <cstdint>
#include <string>
#include <vector>

// One downloadable driver of a search reply.
struct SearchDriver {
    std::string DriverEdtionId;
    std::string DriverName;
    std::string Version;
    std::string PartID;
    std::string HisCount;
    std::string ActiveTime;
    std::string HardwareId;
    std::string InstallCode;
    std::string SystemBus;
    std::string IsIssued;
    std::string DriverIssuedDateTime;
    std::string CreateTime;
    std::string UpdateTime;
    std::string Remark;
    std::string InstallOverTime;
    std::string ISDCH;
    std::string CoreVersion;
    std::string FileName;
    std::string FileSize;
    std::string FilePath;
    std::string FileType;
};

// One driver category.
struct SearchPart {
    std::string PartID;
    std::string PartName;
    std::string OrderNum;
};

// One operating system that drivers exist for.
struct SearchOs {
    int32_t OSID = 0;
    std::string OrderNumber;
    std::string OSName;
};

// One product-tree node of the searched model.
struct SearchSeries {
    std::string ProductTreeId;
    std::string NodeCode;
    std::string PicturePath;
    std::string MarketTime;
    std::string MEMO;
};

struct SearchModelType {
    std::string ProductTreeId;
    std::string NodeCode;
};

// The operating system that the service proposes.
struct SearchDefaultOs {
    int32_t ID = 0;
    std::string NAME;
    std::string Status;
    std::string Memo;
    std::string OrderNumber;
    std::string CreateBy;
    std::string CreateTime;
    std::string UpdateBy;
    std::string UpdateTime;
    std::string ProductLineList;
};

// Reply of the driver search.
struct SearchResult {
    std::string Message;
    std::string StatusCode;
    std::vector<SearchDriver> driverList;
    std::vector<SearchPart> partList;
    std::vector<SearchOs> osList;
    std::vector<SearchSeries> driverSerious;
    std::vector<SearchModelType> driverMTList;
    SearchDefaultOs defaultOS;  // survives clearing; the last "defaultOS" element wins
};

// One driver of the serial-number reply.
struct DmInfoDriver {
    std::string Bus;
    std::string Hardwareid;
    std::string Vender;
    std::string Class;
    std::string Exefiledlurl;
    std::string Filesize;
    std::string Version;
    std::string CoreVersion;
    std::string Md5;
    std::string Drivername;
    std::string Pubtime;
    std::string Parameter;
    std::string Timeout;
    std::string Bootfile;
    std::string Type;
};

// Reply of the serial-number query.
struct DmInfoResult {
    int32_t StatusCode = 0;
    std::string Success;
    std::string Message;
    std::string ResultCode;
    std::string ResultMessage;
    std::string ProductServiceinfo;
    std::string Hardwareinfo;
    std::vector<DmInfoDriver> Driveinfo;
};

struct QueryForWebItem {
    std::string categoryid;
    std::string codeName;
    std::string productLine;
    std::string sn;
};

// Reply of the model or serial lookup (used inside the library only).
struct QueryForWebResult {
    std::string Message;
    std::string StatusCode;
    std::vector<QueryForWebItem> Data;
};

// Reply of the suggestion query.
struct TreeNodeResult {
    std::string Message;
    std::string StatusCode;
    std::vector<std::string> names;
};

#define DRIVERINFO_API extern "C" __attribute__((visibility("default")))

// Creates the records that do not exist yet; always true.
DRIVERINFO_API bool DriverInfo_Init();
// Clears and destroys the records; always true, also without records.
DRIVERINFO_API bool DriverInfo_Free();
// Text arguments are `len` bytes (a NUL ends the text early) in the ANSI code
// page. *out is written only when the transfer succeeded; the result is true
// when the reply was read.
DRIVERINFO_API bool DriverInfo_QueryBy_SN(DmInfoResult** out, const char* sn, int snLen, int osId);
// Lookup of the model text, then the driver search for its first hit.
DRIVERINFO_API bool DriverInfo_QueryBy_DevName(SearchResult** out, const char* text, int textLen, int osId);
DRIVERINFO_API bool DriverInfo_QuerySuggest(TreeNodeResult** out, const char* text, int textLen);
// True when the maker's home page answered a request for its head.
DRIVERINFO_API bool DriverInfo_GetNetWorkCondition();
