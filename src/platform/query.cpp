#include "session_impl.h"
#include "names.h"

#include <cctype>
#include <cmath>
#include <map>

namespace daxo::platform {

namespace {

void bindValue(sqlite3_stmt* stmt, int i, const Value& v)
{
    if (v.isNull()) {
        sqlite3_bind_null(stmt, i);
    } else if (v.isNumber()) {
        const double d = *v.number();
        if (std::abs(d) < 9e15 && d == std::floor(d))
            sqlite3_bind_int64(stmt, i, static_cast<sqlite3_int64>(d));
        else
            sqlite3_bind_double(stmt, i, d);
    } else {
        const std::string s = v.asString();
        sqlite3_bind_text(stmt, i, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
    }
}

Value columnValue(sqlite3_stmt* stmt, int i)
{
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_NULL: return {};
    case SQLITE_INTEGER: return static_cast<long long>(sqlite3_column_int64(stmt, i));
    case SQLITE_FLOAT: return sqlite3_column_double(stmt, i);
    default: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
        return std::string(p ? p : "", sqlite3_column_bytes(stmt, i));
    }
    }
}

// Finalizes the statement however the block is left.
struct Statement {
    sqlite3_stmt* stmt;
    ~Statement() { sqlite3_finalize(stmt); }
};

} // namespace

struct Query::Impl {
    Session::Impl& session;
    std::vector<std::string> lines;
    std::map<std::string, Value> params;

    bool open = false;
    std::vector<std::string> names;
    std::vector<std::vector<Value>> rows;
    std::vector<long long> rowids;      // empty when the result cannot be edited
    std::filesystem::path table;        // the one table of an editable result
    std::size_t pos = 0;
    std::map<int, Value> pending;
    bool editing = false;

    explicit Impl(Session::Impl& s) : session(s) {}

    void bind(sqlite3_stmt* stmt) const
    {
        for (int i = 1; i <= sqlite3_bind_parameter_count(stmt); ++i) {
            const char* name = sqlite3_bind_parameter_name(stmt, i);
            auto it = name ? params.find(lowerCase(name + 1)) : params.end();
            bindValue(stmt, i, it == params.end() ? Value() : it->second);
        }
    }

    // Steps the statement to its end, handing each row to `row`.
    template <class OnRow>
    void run(const std::string& sql, sqlite3_stmt* stmt, OnRow row)
    {
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
            row();
        if (rc != SQLITE_DONE)
            session.fail(sql, sqlite3_errmsg(session.db));
    }

    int column(std::string_view name) const
    {
        for (std::size_t i = 0; i < names.size(); ++i)
            if (sameName(names[i], name))
                return static_cast<int>(i);
        return -1;
    }

    const std::vector<Value>& current() const
    {
        if (!open || pos >= rows.size())
            throw EngineError("Não há registro corrente na consulta");
        return rows[pos];
    }
};

Query::Query(Session& session) : impl_(std::make_unique<Impl>(session.impl())) {}
Query::~Query() = default;

void Query::addLine(std::string line) { impl_->lines.push_back(std::move(line)); }
void Query::clearSql() { impl_->lines.clear(); }
const std::vector<std::string>& Query::sql() const { return impl_->lines; }

std::string Query::sqlText() const
{
    std::string s;
    for (std::size_t i = 0; i < impl_->lines.size(); ++i)
        s += (i ? "\n" : "") + impl_->lines[i];
    return s;
}

void Query::setParam(std::string_view name, const Value& value)
{
    if (!name.empty() && name.front() == ':')
        name.remove_prefix(1);
    impl_->params[lowerCase(name)] = value;
}

