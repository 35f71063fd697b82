// The SQLite virtual-table module over dBASE files: cells decoded on demand,
// equality on a character column answered from a key map, writes kept in
// memory until the statement commits.
#include "session_impl.h"

#include "names.h"
#include "system_errors.h"
#include "text_order.h"

#include <cmath>
#include <cstring>

namespace daxo::platform {

namespace {

struct DbfVtab {
    sqlite3_vtab base{};
    CachedTable* cached = nullptr;
    DbfTable& table() { return *cached->table; }
};

struct DbfCursor {
    sqlite3_vtab_cursor base{};
    std::vector<std::uint32_t> matches;   // used when filtered by key
    bool filtered = false;
    std::size_t pos = 0;
    std::size_t record = 0;
};

DbfVtab& vtabOf(sqlite3_vtab* v) { return *reinterpret_cast<DbfVtab*>(v); }
DbfCursor& cursorOf(sqlite3_vtab_cursor* c) { return *reinterpret_cast<DbfCursor*>(c); }

int setError(sqlite3_vtab* v, const std::string& message)
{
    sqlite3_free(v->zErrMsg);
    v->zErrMsg = sqlite3_mprintf("%s", message.c_str());
    return SQLITE_ERROR;
}

std::string declaredType(const DbfField& f)
{
    switch (f.type) {
    case FieldType::Numeric:
    case FieldType::Float: return "NUMERIC";
    case FieldType::Logical: return "INTEGER";
    default: return "TEXT COLLATE DAXO_TEXT";
    }
}

std::string schemaOf(const DbfTable& t)
{
    std::string s = "CREATE TABLE x(";
    for (std::size_t i = 0; i < t.fields().size(); ++i) {
        if (i)
            s += ", ";
        s += sqlIdentifier(t.fields()[i].name) + " " + declaredType(t.fields()[i]);
    }
    return s + ")";
}

int connect(sqlite3* db, void* aux, int argc, const char* const* argv, sqlite3_vtab** out, char** err)
{
    auto* session = static_cast<Session::Impl*>(aux);
    CachedTable* cached = argc > 3 ? session->byKey(sql::unquote({sql::Token::Kind::SingleQuoted, argv[3]})) : nullptr;
    if (!cached) {
        *err = sqlite3_mprintf("tabela desconhecida");
        return SQLITE_ERROR;
    }
    int rc = sqlite3_declare_vtab(db, schemaOf(*cached->table).c_str());
    if (rc != SQLITE_OK)
        return rc;
    auto* v = new DbfVtab;
    v->cached = cached;
    *out = &v->base;
    return SQLITE_OK;
}

int disconnect(sqlite3_vtab* v)
{
    delete &vtabOf(v);
    return SQLITE_OK;
}

bool isCharacter(const DbfField& f)
{
    return f.type != FieldType::Numeric && f.type != FieldType::Float && f.type != FieldType::Logical;
}

int bestIndex(sqlite3_vtab* v, sqlite3_index_info* info)
{
    DbfTable& t = vtabOf(v).table();
    const double rows = static_cast<double>(std::max<std::size_t>(t.recordCount(), 1));
    info->estimatedCost = rows;
    info->estimatedRows = static_cast<sqlite3_int64>(rows);
    for (int i = 0; i < info->nConstraint; ++i) {
        const auto& c = info->aConstraint[i];
        if (!c.usable || c.op != SQLITE_INDEX_CONSTRAINT_EQ || c.iColumn < 0 ||
            !isCharacter(t.fields()[c.iColumn]))
            continue;
        const char* coll = sqlite3_vtab_collation(info, i);
        if (coll && sqlite3_stricmp(coll, "DAXO_TEXT") != 0 && sqlite3_stricmp(coll, "RTRIM") != 0 &&
            sqlite3_stricmp(coll, "BINARY") != 0)
            continue;
        info->aConstraintUsage[i].argvIndex = 1;
        info->idxNum = c.iColumn + 1;
        info->estimatedCost = 5;
        info->estimatedRows = 2;
        break;
    }
    return SQLITE_OK;
}

int openCursor(sqlite3_vtab*, sqlite3_vtab_cursor** out)
{
    *out = &(new DbfCursor)->base;
    return SQLITE_OK;
}

int closeCursor(sqlite3_vtab_cursor* c)
{
    delete &cursorOf(c);
    return SQLITE_OK;
}

void settle(DbfCursor& c, DbfTable& t)
{
    if (c.filtered) {
        while (c.pos < c.matches.size() && t.isDeleted(c.matches[c.pos]))
            ++c.pos;
        c.record = c.pos < c.matches.size() ? c.matches[c.pos] : t.recordCount();
    } else {
        while (c.pos < t.recordCount() && t.isDeleted(c.pos))
            ++c.pos;
        c.record = c.pos;
    }
}

std::string trimmedText(sqlite3_value* v)
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    std::string s = p ? p : "";
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

int filter(sqlite3_vtab_cursor* cur, int idxNum, const char*, int argc, sqlite3_value** argv)
{
    DbfCursor& c = cursorOf(cur);
    DbfVtab& v = vtabOf(cur->pVtab);
    c.pos = 0;
    c.filtered = idxNum > 0 && argc > 0;
    c.matches.clear();
    if (c.filtered && sqlite3_value_type(argv[0]) != SQLITE_NULL)
        c.matches = v.cached->recordsWithKey(idxNum - 1, trimmedText(argv[0]));
    settle(c, v.table());
    return SQLITE_OK;
}

int next(sqlite3_vtab_cursor* cur)
{
    DbfCursor& c = cursorOf(cur);
    ++c.pos;
    settle(c, vtabOf(cur->pVtab).table());
    return SQLITE_OK;
}

int eof(sqlite3_vtab_cursor* cur)
{
    return cursorOf(cur).record >= vtabOf(cur->pVtab).table().recordCount();
}

void resultOf(sqlite3_context* ctx, const DbfField& f, const Value& value)
{
    if (value.isNull()) {
        sqlite3_result_null(ctx);
    } else if (value.isNumber()) {
        const double d = *value.number();
        if (f.decimals == 0 && std::abs(d) < 9e15 && d == std::floor(d))
            sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(d));
        else
            sqlite3_result_double(ctx, d);
    } else {
        const std::string s = value.asString();
        sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
    }
}

int column(sqlite3_vtab_cursor* cur, sqlite3_context* ctx, int col)
{
    if (sqlite3_vtab_nochange(ctx))
        return SQLITE_OK;   // an UPDATE that leaves this column alone
    DbfTable& t = vtabOf(cur->pVtab).table();
    const std::size_t r = cursorOf(cur).record;
    resultOf(ctx, t.fields()[col], t.value(r, col));
    return SQLITE_OK;
}

int rowid(sqlite3_vtab_cursor* cur, sqlite3_int64* out)
{
    *out = static_cast<sqlite3_int64>(cursorOf(cur).record);
    return SQLITE_OK;
}

Value valueOf(sqlite3_value* v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL: return {};
    case SQLITE_INTEGER: return static_cast<long long>(sqlite3_value_int64(v));
    case SQLITE_FLOAT: return sqlite3_value_double(v);
    default: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
        return std::string(p ? p : "", sqlite3_value_bytes(v));
    }
    }
}

