#include "dbf_table.h"

#include "file_lookup.h"
#include "names.h"
#include "safe_files.h"
#include "system_errors.h"
#include "text_codec.h"

#include <algorithm>
#include <cerrno>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <system_error>
#include <sys/stat.h>
#include <unordered_map>

namespace daxo::platform {

namespace fs = std::filesystem;

namespace {

constexpr int kLevel3Header = 32;
constexpr int kLevel3Descriptor = 32;
constexpr int kLevel7Header = 68;
constexpr int kLevel7Descriptor = 48;
constexpr char kTerminator = 0x0D;

// Positions within a field descriptor.
struct DescriptorLayout {
    int type, length, decimals;
};
constexpr DescriptorLayout layoutOf(bool level7) { return level7 ? DescriptorLayout{32, 33, 34} : DescriptorLayout{11, 16, 17}; }
constexpr char kEndOfFile = 0x1A;

// Writes made by this process, per file, so that a table loaded elsewhere in
// the process notices a change even within one file-time tick.
std::uint64_t& generationOf(const fs::path& path)
{
    static std::map<std::string, std::uint64_t> generations;
    return generations[fs::absolute(path).lexically_normal().string()];
}

std::string quoted(const fs::path& path) { return path.string(); }

[[noreturn]] void fail(const fs::path& path, const std::string& what)
{
    throw DbfError("Arquivo " + quoted(path) + " corrompido ou truncado: " + what);
}

std::uint32_t readU32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24; }
std::uint16_t readU16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
void writeU32(char* p, std::uint32_t v) { for (int i = 0; i < 4; ++i) p[i] = static_cast<char>(v >> (8 * i)); }
void writeU16(char* p, std::uint16_t v) { p[0] = static_cast<char>(v); p[1] = static_cast<char>(v >> 8); }

std::string_view trimRight(std::string_view s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0'))
        s.remove_suffix(1);
    return s;
}

std::string_view trim(std::string_view s)
{
    s = trimRight(s);
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    return s;
}

std::optional<double> parseNumber(std::string_view s)
{
    double d = 0;
    auto res = std::from_chars(s.data(), s.data() + s.size(), d);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size())
        return std::nullopt;
    return d;
}

bool isNumericType(FieldType t) { return t == FieldType::Numeric || t == FieldType::Float; }

struct DiskStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::int64_t seconds = 0, nanoseconds = 0;
    std::uint64_t inode = 0;
    std::int64_t changeSeconds = 0, changeNanoseconds = 0;   // a copy or rename over the file
    std::uint64_t generation = 0;
    bool operator==(const DiskStamp&) const = default;
};

// One stat() per check: this runs at the start of every statement.
DiskStamp stampOf(const fs::path& path)
{
    DiskStamp s;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return s;
    s.exists = true;
    s.size = static_cast<std::uintmax_t>(st.st_size);
    s.seconds = st.st_mtim.tv_sec;
    s.nanoseconds = st.st_mtim.tv_nsec;
    s.inode = static_cast<std::uint64_t>(st.st_ino);
    s.changeSeconds = st.st_ctim.tv_sec;
    s.changeNanoseconds = st.st_ctim.tv_nsec;
    s.generation = generationOf(path);
    return s;
}

} // namespace

struct DbfTable::Impl {
    fs::path path;
    std::vector<DbfField> fields;
    std::vector<int> offsets;        // within the record, after the deletion flag
    int recordLength = 1;
    unsigned char version = 0x03;
    unsigned char flags28 = 0;       // production index flag and language driver
    unsigned char language = 0;
    int headerLength = 0;
    std::vector<char> data;          // the records, one after the other
    std::size_t count = 0;

    std::size_t savedCount = 0;      // records the file on disk holds
    std::set<std::size_t> dirty;     // saved records changed since
    bool layoutChanged = false;
    DiskStamp stamp;

    bool inTx = false;
    std::size_t txCount = 0;
    std::unordered_map<std::size_t, std::string> undo;
    std::uint64_t changes = 0;

    char* record(std::size_t r) { return data.data() + r * recordLength; }
    const char* record(std::size_t r) const { return data.data() + r * recordLength; }

    void check(std::size_t r, int field = 0) const
    {
        if (r >= count || field < 0 || static_cast<std::size_t>(field) >= fields.size())
            throw DbfError("Registro " + std::to_string(r) + " ou campo " + std::to_string(field) +
                           " inexistente na tabela " + path.string());
    }

