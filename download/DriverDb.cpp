#include "download/DriverDb.h"

#include <sqlite3.h>

#include <cstdlib>

#include "download/StringConverter.h"
#include "os/ModulePath.h"

namespace {

constexpr const wchar_t* kDatabaseFileName = L"driverdownload.db3";
constexpr int kBusyTimeoutMs = 30000;

// A prepared statement, finalized on every path.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        if (db == nullptr || sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) {
            sqlite3_finalize(stmt_);
            stmt_ = nullptr;
        }
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool Prepared() const { return stmt_ != nullptr; }
    // Values travel as bound text, never inside the statement, so quotes
    // and any length are stored and compared exactly.
    bool BindText(int position, const std::string& value) {
        return sqlite3_bind_text64(stmt_, position, value.data(), value.size(), SQLITE_TRANSIENT,
                                   SQLITE_UTF8) == SQLITE_OK;
    }
    bool NextRow() { return sqlite3_step(stmt_) == SQLITE_ROW; }
    // A NULL value reads as empty text.
    std::string Text(int column) const {
        const unsigned char* text = sqlite3_column_text(stmt_, column);
        if (text == nullptr) return {};
        return std::string(reinterpret_cast<const char*>(text),
                           static_cast<size_t>(sqlite3_column_bytes(stmt_, column)));
    }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace

CDriverDb::~CDriverDb() {
    Close();
}

bool CDriverDb::SetProgramDir() {
    dir = os::ExecutableDir();
    return true;
}

bool CDriverDb::Open() {
    SetProgramDir();
    return OpenIn(dir);
}

bool CDriverDb::OpenIn(const std::wstring& folder) {
    Close();
    dir = folder;
    const std::string path = g_stringConverter.WideToMultiByte(dir + kDatabaseFileName);
    // The handle is kept even when the open fails: later statements then
    // fail at prepare, as they would on the platform's own open call.
    return sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) ==
           SQLITE_OK;
}

bool CDriverDb::Close() {
    if (db != nullptr) {
        sqlite3_close(db);
        db = nullptr;
    }
    return true;
}

bool CDriverDb::QueryPartIcon(const std::string& partName, std::string& iconName) {
    if (db != nullptr) sqlite3_busy_timeout(db, kBusyTimeoutMs);
    Statement query(db, "select iconname from tb_part where partname=? limit 0,1");
    if (!query.Prepared() || !query.BindText(1, partName)) return false;
    while (query.NextRow()) iconName = query.Text(0);
    return true;
}

void CDriverDb::LoadSettings() {
    Statement query(db, "select * from tb_set order by id desc limit 1");
    if (!query.Prepared()) return;
    while (query.NextRow()) {
        const std::string count = query.Text(2);
        g_maxDownLoads = std::atoi(count.c_str());
        g_downLoadDir = g_stringConverter.MultiByteToWide(query.Text(1));
        g_maxDownLoadsText = g_stringConverter.MultiByteToWide(count);
    }
}

bool CDriverDb::SaveSettings() {
    const std::string localPath = g_stringConverter.WideToMultiByte(g_downLoadDir);
    const std::string count = g_stringConverter.WideToMultiByte(g_maxDownLoadsText);
    Statement insert(db, "INSERT INTO tb_set(localpath,newdevpath ) VALUES (?,?)");
    // A failed insert is not reported: the settings stay in effect for this run.
    if (insert.Prepared() && insert.BindText(1, localPath) && insert.BindText(2, count)) insert.NextRow();
    return true;
}

int32_t CDriverDb::NextTaskId() {
    return ++lastTaskId;
}
