#include "session_impl.h"

#include "engine_messages.h"
#include "names.h"

#include "file_lookup.h"
#include "system_errors.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <system_error>

namespace daxo::platform {

namespace fs = std::filesystem;

Session::Impl::Impl(fs::path dataFolder) : folder(std::move(dataFolder))
{
    if (sqlite3_open(":memory:", &db) != SQLITE_OK)
        throw EngineError("Não foi possível iniciar o mecanismo de consulta");
    registerDbfModule(db, this);
}

Session::Impl::~Impl()
{
    tables.clear();
    sqlite3_close_v2(db);
}

fs::path Session::Impl::resolvePath(const std::string& name, bool remembered) const
{
    // Names repeat from statement to statement; use() finds out when a
    // remembered file has gone.
    if (auto it = resolved.find(name); remembered && it != resolved.end())
        return it->second;
    std::string n = name;
    std::replace(n.begin(), n.end(), '\\', '/');
    fs::path p(n);
    if (!p.is_absolute())
        p = folder / p;
    if (!p.has_extension())
        p += ".dbf";
    p = findPath(p);
    if (resolved.size() > 1000)
        resolved.clear();
    resolved[name] = p;
    return p;
}

CachedTable* Session::Impl::byKey(const std::string& key)
{
    auto it = tables.find(key);
    return it == tables.end() ? nullptr : it->second.get();
}

CachedTable& Session::Impl::use(const fs::path& file)
{
    const std::string key = file.string();
    if (auto* cached = byKey(key)) {
        if (!cached->table->isStale()) {
            cached->lastStatement = statement;
            return *cached;
        }
        forget(file);
    }
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        throw EngineError("Tabela não encontrada: " + key);
    auto cached = std::make_unique<CachedTable>();
    try {
        cached->table = std::make_unique<DbfTable>(DbfTable::open(file));
    } catch (const DbfError& e) {
        throw EngineError(e.what());
    }
    cached->sqliteName = "dbf_" + std::to_string(nextId++);
    cached->lastStatement = statement;
    CachedTable& ref = *cached;
    tables[key] = std::move(cached);
    const std::string create = "CREATE VIRTUAL TABLE temp." + sqlIdentifier(ref.sqliteName) + " USING daxo_dbf(" +
                               sqlLiteral(key) + ")";
    char* err = nullptr;
    if (sqlite3_exec(db, create.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::string reason = err ? err : "erro desconhecido";
        sqlite3_free(err);
        tables.erase(key);
        throw EngineError("Não foi possível abrir a tabela " + key + ": " + reason);
    }
    trimCache();
    return ref;
}

void Session::Impl::trimCache()
{
    const auto bytesOf = [](const CachedTable& c) {
        std::size_t record = 1;
        for (const auto& f : c.table->fields())
            record += static_cast<std::size_t>(f.length);
        return record * c.table->recordCount();
    };
    std::size_t total = 0;
    for (const auto& [key, c] : tables)
        total += bytesOf(*c);
    while (total > cacheBudget) {
        auto oldest = tables.end();
        for (auto it = tables.begin(); it != tables.end(); ++it)
            if (it->second->lastStatement < statement &&
                (oldest == tables.end() || it->second->lastStatement < oldest->second->lastStatement))
                oldest = it;
        if (oldest == tables.end())
            return;   // everything left is used by the statement at hand
        total -= bytesOf(*oldest->second);
        forget(oldest->first);
    }
}

void Session::Impl::forget(const fs::path& file)
{
    auto it = tables.find(file.string());
    if (it == tables.end())
        return;
    const std::string drop = "DROP TABLE IF EXISTS temp." + sqlIdentifier(it->second->sqliteName);
    sqlite3_exec(db, drop.c_str(), nullptr, nullptr, nullptr);
    tables.erase(it);
}

// The cause first: the statement can be many lines long.
void Session::Impl::fail(const std::string& sql, const std::string& reason) const
{
    throw EngineError(portugueseReason(reason) + "\n\nInstrução que falhou:\n" + sql);
}

sql::Translation Session::Impl::translate(const std::string& text)
{
    ++statement;
    try {
        return sql::translate(text, [this](const std::string& name) {
            try {
                return use(resolvePath(name, true)).sqliteName;
            } catch (const EngineError&) {
                return use(resolvePath(name, false)).sqliteName;   // the remembered name may be outdated
            }
        });
    } catch (const EngineError& e) {
        fail(text, e.what());
    } catch (const std::invalid_argument& e) {
        fail(text, e.what());
    }
}

bool Session::Impl::runDdl(const std::string& text)
{
    // Most statements are not table statements: skip the parse for them.
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return false;
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(text[first])));
    if (c != 'C' && c != 'D' && c != 'A')
        return false;
    sql::Ddl ddl;
    try {
        ddl = sql::parseDdl(text);
    } catch (const std::invalid_argument& e) {
        fail(text, e.what());
    }
    if (ddl.kind == sql::Ddl::Kind::None)
        return false;
    const fs::path file = resolvePath(ddl.table, false);
    std::error_code ec;
    try {
        switch (ddl.kind) {
        case sql::Ddl::Kind::Create:
            if (fs::exists(file, ec))
                fail(text, "a tabela já existe: " + file.string());
            forget(file);
            DbfTable::create(file, ddl.fields);
            break;
        case sql::Ddl::Kind::Drop: {
            if (!fs::is_regular_file(file, ec))
                fail(text, "Tabela não encontrada: " + file.string());
            forget(file);
            if (!fs::remove(file, ec) || ec)
                fail(text, "não foi possível apagar " + file.string() + " (" + systemReason(ec) + ")");
            fs::path index = file;
            index.replace_extension(".mdx");
            index = findPath(index);
            if (fs::is_regular_file(index, ec))
                fs::remove(index, ec);
            DbfTable::noteFileChanged(file);
            break;
        }
        case sql::Ddl::Kind::Alter: {
            forget(file);
            DbfTable table = DbfTable::open(file);
            table.dropFields(ddl.dropped);
            table.save();
            break;
        }
        case sql::Ddl::Kind::None: break;
        }
    } catch (const DbfError& e) {
        fail(text, e.what());
    }
    return true;
}

sqlite3_stmt* Session::Impl::prepare(const std::string& original, const std::string& translated)
{
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, translated.c_str(), static_cast<int>(translated.size()), &stmt, &tail) != SQLITE_OK) {
        std::string reason = sqlite3_errmsg(db);
        sqlite3_finalize(stmt);
        fail(original, reason);
    }
    if (!stmt)
        fail(original, "instrução vazia");
    const std::string rest(tail ? tail : "");
    if (std::any_of(rest.begin(), rest.end(), [](unsigned char c) { return !std::isspace(c) && c != ';'; })) {
        sqlite3_finalize(stmt);
        fail(original, "mais de uma instrução no mesmo texto");
    }
    return stmt;
}

Session::Session(fs::path dataFolder) : impl_(std::make_unique<Impl>(std::move(dataFolder))) {}
Session::~Session() = default;
const fs::path& Session::dataFolder() const { return impl_->folder; }
Session::Impl& Session::impl() { return *impl_; }

} // namespace daxo::platform