    void layOut()
    {
        offsets.clear();
        int pos = 1;
        for (const auto& f : fields) {
            offsets.push_back(pos);
            pos += f.length;
        }
        recordLength = pos;
    }

    bool needsLevel7() const
    {
        return std::any_of(fields.begin(), fields.end(),
                           [](const DbfField& f) { return utf8ToCp1252(f.name).size() > 10; });
    }

    void touch(std::size_t r)
    {
        ++changes;
        if (inTx && r < txCount && !undo.count(r))
            undo.emplace(r, std::string(record(r), recordLength));
        if (r < savedCount)
            dirty.insert(r);
    }

    std::string headerBytes() const;
    void parse(const std::vector<char>& bytes);
    void writeWhole();
    void writeInPlace();
};

std::string DbfTable::Impl::headerBytes() const
{
    const bool level7 = needsLevel7();
    const int head = level7 ? kLevel7Header : kLevel3Header;
    const int desc = level7 ? kLevel7Descriptor : kLevel3Descriptor;
    std::string h(head + desc * fields.size() + 1, '\0');
    const bool keepVersion = ((version & 0x07) == 4) == level7;
    h[0] = static_cast<char>(keepVersion ? version : (level7 ? 0x04 : 0x03));
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    h[1] = static_cast<char>(tm.tm_year);
    h[2] = static_cast<char>(tm.tm_mon + 1);
    h[3] = static_cast<char>(tm.tm_mday);
    writeU32(&h[4], static_cast<std::uint32_t>(count));
    writeU16(&h[8], static_cast<std::uint16_t>(h.size()));
    writeU16(&h[10], static_cast<std::uint16_t>(recordLength));
    h[28] = static_cast<char>(flags28);
    h[29] = static_cast<char>(language);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        char* d = &h[head + desc * i];
        const std::string name = utf8ToCp1252(fields[i].name);
        std::memcpy(d, name.data(), std::min<std::size_t>(name.size(), level7 ? 31 : 10));
        const DescriptorLayout at = layoutOf(level7);
        d[at.type] = static_cast<char>(fields[i].type);
        d[at.length] = static_cast<char>(fields[i].length);
        d[at.decimals] = static_cast<char>(fields[i].decimals);
        if (!level7)
            writeU32(d + 12, static_cast<std::uint32_t>(offsets[i]));
    }
    h.back() = kTerminator;
    return h;
}

void DbfTable::Impl::parse(const std::vector<char>& bytes)
{
    const auto* u = reinterpret_cast<const unsigned char*>(bytes.data());
    if (bytes.size() < kLevel3Header + 1)
        fail(path, "cabeçalho incompleto (" + std::to_string(bytes.size()) + " bytes)");
    version = u[0];
    const bool level7 = (version & 0x07) == 4;
    if ((version & 0x07) != 3 && !level7)
        fail(path, "versão de arquivo dBASE desconhecida (" + std::to_string(version) + ")");
    flags28 = u[28];
    language = u[29];
    const std::size_t declared = readU32(u + 4);
    headerLength = readU16(u + 8);
    const int declaredRecord = readU16(u + 10);
    const int head = level7 ? kLevel7Header : kLevel3Header;
    const int desc = level7 ? kLevel7Descriptor : kLevel3Descriptor;
    if (headerLength < head + 1 || static_cast<std::size_t>(headerLength) > bytes.size())
        fail(path, "tamanho do cabeçalho (" + std::to_string(headerLength) +
                       ") incompatível com o tamanho do arquivo (" + std::to_string(bytes.size()) + ")");
    fields.clear();
    std::size_t pos = head;
    while (true) {
        if (pos >= static_cast<std::size_t>(headerLength))
            fail(path, "descritores de campos sem terminador");
        if (bytes[pos] == kTerminator)
            break;
        if (pos + desc > static_cast<std::size_t>(headerLength))
            fail(path, "descritores de campos sem terminador");
        const int nameLen = level7 ? 32 : 11;
        std::string_view raw(bytes.data() + pos, nameLen);
        raw = raw.substr(0, std::min(raw.find('\0'), raw.size()));
        DbfField f;
        f.name = cp1252ToUtf8(trim(raw));
        const DescriptorLayout at = layoutOf(level7);
        f.type = static_cast<FieldType>(bytes[pos + at.type]);
        f.length = u[pos + at.length];
        f.decimals = u[pos + at.decimals];
        if (f.name.empty() || f.length == 0)
            fail(path, "descritor de campo inválido na posição " + std::to_string(pos));
        fields.push_back(std::move(f));
        pos += desc;
    }
    layOut();
    if (recordLength != declaredRecord)
        fail(path, "tamanho do registro (" + std::to_string(declaredRecord) +
                       ") difere da soma dos campos (" + std::to_string(recordLength) + ")");
    const std::size_t available = (bytes.size() - headerLength) / recordLength;
    if (declared > available)
        fail(path, "o cabeçalho declara " + std::to_string(declared) + " registros, o arquivo contém " +
                       std::to_string(available));
    count = declared;
    data.assign(bytes.begin() + headerLength, bytes.begin() + headerLength + count * recordLength);
    savedCount = count;
}

