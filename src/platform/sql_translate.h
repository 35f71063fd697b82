#pragma once
// Turns the engine's SQL dialect into SQLite: table references become the
// session's virtual tables, SUBSTRING(x FROM a FOR b) becomes substr, double
// quoted texts become string literals and "||" treats a missing operand as
// empty text. Table-changing statements (CREATE/DROP/ALTER TABLE) are parsed
// here and carried out by the engine itself.
#include "dbf_table.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace daxo::platform::sql {

struct Token {
    enum class Kind { Space, Word, Number, SingleQuoted, DoubleQuoted, Param, Symbol };
    Kind kind;
    std::string text;   // as written, quotes included
};

std::vector<Token> tokenize(std::string_view sql);

// Content of a quoted token, doubled quotes undone.
std::string unquote(const Token& token);

// Called for each table reference with the name as written (quotes removed);
// returns the SQLite name of the table to use.
using TableResolver = std::function<std::string(const std::string& name)>;

struct Translation {
    std::string sql;
    std::vector<std::string> tables;   // names as written, in order
    // Set for a plain SELECT over one table: the same statement with the
    // record number as an extra last column (named by kRowidColumn), so that
    // rows read can be written back.
    std::string editableSql;
    static constexpr const char* kRowidColumn = "daxo_rowid";
};

Translation translate(std::string_view sql, const TableResolver& resolve);

struct Ddl {
    enum class Kind { None, Create, Drop, Alter } kind = Kind::None;
    std::string table;                 // as written, quotes removed
    std::vector<DbfField> fields;      // CREATE
    std::vector<std::string> dropped;  // ALTER ... DROP
};

// Kind None when the statement is not one the engine carries out itself;
// throws std::invalid_argument with a Portuguese reason on a malformed one.
Ddl parseDdl(std::string_view sql);

// Base name without folder and extension: the alias a table reference gets.
std::string baseName(const std::string& name);

} // namespace daxo::platform::sql