void Query::open()
{
    close();
    Impl& d = *impl_;
    const std::string text = sqlText();
    if (d.session.runDdl(text)) {
        d.open = true;
        return;
    }
    const sql::Translation tr = d.session.translate(text);
    const bool editable = !tr.editableSql.empty();
    if (editable)
        d.table = d.session.resolvePath(tr.tables.front());
    Statement st{d.session.prepare(text, editable ? tr.editableSql : tr.sql)};
    d.bind(st.stmt);
    // The record number of an editable result rides along as a hidden last column.
    const int count = sqlite3_column_count(st.stmt) - (editable ? 1 : 0);
    for (int i = 0; i < count; ++i) {
        std::string name = sqlite3_column_name(st.stmt, i);
        const char* origin = sqlite3_column_origin_name(st.stmt, i);
        if (origin && sameName(name, origin))
            name = origin;   // the letter case given when the table was created
        d.names.push_back(std::move(name));
    }
    d.run(text, st.stmt, [&] {
        std::vector<Value> row;
        row.reserve(count);
        for (int i = 0; i < count; ++i)
            row.push_back(columnValue(st.stmt, i));
        d.rows.push_back(std::move(row));
        if (editable)
            d.rowids.push_back(sqlite3_column_int64(st.stmt, count));
    });
    d.open = true;
}

int Query::execute()
{
    close();
    Impl& d = *impl_;
    const std::string text = sqlText();
    if (d.session.runDdl(text))
        return 0;
    const sql::Translation tr = d.session.translate(text);
    Statement st{d.session.prepare(text, tr.sql)};
    d.bind(st.stmt);
    d.run(text, st.stmt, [] {});
    return sqlite3_changes(d.session.db);
}

void Query::close()
{
    Impl& d = *impl_;
    d.open = false;
    d.names.clear();
    d.rows.clear();
    d.rowids.clear();
    d.pos = 0;
    d.pending.clear();
    d.editing = false;
}

bool Query::isOpen() const { return impl_->open; }
bool Query::eof() const { return !impl_->open || impl_->pos >= impl_->rows.size(); }
void Query::next()
{
    if (impl_->pos < impl_->rows.size())
        ++impl_->pos;
}
void Query::first() { impl_->pos = 0; }
int Query::rowCount() const { return static_cast<int>(impl_->rows.size()); }
int Query::fieldCount() const { return static_cast<int>(impl_->names.size()); }

std::string Query::fieldName(int position) const
{
    if (position < 0 || position >= fieldCount())
        throw EngineError("Coluna inexistente na consulta: " + std::to_string(position));
    return impl_->names[position];
}

Value Query::field(int position) const
{
    const auto& row = impl_->current();
    if (position < 0 || position >= static_cast<int>(row.size()))
        throw EngineError("Coluna inexistente na consulta: " + std::to_string(position));
    return row[position];
}

Value Query::field(std::string_view name) const
{
    const int i = impl_->column(name);
    if (i < 0)
        throw EngineError("Campo não encontrado na consulta: " + std::string(name));
    return impl_->current()[i];
}

void Query::edit()
{
    impl_->current();
    if (impl_->rowids.empty())
        throw EngineError("Esta consulta não pode ser alterada (mais de uma tabela ou totais)");
    impl_->editing = true;
    impl_->pending.clear();
}

void Query::setField(std::string_view name, const Value& value)
{
    if (!impl_->editing)
        edit();
    const int i = impl_->column(name);
    if (i < 0)
        throw EngineError("Campo não encontrado na consulta: " + std::string(name));
    impl_->pending[i] = value;
}

void Query::post()
{
    Impl& d = *impl_;
    if (!d.editing)
        return;
    d.editing = false;
    if (d.pending.empty())
        return;
    CachedTable& cached = d.session.use(d.table);
    std::string sql = "UPDATE " + sqlIdentifier(cached.sqliteName) + " SET ";
    bool firstColumn = true;
    for (const auto& [i, v] : d.pending) {
        sql += (firstColumn ? "" : ", ") + sqlIdentifier(d.names[i]) + " = ?";
        firstColumn = false;
    }
    sql += " WHERE rowid = ?";
    Statement st{d.session.prepare(sql, sql)};
    int k = 1;
    for (const auto& [i, v] : d.pending)
        bindValue(st.stmt, k++, v);
    sqlite3_bind_int64(st.stmt, k, d.rowids[d.pos]);
    d.run(sql, st.stmt, [] {});
    for (const auto& [i, v] : d.pending)
        d.rows[d.pos][i] = v;
    d.pending.clear();
}

} // namespace daxo::platform
