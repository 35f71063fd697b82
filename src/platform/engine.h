#pragma once
// The table engine: SQL statements in the local dialect over the dBASE tables
// of one data folder, and tables opened by path. SQLite runs the statements.
#include "value.h"

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace daxo::platform {

// Every engine failure; the text is Portuguese and names the table or
// statement concerned.
class EngineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One engine session over a data folder (the folder of an alias). Relative
// table names in statements resolve against it, ignoring letter case, with
// ".dbf" added when missing; a quoted full path names any file.
//
// Every statement is atomic: when it fails the file is left as it was. A text
// longer than its Character column, or a number wider than its column, makes
// the statement fail rather than being cut. Decimal(p,s) columns are stored
// twenty positions wide so that no total is lost to the declared width.
// Files changed or re-created behind the session are reloaded when the next
// statement starts.
class Session {
public:
    explicit Session(std::filesystem::path dataFolder);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    const std::filesystem::path& dataFolder() const;

    struct Impl;
    Impl& impl();

private:
    std::unique_ptr<Impl> impl_;
};

// A query object: SQL text set line by line, closed and cleared before reuse.
class Query {
public:
    explicit Query(Session& session);
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    void addLine(std::string line);
    void clearSql();
    const std::vector<std::string>& sql() const;
    std::string sqlText() const;          // lines joined by line breaks

    void setParam(std::string_view name, const Value& value);  // ":valor" -> "valor"

    void open();       // a statement with a result; throws EngineError
    int execute();     // any other statement; returns the rows changed
    void close();
    bool isOpen() const;

    bool eof() const;
    void next();
    void first();
    int rowCount() const;

    int fieldCount() const;
    std::string fieldName(int position) const;   // case as created
    Value field(int position) const;
    Value field(std::string_view name) const;     // letter case ignored; throws when absent

    // Editing the current row of an open single-table result.
    void edit();
    void setField(std::string_view name, const Value& value);
    void post();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A table object opened by path, read in record order or in the order of an
// index tag.
class Table {
public:
    explicit Table(Session& session);
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    void setPath(std::filesystem::path path);
    void setIndexFile(std::filesystem::path mdx);  // empty: none
    void setIndexName(std::string tag);             // empty: record order
    void open();       // throws EngineError
    void close();
    bool isOpen() const;

    bool eof() const;
    void next();
    void first();
    int recordCount() const;
    Value field(std::string_view name) const;
    int fieldCount() const;
    std::string fieldName(int position) const;

    bool findKey(const std::string& key);   // needs an index tag; moves to the record
    void edit();
    void setField(std::string_view name, const Value& value);
    void post();       // writes the record to the file

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Adds an index tag named after `field` (ascending, not unique) to the
// table's index file (same name, extension .MDX), creating the file.
void createIndexTag(const std::filesystem::path& table, const std::string& field);

} // namespace daxo::platform