void DbfTable::Impl::writeWhole()
{
    std::string bytes = headerBytes();
    const auto length = bytes.size();
    bytes.append(data.data(), count * recordLength);
    bytes.push_back(kEndOfFile);
    try {
        writeFileSafely(path, bytes);
    } catch (const FileError& e) {
        throw DbfError("Não foi possível gravar a tabela " + quoted(path) + ": " + e.reason());
    }
    headerLength = static_cast<int>(length);
}

void DbfTable::Impl::writeInPlace()
{
    std::fstream io(path, std::ios::binary | std::ios::in | std::ios::out);
    if (!io)
        throw DbfError("Não foi possível gravar a tabela " + quoted(path) + ": " + systemReason(errno));
    const auto offsetOf = [&](std::size_t r) { return static_cast<std::streamoff>(headerLength + r * recordLength); };
    for (std::size_t r : dirty) {
        io.seekp(offsetOf(r));
        io.write(record(r), recordLength);
    }
    if (count > savedCount) {
        io.seekp(offsetOf(savedCount));
        io.write(record(savedCount), static_cast<std::streamsize>((count - savedCount) * recordLength));
        io.put(kEndOfFile);
    }
    const std::string header = headerBytes();
    io.seekp(1);
    io.write(header.data() + 1, 7);  // date and record count
    io.flush();
    if (!io) {
        const int reason = errno;
        io.close();
        std::error_code ec;
        fs::resize_file(path, stamp.size, ec);
        throw DbfError("Não foi possível gravar a tabela " + quoted(path) + ": " + systemReason(reason));
    }
}

DbfTable::DbfTable(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
DbfTable::DbfTable(DbfTable&&) noexcept = default;
DbfTable& DbfTable::operator=(DbfTable&&) noexcept = default;
DbfTable::~DbfTable() = default;

DbfTable DbfTable::open(const fs::path& path)
{
    auto impl = std::make_unique<Impl>();
    impl->path = findPath(path);
    std::ifstream in(impl->path, std::ios::binary);
    if (!in)
        throw DbfError("Tabela não encontrada: " + quoted(impl->path));
    impl->stamp = stampOf(impl->path);
    std::vector<char> bytes(impl->stamp.size);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!in)
        throw DbfError("Não foi possível ler a tabela " + quoted(impl->path));
    impl->parse(bytes);
    return DbfTable(std::move(impl));
}

DbfTable DbfTable::create(const fs::path& path, std::vector<DbfField> fields)
{
    auto impl = std::make_unique<Impl>();
    impl->path = findPath(path);
    if (fields.empty())
        throw DbfError("A tabela " + quoted(impl->path) + " precisa de pelo menos um campo");
    for (const auto& f : fields) {
        if (f.name.empty() || f.length < 1 || f.length > 254 || f.decimals < 0 || f.decimals > 18)
            throw DbfError("Campo inválido na criação da tabela " + quoted(impl->path) + ": " + f.name);
        if (utf8ToCp1252(f.name).size() > 31)
            throw DbfError("Nome de campo longo demais na tabela " + quoted(impl->path) + ": " + f.name);
        if (std::count_if(fields.begin(), fields.end(), [&](const DbfField& g) { return sameName(g.name, f.name); }) > 1)
            throw DbfError("Campo repetido na criação da tabela " + quoted(impl->path) + ": " + f.name);
    }
    impl->fields = std::move(fields);
    impl->layOut();
    impl->writeWhole();
    noteFileChanged(impl->path);
    impl->stamp = stampOf(impl->path);
    return DbfTable(std::move(impl));
}

