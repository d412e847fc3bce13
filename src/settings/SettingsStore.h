#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/FileError.h"

struct sqlite3;
struct sqlite3_stmt;

namespace kivo {

// A failure of the settings store; names the store file and, where known,
// the section and key.
class SettingsStoreError : public FileError {
  public:
    enum class Kind {
        Unreadable,  // no settings store of this version: not a database, damaged, newer schema
        Failed,      // the store is sound but could not be opened, read or written now
    };
    SettingsStoreError(Kind kind, std::string file, std::string field, const std::string& what)
        : FileError(std::move(file), 0, std::move(field), what), kind_(kind) {}
    Kind GetKind() const { return kind_; }

  private:
    Kind kind_;
};

// One key and its value, as a section holds them.
using StoredEntry = std::pair<std::string, std::string>;

// The per-user settings store: sections of key/value texts in one SQLite
// file. A section keeps its keys in the order they were first written; a
// sub-section is named "<section>\<name>". Several programs may open the
// store at once: a writer waits for another one (up to a timeout), and every
// group of writes runs in one transaction, all or nothing.
class SettingsStore {
  public:
    enum class Access {
        Read,   // a missing file is an empty store, and nothing is created
        Write,  // a missing file (and its folder) is created
    };

    // The layout this program reads and writes.
    static constexpr int kSchemaVersion = 1;
    // How long an operation waits for another program's transaction.
    static constexpr int kBusyTimeoutMilliseconds = 10'000;

    // Opens the store file `path`. Throws SettingsStoreError: Unreadable
    // when the file is not a sound store of this or an earlier version,
    // Failed when it cannot be opened or created.
    SettingsStore(std::string path, Access access);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    const std::string& Path() const { return path_; }

    // The value of `key` in `section`, or `defaultValue` when there is none.
    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Every key and value of `section` in stored order (empty when the
    // section does not exist).
    std::vector<StoredEntry> GetAllSettings(std::string_view section) const;
    // Stores `value` under `key`; a key that exists keeps its place.
    void SaveSetting(std::string_view section, std::string_view key, std::string_view value);
    // Deletes `section` with every sub-section below it.
    void DeleteSetting(std::string_view section);
    // Deletes everything the store holds.
    void DeleteAll();

    // Runs `body` in one write transaction: when it returns, everything it
    // wrote is stored; when it throws, nothing is (and the exception goes on).
    void WriteTransaction(const std::function<void()>& body);
    // Runs `body` in one read transaction: it sees one consistent state even
    // while another program writes.
    void ReadTransaction(const std::function<void()>& body) const;

  private:
    sqlite3_stmt* Prepared(std::string_view sql) const;
    void Execute(const char* sql) const;
    void CheckSchema(bool create);
    void RequireWritable(const std::string& field) const;
    void InTransaction(const char* begin, const std::function<void()>& body) const;
    [[noreturn]] void Fail(std::string_view section, std::string_view key,
                           std::string_view doing) const;

    std::string path_;
    sqlite3* db_ = nullptr;  // null: a missing file opened for reading (an empty store)
    mutable std::map<std::string, sqlite3_stmt*, std::less<>> statements_;
};

}  // namespace kivo
