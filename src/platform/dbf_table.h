#pragma once
// A dBASE table held in memory and written back on save(). Reads level III
// files and the level 7 layout (long field names); writes level III unless a
// field name is longer than ten characters. Cells are decoded on demand.
#include "value.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace daxo::platform {

class DbfError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class FieldType : char {
    Character = 'C', Numeric = 'N', Float = 'F', Logical = 'L', Date = 'D'
};

struct DbfField {
    std::string name;   // case kept as created
    FieldType type = FieldType::Character;
    int length = 10;
    int decimals = 0;
};

class DbfTable {
public:
    // Throws DbfError (Portuguese text naming the file) on a missing,
    // truncated or corrupt file.
    static DbfTable open(const std::filesystem::path& path);
    // Creates the file with no records; throws if it cannot be written.
    static DbfTable create(const std::filesystem::path& path, std::vector<DbfField> fields);

    const std::filesystem::path& path() const;
    const std::vector<DbfField>& fields() const;
    int fieldIndex(std::string_view name) const;  // letter case ignored; -1 when absent

    std::size_t recordCount() const;               // deleted records included
    bool isDeleted(std::size_t record) const;
    Value value(std::size_t record, int field) const;   // trailing blanks cut; blank number -> null
    void setValue(std::size_t record, int field, const Value& value);  // throws when it does not fit
    std::size_t appendRecord();                    // a blank record; returns its number
    void setDeleted(std::size_t record, bool deleted);

    // Changes between begin and rollback are undone in memory; the file is
    // only touched by save().
    void beginTransaction();
    void rollbackTransaction();
    void endTransaction();               // keeps the changes
    bool inTransaction() const;

    // Counts every change made in memory; callers keep derived data (key
    // maps) in step with it.
    std::uint64_t changeCount() const;

    // True when the file on disk is no longer the one loaded or last saved
    // (another object or program wrote it, or it was deleted).
    bool isStale() const;

    void dropFields(const std::vector<std::string>& names);  // other columns keep their data
    // The decimals of a numeric field, within its width: cells written from
    // now on get them, cells already written keep their text.
    void setDecimals(int field, int decimals);
    // Writes every change. Changed and new records are written in place with
    // the header when the layout is unchanged and the file is still the one
    // loaded (a failure cuts the file back to its old length); otherwise the
    // file is replaced whole through a temporary file and a rename, so a
    // failure leaves the old file as it was.
    void save();

    // Lets tables of this process see that `path` was written or removed
    // behind them.
    static void noteFileChanged(const std::filesystem::path& path);

    DbfTable(DbfTable&&) noexcept;
    DbfTable& operator=(DbfTable&&) noexcept;
    ~DbfTable();

private:
    struct Impl;
    explicit DbfTable(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

} // namespace daxo::platform