const fs::path& DbfTable::path() const { return impl_->path; }
const std::vector<DbfField>& DbfTable::fields() const { return impl_->fields; }

int DbfTable::fieldIndex(std::string_view name) const
{
    for (std::size_t i = 0; i < impl_->fields.size(); ++i)
        if (sameName(impl_->fields[i].name, name))
            return static_cast<int>(i);
    return -1;
}

std::size_t DbfTable::recordCount() const { return impl_->count; }
bool DbfTable::isDeleted(std::size_t record) const
{
    impl_->check(record);
    return impl_->record(record)[0] == '*';
}

Value DbfTable::value(std::size_t record, int field) const
{
    impl_->check(record, field);
    const DbfField& f = impl_->fields[field];
    std::string_view cell(impl_->record(record) + impl_->offsets[field], f.length);
    if (isNumericType(f.type)) {
        cell = trim(cell);
        if (cell.empty())
            return {};
        if (cell.front() == '+')
            cell.remove_prefix(1);
        if (auto d = parseNumber(cell))
            return *d;
        // Some writers put a decimal comma; overflow marks ("****") and
        // other garbage read as no value.
        if (auto comma = cell.find(','); comma != std::string_view::npos) {
            std::string dotted(cell);
            dotted[comma] = '.';
            if (auto d = parseNumber(dotted))
                return *d;
        }
        return {};
    }
    if (f.type == FieldType::Logical) {
        char c = static_cast<char>(std::toupper(static_cast<unsigned char>(cell[0])));
        if (c == 'T' || c == 'Y' || c == 'S')
            return 1;
        if (c == 'F' || c == 'N')
            return 0;
        return {};
    }
    if (f.type == FieldType::Date) {
        cell = trim(cell);
        if (cell.empty())
            return {};
    }
    return cp1252ToUtf8(trimRight(cell));
}

namespace {

std::string encodeCell(const DbfField& f, const Value& v, const fs::path& path)
{
    const auto tooBig = [&](const std::string& shown) {
        return DbfError("O valor " + shown + " não cabe no campo " + f.name + " (" + std::to_string(f.length) +
                        " posições) da tabela " + quoted(path));
    };
    if (v.isNull())
        return std::string(f.length, f.type == FieldType::Logical ? '?' : ' ');
    if (isNumericType(f.type)) {
        auto n = v.number();
        if (!n) {
            if (trim(v.asString()).empty())
                return std::string(f.length, ' ');
            throw DbfError("O valor '" + v.asString() + "' não é um número (campo " + f.name + " da tabela " +
                           quoted(path) + ")");
        }
        if (!std::isfinite(*n))
            throw tooBig(v.asString());
        // A point whatever the process locale says: the file format has one.
        char buf[400];
        const auto [end, error] = std::to_chars(buf, buf + sizeof buf, *n, std::chars_format::fixed, f.decimals);
        const auto len = end - buf;
        if (error != std::errc() || len > f.length)
            throw tooBig(v.asString());
        return std::string(f.length - len, ' ') + std::string(buf, end);
    }
    if (f.type == FieldType::Logical) {
        std::string s = v.isNumber() ? (v.asFloat() != 0 ? "T" : "F") : std::string(trim(v.asString()));
        char c = s.empty() ? '?' : static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
        if (c == '1' || c == 'Y' || c == 'S')
            c = 'T';
        if (c == '0')
            c = 'F';
        if (c != 'T' && c != 'F' && c != 'N' && c != '?')
            throw DbfError("O valor '" + s + "' não é lógico (campo " + f.name + ")");
        return std::string(1, c == 'N' ? 'F' : c);
    }
    std::string text = utf8ToCp1252(v.asString());
    if (f.type == FieldType::Date) {
        text.erase(std::remove(text.begin(), text.end(), '-'), text.end());
        if (!trim(text).empty() &&
            (text.size() != 8 || !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); })))
            throw DbfError("Data inválida '" + v.asString() + "' no campo " + f.name);
    }
    if (trimRight(text).size() > static_cast<std::size_t>(f.length))
        throw tooBig("'" + v.asString() + "'");
    text = std::string(trimRight(text));
    text.resize(f.length, ' ');
    return text;
}

} // namespace

void DbfTable::setValue(std::size_t record, int field, const Value& value)
{
    impl_->check(record, field);
    std::string cell = encodeCell(impl_->fields[field], value, impl_->path);
    impl_->touch(record);
    std::memcpy(impl_->record(record) + impl_->offsets[field], cell.data(), cell.size());
}

