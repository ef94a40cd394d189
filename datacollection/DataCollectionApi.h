#pragma once
// The data-collection library: version check, service addresses, browser
// pages, the sealed usage report and the PC's identity. Shared by the library
// and the main program; every record is owned by the caller, the library only
// reads it or assigns into its strings.
#include <string>

#define TESSALY_API extern "C" __attribute__((visibility("default")))

struct ToolVersionInfo {
    std::string id;
    std::string versions;
};

struct OperationReport {
    std::string id;
    std::string datetime;
    std::string versions;
    std::string status;
    std::string PcModel;
    std::string Manufacture;
    std::string SerialNumber;
    std::string sourc_type;
};

struct DeviceInfoRecord {
    std::string Name;
    std::string Version;
    std::string Vendor;
    std::string IdentifyingNumber;
};

struct ServiceUrlTable {
    std::string url[5];
};

// The reply's integer "code"; 0 when the request or its reply failed.
TESSALY_API int DataCollection_VersionGet(ToolVersionInfo* info);
// Opens the download page that the last version reply named; always true.
TESSALY_API bool DataCollection_OpenToolDownUrl();
// Opens the feedback page for info->id; always true.
TESSALY_API bool DataCollection_OpenFeedbackQuestion(ToolVersionInfo* info);
// Seals the report and sends it; true when the transfer completed.
TESSALY_API bool DataCollection_OperationResponse(OperationReport* report);
// Reads the PC's identity from the system product query; always true.
TESSALY_API bool DataCollection_GetDeviceInfo(DeviceInfoRecord* record);
// Fetches the service address list and copies it into table; true when the
// reply carried a non-zero integer "code".
TESSALY_API bool DataCollection_GetServerUrlInfo(ServiceUrlTable* table);
