#include "settings/SettingsStore.h"

#include <sqlite3.h>

#include <filesystem>
#include <system_error>

namespace kivo {
namespace {

namespace fs = std::filesystem;
using Kind = SettingsStoreError::Kind;

constexpr const char* kCreateSchema =
    "CREATE TABLE entry ("
    " section TEXT NOT NULL,"
    " key TEXT NOT NULL,"
    " value TEXT NOT NULL,"
    " seq INTEGER NOT NULL,"
    " PRIMARY KEY (section, key)) WITHOUT ROWID;"
    "CREATE INDEX entry_order ON entry (section, seq);";

constexpr std::string_view kGet = "SELECT value FROM entry WHERE section = ?1 AND key = ?2";
constexpr std::string_view kGetAll = "SELECT key, value FROM entry WHERE section = ?1 ORDER BY seq";
constexpr std::string_view kSave =
    "INSERT INTO entry (section, key, value, seq) VALUES (?1, ?2, ?3,"
    " (SELECT coalesce(max(seq), 0) + 1 FROM entry WHERE section = ?1))"
    " ON CONFLICT (section, key) DO UPDATE SET value = excluded.value";
// The section and every name that begins with "<section>\" (the names from
// "<section>\" up to, not including, "<section>]" in byte order).
constexpr std::string_view kDelete =
    "DELETE FROM entry WHERE section = ?1 OR (section >= ?2 AND section < ?3)";

bool IsDamage(int code) {
    const int primary = code & 0xff;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

// Binds and resets one cached statement for one use.
class Use {
  public:
    explicit Use(sqlite3_stmt* statement) : statement_(statement) {}
    ~Use() {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
    Use(const Use&) = delete;
    Use& operator=(const Use&) = delete;

    bool Bind(int index, std::string_view text) {
        return sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT,
                                   SQLITE_UTF8) == SQLITE_OK;
    }
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int Step() { return sqlite3_step(statement_); }
    int Integer(int index) const { return sqlite3_column_int(statement_, index); }
    std::string Column(int index) const {
        const auto* text = static_cast<const char*>(sqlite3_column_blob(statement_, index));
        const int size = sqlite3_column_bytes(statement_, index);
        return text == nullptr ? std::string() : std::string(text, static_cast<std::size_t>(size));
    }

  private:
    sqlite3_stmt* statement_;
};

std::string Field(std::string_view section, std::string_view key) {
    std::string field(section);
    if (!key.empty())
        field += (field.empty() ? "" : "\\") + std::string(key);
    return field;
}

}  // namespace

SettingsStore::SettingsStore(std::string path, Access access) : path_(std::move(path)) {
    std::error_code error;
    const bool exists = fs::exists(path_, error);
    if (access == Access::Read && !exists && !error)
        return;
    int flags = SQLITE_OPEN_READWRITE;
    if (access == Access::Write) {
        flags |= SQLITE_OPEN_CREATE;
        const fs::path folder = fs::path(path_).parent_path();
        if (!folder.empty() && !fs::is_directory(folder, error)) {
            fs::create_directories(folder, error);
            if (error) {
                throw SettingsStoreError(
                    Kind::Failed, path_, "",
                    "The folder '" + folder.string() + "' cannot be created: " + error.message());
            }
        }
    }
    if (sqlite3_open_v2(path_.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        const std::string message = db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw SettingsStoreError(Kind::Failed, path_, "", "The store cannot be opened: " + message);
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, kBusyTimeoutMilliseconds);
    try {
        CheckSchema(access == Access::Write);
    } catch (...) {
        for (auto& [sql, statement] : statements_)
            sqlite3_finalize(statement);
        sqlite3_close_v2(db_);
        throw;
    }
}

SettingsStore::~SettingsStore() {
    for (auto& [sql, statement] : statements_)
        sqlite3_finalize(statement);
    sqlite3_close_v2(db_);
}

void SettingsStore::Fail(std::string_view section, std::string_view key,
                         std::string_view doing) const {
    const int code = sqlite3_extended_errcode(db_);
    const Kind kind = IsDamage(code) ? Kind::Unreadable : Kind::Failed;
    const bool busy = (code & 0xff) == SQLITE_BUSY;
    throw SettingsStoreError(kind, path_, Field(section, key),
                             std::string(doing) + ": " + sqlite3_errmsg(db_) +
                                 (busy ? " (another program is using the store; try again)" : ""));
}

void SettingsStore::RequireWritable(const std::string& field) const {
    if (db_ == nullptr)
        throw SettingsStoreError(Kind::Failed, path_, field, "The store was opened for reading");
}

void SettingsStore::Execute(const char* sql) const {
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        Fail("", "", "The store cannot be read or written");
}

sqlite3_stmt* SettingsStore::Prepared(std::string_view sql) const {
    const auto found = statements_.find(sql);
    if (found != statements_.end())
        return found->second;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                           &statement, nullptr) != SQLITE_OK) {
        Fail("", "", "The store cannot be read");
    }
    statements_.emplace(std::string(sql), statement);
    return statement;
}

// A store of this program has the schema version and its table; an empty
// database (a new file) has neither and gets them when opened for writing.
void SettingsStore::CheckSchema(bool create) {
    const auto unreadable = [this](const std::string& what) {
        throw SettingsStoreError(Kind::Unreadable, path_, "", what);
    };
    // The layout version, or 0 for an empty database (a new file). Version
    // and tables are read in one statement: another program may be creating
    // the store at this moment.
    const auto version = [&] {
        Use use(
            Prepared("SELECT user_version, (SELECT count(*) FROM sqlite_schema)"
                     " FROM pragma_user_version"));
        if (use.Step() != SQLITE_ROW)
            Fail("", "", "The store cannot be read");
        const int found = use.Integer(0);
        if (found > kSchemaVersion) {
            unreadable("The store was written by a newer version of Kivo (layout " +
                       std::to_string(found) + ")");
        }
        if (found == 0 && use.Integer(1) != 0)
            unreadable("The file is a database, but not a settings store of Kivo");
        return found;
    };
    int found = version();
    if (found == 0) {
        if (!create) {  // an empty database: an empty store
            for (auto& [sql, statement] : statements_)
                sqlite3_finalize(statement);
            statements_.clear();
            sqlite3_close_v2(db_);
            db_ = nullptr;
            return;
        }
        WriteTransaction([&] {
            found = version();  // another program may have created it meanwhile
            if (found == 0) {
                Execute(kCreateSchema);
                Execute(("PRAGMA user_version = " + std::to_string(kSchemaVersion)).c_str());
            }
        });
    }
    {
        Use use(Prepared("PRAGMA quick_check"));
        const int step = use.Step();
        if (step != SQLITE_ROW)
            Fail("", "", "The store cannot be read");
        if (use.Column(0) != "ok")
            unreadable("The store is damaged: " + use.Column(0));
    }
    sqlite3_stmt* probe = nullptr;
    if (sqlite3_prepare_v2(db_, "SELECT section, key, value, seq FROM entry", -1, &probe,
                           nullptr) != SQLITE_OK) {
        sqlite3_finalize(probe);
        unreadable("The store is damaged: its table is missing");
    }
    sqlite3_finalize(probe);
}

std::string SettingsStore::GetSetting(std::string_view section, std::string_view key,
                                      std::string_view defaultValue) const {
    if (db_ == nullptr)
        return std::string(defaultValue);
    Use use(Prepared(kGet));
    if (!use.Bind(1, section) || !use.Bind(2, key))
        Fail(section, key, "The setting cannot be read");
    const int step = use.Step();
    if (step == SQLITE_ROW)
        return use.Column(0);
    if (step != SQLITE_DONE)
        Fail(section, key, "The setting cannot be read");
    return std::string(defaultValue);
}

std::vector<StoredEntry> SettingsStore::GetAllSettings(std::string_view section) const {
    std::vector<StoredEntry> entries;
    if (db_ == nullptr)
        return entries;
    Use use(Prepared(kGetAll));
    if (!use.Bind(1, section))
        Fail(section, "", "The section cannot be read");
    int step;
    while ((step = use.Step()) == SQLITE_ROW)
        entries.emplace_back(use.Column(0), use.Column(1));
    if (step != SQLITE_DONE)
        Fail(section, "", "The section cannot be read");
    return entries;
}

void SettingsStore::SaveSetting(std::string_view section, std::string_view key,
                                std::string_view value) {
    RequireWritable(Field(section, key));
    Use use(Prepared(kSave));
    if (!use.Bind(1, section) || !use.Bind(2, key) || !use.Bind(3, value) ||
        use.Step() != SQLITE_DONE) {
        Fail(section, key, "The setting cannot be written");
    }
}

void SettingsStore::DeleteSetting(std::string_view section) {
    RequireWritable(std::string(section));
    Use use(Prepared(kDelete));
    const std::string below = std::string(section) + '\\';
    const std::string beyond = std::string(section) + ']';
    if (!use.Bind(1, section) || !use.Bind(2, below) || !use.Bind(3, beyond) ||
        use.Step() != SQLITE_DONE) {
        Fail(section, "", "The section cannot be deleted");
    }
}

void SettingsStore::DeleteAll() {
    RequireWritable("");
    Execute("DELETE FROM entry");
}

void SettingsStore::InTransaction(const char* begin, const std::function<void()>& body) const {
    Execute(begin);
    try {
        body();
        Execute("COMMIT");
    } catch (...) {
        if (!sqlite3_get_autocommit(db_))
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void SettingsStore::WriteTransaction(const std::function<void()>& body) {
    RequireWritable("");
    InTransaction("BEGIN IMMEDIATE", body);
}

void SettingsStore::ReadTransaction(const std::function<void()>& body) const {
    if (db_ == nullptr)
        body();
    else
        InTransaction("BEGIN", body);
}

}  // namespace kivo
