#include "engine.h"
#include "names.h"

#include "dbf_table.h"
#include "file_lookup.h"
#include "index_file.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace daxo::platform {

namespace fs = std::filesystem;

struct Table::Impl {
    fs::path path;
    fs::path indexFile;
    std::string tag;
    std::unique_ptr<DbfTable> table;
    int keyField = -1;
    std::vector<std::size_t> order;                  // records in reading order
    std::unordered_map<std::string, std::size_t> keyPosition;  // key -> first position in order
    std::size_t pos = 0;
    std::map<int, Value> pending;
    bool editing = false;

    DbfTable& data() const
    {
        if (!table)
            throw EngineError("A tabela não está aberta: " + path.string());
        return *table;
    }

    std::size_t record() const
    {
        if (!table || pos >= order.size())
            throw EngineError("Não há registro corrente na tabela " + path.string());
        return order[pos];
    }

    int field(std::string_view name) const
    {
        const int i = data().fieldIndex(name);
        if (i < 0)
            throw EngineError("Campo não encontrado na tabela " + path.string() + ": " + std::string(name));
        return i;
    }

    void load()
    {
        try {
            table = std::make_unique<DbfTable>(DbfTable::open(path));
        } catch (const DbfError& e) {
            throw EngineError(e.what());
        }
        order.clear();
        keyPosition.clear();
        for (std::size_t r = 0; r < table->recordCount(); ++r)
            if (!table->isDeleted(r))
                order.push_back(r);
        if (tag.empty())
            return;
        const auto tags = readIndexTags(indexFile.empty() ? indexFileOf(path) : indexFile);
        auto it = tags.find(upperCase(tag));
        // An index file of another origin: its tags are named after their fields.
        keyField = table->fieldIndex(it != tags.end() ? it->second : tag);
        if (keyField < 0) {
            table.reset();
            throw EngineError("Índice " + tag + " não encontrado para a tabela " + path.string());
        }
        const bool numeric = table->fields()[keyField].type == FieldType::Numeric ||
                             table->fields()[keyField].type == FieldType::Float;
        std::vector<std::pair<Value, std::size_t>> keyed;
        for (std::size_t r : order)
            keyed.emplace_back(table->value(r, keyField), r);
        std::stable_sort(keyed.begin(), keyed.end(), [numeric](const auto& a, const auto& b) {
            return numeric ? a.first.asFloat() < b.first.asFloat() : a.first.asString() < b.first.asString();
        });
        for (std::size_t i = 0; i < keyed.size(); ++i) {
            order[i] = keyed[i].second;
            keyPosition.try_emplace(keyed[i].first.asString(), i);
        }
    }
};

Table::Table(Session&) : impl_(std::make_unique<Impl>()) {}
Table::~Table() = default;

void Table::setPath(fs::path path) { impl_->path = std::move(path); }
void Table::setIndexFile(fs::path mdx) { impl_->indexFile = std::move(mdx); }
void Table::setIndexName(std::string tag) { impl_->tag = std::move(tag); }

void Table::open()
{
    close();
    std::string given = impl_->path.string();
    std::replace(given.begin(), given.end(), '\\', '/');
    impl_->path = findPath(given);
    impl_->load();
}

void Table::close()
{
    impl_->table.reset();
    impl_->order.clear();
    impl_->keyPosition.clear();
    impl_->pos = 0;
    impl_->pending.clear();
    impl_->editing = false;
    impl_->keyField = -1;
}

bool Table::isOpen() const { return impl_->table != nullptr; }
bool Table::eof() const { return !impl_->table || impl_->pos >= impl_->order.size(); }
void Table::next()
{
    if (impl_->pos < impl_->order.size())
        ++impl_->pos;
}
void Table::first() { impl_->pos = 0; }
int Table::recordCount() const { return static_cast<int>(impl_->order.size()); }

Value Table::field(std::string_view name) const
{
    const int i = impl_->field(name);
    auto it = impl_->pending.find(i);
    return it != impl_->pending.end() ? it->second : impl_->data().value(impl_->record(), i);
}

int Table::fieldCount() const { return static_cast<int>(impl_->data().fields().size()); }

std::string Table::fieldName(int position) const
{
    const auto& fields = impl_->data().fields();
    if (position < 0 || position >= static_cast<int>(fields.size()))
        throw EngineError("Campo inexistente na tabela " + impl_->path.string());
    return fields[position].name;
}

bool Table::findKey(const std::string& key)
{
    impl_->data();
    if (impl_->keyField < 0)
        throw EngineError("A tabela " + impl_->path.string() + " foi aberta sem índice");
    std::string k = key;
    while (!k.empty() && k.back() == ' ')
        k.pop_back();
    auto it = impl_->keyPosition.find(k);
    if (it == impl_->keyPosition.end())
        return false;
    impl_->pos = it->second;
    return true;
}

void Table::edit()
{
    impl_->record();
    impl_->editing = true;
    impl_->pending.clear();
}

void Table::setField(std::string_view name, const Value& value)
{
    if (!impl_->editing)
        edit();
    impl_->pending[impl_->field(name)] = value;
}

void Table::post()
{
    Impl& d = *impl_;
    if (!d.editing)
        return;
    d.editing = false;
    const std::size_t record = d.record();
    auto pending = std::move(d.pending);
    d.pending.clear();
    try {
        if (d.table->isStale()) {
            // Written behind us: apply the change to what is on disk now.
            auto fresh = std::make_unique<DbfTable>(DbfTable::open(d.path));
            if (record >= fresh->recordCount() || fresh->fields().size() != d.table->fields().size())
                throw EngineError("A tabela " + d.path.string() + " foi alterada por outro processo");
            d.table = std::move(fresh);
        }
        d.table->beginTransaction();
        try {
            for (const auto& [i, v] : pending)
                d.table->setValue(record, i, v);
            d.table->save();
            d.table->endTransaction();
        } catch (...) {
            d.table->rollbackTransaction();
            throw;
        }
    } catch (const DbfError& e) {
        throw EngineError(e.what());
    }
}

void createIndexTag(const fs::path& table, const std::string& field)
{
    const fs::path file = findPath(table);
    try {
        DbfTable t = DbfTable::open(file);
        const int i = t.fieldIndex(field);
        if (i < 0)
            throw EngineError("Campo não encontrado na tabela " + file.string() + ": " + field);
        const fs::path mdx = indexFileOf(file);
        auto tags = readIndexTags(mdx);
        tags[upperCase(t.fields()[i].name)] = t.fields()[i].name;
        writeIndexTags(mdx, tags);
    } catch (const DbfError& e) {
        throw EngineError(e.what());
    }
}

} // namespace daxo::platform
