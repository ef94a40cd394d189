#pragma once
// The window program's own globals. The download side's globals are declared
// with their classes; all of them are defined, in one order, in
// ProgramGlobals.cpp.
#include <atomic>
#include <cstdint>
#include <string>

#include "datacollection/DataCollectionApi.h"
#include "soui/SString.h"

// Names inside the operating-system drop-down's layout node.
extern const std::wstring g_popupLayoutName;    // "popupStyle"
extern const std::wstring g_popupListViewName;  // "lv_dropdown"

// The PC's identity; filled by the main window's start-up worker, freed by
// the main window's destruction and never at program end.
extern DeviceInfoRecord* g_deviceInfo;

// Name of the operating system whose drivers the list shows.
extern SOUI::SStringW g_defaultOsName;
// Icon skin of a category whose icon row names none.
extern std::string g_defaultDriverIcon;

// -1 until the start-up network check has answered, then 0 (the maker's site
// did not answer) or 1. Written by the start-up worker, read by the window.
extern std::atomic<int32_t> g_networkState;