int update(sqlite3_vtab* vt, int argc, sqlite3_value** argv, sqlite3_int64* outRowid)
{
    DbfTable& t = vtabOf(vt).table();
    try {
        if (argc == 1) {
            t.setDeleted(static_cast<std::size_t>(sqlite3_value_int64(argv[0])), true);
            return SQLITE_OK;
        }
        std::size_t record;
        if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
            record = t.appendRecord();
            *outRowid = static_cast<sqlite3_int64>(record);
        } else {
            record = static_cast<std::size_t>(sqlite3_value_int64(argv[0]));
            if (sqlite3_value_int64(argv[1]) != sqlite3_value_int64(argv[0]))
                return setError(vt, "não é possível alterar o número do registro");
        }
        for (int i = 2; i < argc; ++i)
            if (!sqlite3_value_nochange(argv[i]))
                t.setValue(record, i - 2, valueOf(argv[i]));
        return SQLITE_OK;
    } catch (const std::exception& e) {
        return setError(vt, userMessage(e));
    }
}

int begin(sqlite3_vtab* v)
{
    vtabOf(v).table().beginTransaction();
    return SQLITE_OK;
}

int sync(sqlite3_vtab* v)
{
    try {
        vtabOf(v).table().save();
        return SQLITE_OK;
    } catch (const std::exception& e) {
        return setError(v, userMessage(e));
    }
}

int commit(sqlite3_vtab* v)
{
    vtabOf(v).table().endTransaction();
    return SQLITE_OK;
}

int rollback(sqlite3_vtab* v)
{
    vtabOf(v).table().rollbackTransaction();
    return SQLITE_OK;
}

sqlite3_module makeModule()
{
    sqlite3_module m{};
    m.iVersion = 1;
    m.xCreate = connect;
    m.xConnect = connect;
    m.xBestIndex = bestIndex;
    m.xDisconnect = disconnect;
    m.xDestroy = disconnect;
    m.xOpen = openCursor;
    m.xClose = closeCursor;
    m.xFilter = filter;
    m.xNext = next;
    m.xEof = eof;
    m.xColumn = column;
    m.xRowid = rowid;
    m.xUpdate = update;
    m.xBegin = begin;
    m.xSync = sync;
    m.xCommit = commit;
    m.xRollback = rollback;
    return m;
}

} // namespace

const std::vector<std::uint32_t>& CachedTable::recordsWithKey(int field, const std::string& key)
{
    if (keysBuiltAt != table->changeCount()) {
        keys.clear();
        keysBuiltAt = table->changeCount();
    }
    auto [it, fresh] = keys.try_emplace(field);
    if (fresh) {
        for (std::size_t r = 0; r < table->recordCount(); ++r)
            it->second[table->value(r, field).asString()].push_back(static_cast<std::uint32_t>(r));
    }
    static const std::vector<std::uint32_t> none;
    auto found = it->second.find(key);
    return found == it->second.end() ? none : found->second;
}

void registerDbfModule(sqlite3* db, Session::Impl* session)
{
    static const sqlite3_module module = makeModule();
    sqlite3_create_module_v2(db, "daxo_dbf", &module, session, nullptr);
    sqlite3_create_collation(db, "DAXO_TEXT", SQLITE_UTF8, nullptr,
                             [](void*, int na, const void* a, int nb, const void* b) {
                                 return compareText({static_cast<const char*>(a), static_cast<std::size_t>(na)},
                                                    {static_cast<const char*>(b), static_cast<std::size_t>(nb)});
                             });
}

} // namespace daxo::platform
