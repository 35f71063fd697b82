#pragma once
// Inside of a Session: the SQLite connection and one virtual table per dBASE
// file used, reloaded when the file changes on disk.
#include "dbf_table.h"
#include "engine.h"
#include "sql_translate.h"

#include <map>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <unordered_map>
#include <vector>

namespace daxo::platform {

// A loaded file as the virtual table sees it, with the key maps of its
// character columns built on first use.
struct CachedTable {
    std::unique_ptr<DbfTable> table;
    std::string sqliteName;
    std::unordered_map<int, std::unordered_map<std::string, std::vector<std::uint32_t>>> keys;
    std::uint64_t keysBuiltAt = 0;
    std::uint64_t lastStatement = 0;   // the statement that used it last

    const std::vector<std::uint32_t>& recordsWithKey(int field, const std::string& key);
};

struct Session::Impl {
    std::filesystem::path folder;
    sqlite3* db = nullptr;
    std::map<std::string, std::unique_ptr<CachedTable>> tables;  // by file path
    int nextId = 1;
    std::uint64_t statement = 0;
    // Files kept loaded beyond the current statement's stay under this many
    // bytes; the least recently used go first.
    std::size_t cacheBudget = std::size_t(256) << 20;
    mutable std::unordered_map<std::string, std::filesystem::path> resolved;

    explicit Impl(std::filesystem::path dataFolder);
    ~Impl();

    // The file a table reference names: relative to the data folder, letter
    // case ignored, ".dbf" added when missing.
    std::filesystem::path resolvePath(const std::string& name, bool remembered = false) const;
    // The virtual table of that file, (re)loaded when the file changed;
    // throws EngineError when it is missing or unreadable.
    CachedTable& use(const std::filesystem::path& file);
    void forget(const std::filesystem::path& file);
    void trimCache();
    CachedTable* byKey(const std::string& key);

    sql::Translation translate(const std::string& sql);
    // Runs what the engine does itself (CREATE/DROP/ALTER TABLE); false when
    // the statement is for SQLite.
    bool runDdl(const std::string& sql);

    sqlite3_stmt* prepare(const std::string& original, const std::string& translated);
    [[noreturn]] void fail(const std::string& sql, const std::string& reason) const;
};

void registerDbfModule(sqlite3* db, Session::Impl* session);

} // namespace daxo::platform