std::size_t DbfTable::appendRecord()
{
    ++impl_->changes;
    impl_->data.resize(impl_->data.size() + impl_->recordLength, ' ');
    return impl_->count++;
}

void DbfTable::setDeleted(std::size_t record, bool deleted)
{
    impl_->check(record);
    impl_->touch(record);
    impl_->record(record)[0] = deleted ? '*' : ' ';
}

void DbfTable::beginTransaction()
{
    impl_->inTx = true;
    impl_->txCount = impl_->count;
    impl_->undo.clear();
}

void DbfTable::rollbackTransaction()
{
    if (!impl_->inTx)
        return;
    for (auto& [r, bytes] : impl_->undo)
        std::memcpy(impl_->record(r), bytes.data(), bytes.size());
    impl_->count = impl_->txCount;
    impl_->data.resize(impl_->count * impl_->recordLength);
    impl_->dirty.erase(impl_->dirty.lower_bound(impl_->savedCount), impl_->dirty.end());
    endTransaction();
    ++impl_->changes;
}

void DbfTable::endTransaction()
{
    impl_->inTx = false;
    impl_->undo.clear();
}

bool DbfTable::inTransaction() const { return impl_->inTx; }
std::uint64_t DbfTable::changeCount() const { return impl_->changes; }

bool DbfTable::isStale() const { return !(stampOf(impl_->path) == impl_->stamp); }

void DbfTable::dropFields(const std::vector<std::string>& names)
{
    std::vector<int> drop;
    for (const auto& n : names) {
        int i = fieldIndex(n);
        if (i < 0)
            throw DbfError("Campo não encontrado na tabela " + quoted(impl_->path) + ": " + n);
        drop.push_back(i);
    }
    if (drop.size() >= impl_->fields.size() || drop.empty())
        throw DbfError("Não é possível apagar todos os campos da tabela " + quoted(impl_->path));
    std::vector<DbfField> keptFields;
    std::vector<int> keptOffsets;
    for (std::size_t i = 0; i < impl_->fields.size(); ++i)
        if (std::find(drop.begin(), drop.end(), static_cast<int>(i)) == drop.end()) {
            keptFields.push_back(impl_->fields[i]);
            keptOffsets.push_back(impl_->offsets[i]);
        }
    const int oldLength = impl_->recordLength;
    std::vector<char> old = std::move(impl_->data);
    impl_->fields = std::move(keptFields);
    impl_->layOut();
    impl_->data.assign(impl_->count * impl_->recordLength, ' ');
    for (std::size_t r = 0; r < impl_->count; ++r) {
        const char* src = old.data() + r * oldLength;
        char* dst = impl_->record(r);
        dst[0] = src[0];
        for (std::size_t i = 0; i < impl_->fields.size(); ++i)
            std::memcpy(dst + impl_->offsets[i], src + keptOffsets[i], impl_->fields[i].length);
    }
    impl_->layoutChanged = true;
    ++impl_->changes;
}

void DbfTable::setDecimals(int field, int decimals)
{
    if (field < 0 || field >= static_cast<int>(impl_->fields.size()))
        throw DbfError("Campo inexistente na tabela " + quoted(impl_->path));
    DbfField& f = impl_->fields[field];
    if (!isNumericType(f.type) || decimals < 0 || decimals > std::min(18, f.length - 2))
        throw DbfError("O campo " + f.name + " da tabela " + quoted(impl_->path) + " não aceita " +
                       std::to_string(decimals) + " casas decimais");
    f.decimals = decimals;
    impl_->layoutChanged = true;
    ++impl_->changes;
}

void DbfTable::save()
{
    Impl& d = *impl_;
    const bool unchangedOnDisk = stampOf(d.path) == d.stamp && d.stamp.exists;
    if (!d.layoutChanged && unchangedOnDisk) {
        if (d.dirty.empty() && d.count == d.savedCount)
            return;
        d.writeInPlace();
    } else {
        d.writeWhole();
    }
    d.layoutChanged = false;
    d.savedCount = d.count;
    d.dirty.clear();
    noteFileChanged(d.path);
    d.stamp = stampOf(d.path);
}

void DbfTable::noteFileChanged(const fs::path& path)
{
    ++generationOf(path);
}

} // namespace daxo::platform
