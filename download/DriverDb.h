#pragma once
#include <cstdint>
#include <string>

struct sqlite3;

// The program's local store "driverdownload.db3" beside the executable:
// part icons, the download settings and the numbering of tasks. The
// shipped file holds the tables; the program only reads and inserts.
// Window thread only.
class CDriverDb {
public:
    CDriverDb() = default;
    ~CDriverDb();
    CDriverDb(const CDriverDb&) = delete;
    CDriverDb& operator=(const CDriverDb&) = delete;

    bool SetProgramDir();
    // Opens the file in the program's folder; a missing file is created
    // empty, and every later statement then fails quietly.
    bool Open();
    // The same, in another folder (ending in a separator).
    bool OpenIn(const std::wstring& folder);
    bool Close();

    // True when the query ran; iconName is set only when a row matched.
    bool QueryPartIcon(const std::string& partName, std::string& iconName);
    // Reads the newest tb_set row into the settings globals.
    void LoadSettings();
    // Adds a tb_set row from the settings globals.
    bool SaveSettings();
    int32_t NextTaskId();

private:
    std::wstring dir;
    sqlite3* db = nullptr;
    int32_t lastTaskId = 0;
};

extern CDriverDb g_driverDb;

// The download settings, stored by the database object.
extern std::wstring g_downLoadDir;
extern std::wstring g_maxDownLoadsText;
extern int32_t g_maxDownLoads;
