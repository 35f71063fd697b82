#include "sql_translate.h"
#include "names.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <stdexcept>

namespace daxo::platform::sql {

namespace {

using Kind = Token::Kind;

bool isWordStart(unsigned char c) { return std::isalpha(c) || c == '_' || c >= 0x80; }
bool isWordChar(unsigned char c) { return std::isalnum(c) || c == '_' || c == '$' || c >= 0x80; }

bool isWord(const Token& t, std::string_view keyword)
{
    return t.kind == Kind::Word && upperCase(t.text) == keyword;
}

// Words that end a table reference instead of naming its alias.
bool isClauseWord(const Token& t)
{
    static const std::array<std::string_view, 27> words = {
        "WHERE", "LEFT", "RIGHT", "INNER", "OUTER", "FULL", "CROSS", "NATURAL", "JOIN",
        "ON", "USING", "SET", "ORDER", "GROUP", "HAVING", "LIMIT", "UNION", "EXCEPT",
        "INTERSECT", "VALUES", "SELECT", "DEFAULT", "WINDOW", "RETURNING", "INDEXED", "NOT", "AS"};
    if (t.kind != Kind::Word)
        return false;
    const std::string u = upperCase(t.text);
    return std::find(words.begin(), words.end(), u) != words.end();
}

std::size_t skipSpace(const std::vector<Token>& t, std::size_t i)
{
    while (i < t.size() && t[i].kind == Kind::Space)
        ++i;
    return i;
}

// A table reference starting at t[i]: a quoted name or words joined by dots
// ("UF.DBF"). Returns the index after it, or i when there is none.
std::size_t readTableName(const std::vector<Token>& t, std::size_t i, std::string& name)
{
    if (i >= t.size())
        return i;
    if (t[i].kind == Kind::SingleQuoted || t[i].kind == Kind::DoubleQuoted) {
        name = unquote(t[i]);
        return i + 1;
    }
    if (t[i].kind != Kind::Word || isClauseWord(t[i]))
        return i;
    name = t[i].text;
    std::size_t j = i + 1;
    while (j + 1 < t.size() && t[j].text == "." && t[j + 1].kind == Kind::Word) {
        name += "." + t[j + 1].text;
        j += 2;
    }
    return j;
}

struct Output {
    std::vector<Token> tokens;
    void add(Kind k, std::string text) { tokens.push_back({k, std::move(text)}); }
};

// Wraps each one-word operand of "||" (a column, a qualified column or a
// parameter) in ifnull(x,''), so that a missing value reads as empty text.
std::string joinWithNullSafeConcat(const std::vector<Token>& t)
{
    std::vector<int> openAt(t.size() + 1, 0), closeAfter(t.size() + 1, 0);
    const auto operandKind = [&](std::size_t k) {
        return (t[k].kind == Kind::Word && !isWord(t[k], "END") && !isWord(t[k], "NULL")) ||
               t[k].kind == Kind::Param;
    };
    const auto prevSolid = [&](std::size_t k) -> long {
        long j = static_cast<long>(k) - 1;
        while (j >= 0 && t[j].kind == Kind::Space)
            --j;
        return j;
    };
    const auto nextSolid = [&](std::size_t k) {
        std::size_t j = k + 1;
        while (j < t.size() && t[j].kind == Kind::Space)
            ++j;
        return j;
    };
    for (std::size_t k = 0; k < t.size(); ++k) {
        if (t[k].text != "||")
            continue;
        long p = prevSolid(k);
        if (p >= 0 && operandKind(p)) {
            long start = p;
            if (start >= 2 && t[start - 1].text == "." && t[start - 2].kind == Kind::Word)
                start -= 2;
            if (!(start >= 1 && t[start - 1].text == ".")) {
                openAt[start] = 1;
                closeAfter[p] = 1;
            }
        }
        std::size_t n = nextSolid(k);
        if (n < t.size() && operandKind(n)) {
            std::size_t end = n;
            if (end + 2 < t.size() && t[end + 1].text == "." && t[end + 2].kind == Kind::Word)
                end += 2;
            std::size_t after = nextSolid(end);
            if (!(after < t.size() && (t[after].text == "(" || t[after].text == "."))) {
                openAt[n] = 1;
                closeAfter[end] = 1;
            }
        }
    }
    std::string out;
    for (std::size_t k = 0; k < t.size(); ++k) {
        if (openAt[k])
            out += "ifnull(";
        out += t[k].text;
        if (closeAfter[k])
            out += ",'')";
    }
    return out;
}

} // namespace

std::vector<Token> tokenize(std::string_view s)
{
    std::vector<Token> out;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t j = i + 1;
        Kind kind = Kind::Symbol;
        if (std::isspace(c)) {
            while (j < s.size() && std::isspace(static_cast<unsigned char>(s[j])))
                ++j;
            kind = Kind::Space;
        } else if (c == '\'' || c == '"') {
            while (j < s.size()) {
                if (s[j] == static_cast<char>(c)) {
                    if (j + 1 < s.size() && s[j + 1] == static_cast<char>(c)) {
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                ++j;
            }
            if (j > s.size() || s[j - 1] != static_cast<char>(c) || j - i < 2)
                throw std::invalid_argument("aspas sem fechamento");
            kind = c == '\'' ? Kind::SingleQuoted : Kind::DoubleQuoted;
        } else if (std::isdigit(c) || (c == '.' && j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))) {
            while (j < s.size() && (std::isdigit(static_cast<unsigned char>(s[j])) || s[j] == '.'))
                ++j;
            if (j < s.size() && (s[j] == 'e' || s[j] == 'E')) {
                std::size_t k = j + 1;
                if (k < s.size() && (s[k] == '+' || s[k] == '-'))
                    ++k;
                if (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k]))) {
                    j = k;
                    while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
                        ++j;
                }
            }
            kind = Kind::Number;
        } else if (isWordStart(c)) {
            while (j < s.size() && isWordChar(static_cast<unsigned char>(s[j])))
                ++j;
            kind = Kind::Word;
        } else if (c == ':' && j < s.size() && isWordStart(static_cast<unsigned char>(s[j]))) {
            while (j < s.size() && isWordChar(static_cast<unsigned char>(s[j])))
                ++j;
            kind = Kind::Param;
        } else if (j < s.size()) {
            const std::string_view two = s.substr(i, 2);
            if (two == "||" || two == "<>" || two == "<=" || two == ">=" || two == "!=" || two == "==")
                j = i + 2;
        }
        out.push_back({kind, std::string(s.substr(i, j - i))});
        i = j;
    }
    return out;
}

std::string unquote(const Token& token)
{
    if (token.kind != Kind::SingleQuoted && token.kind != Kind::DoubleQuoted)
        return token.text;
    const char q = token.text.front();
    std::string out;
    for (std::size_t i = 1; i + 1 < token.text.size(); ++i) {
        out += token.text[i];
        if (token.text[i] == q)
            ++i;
    }
    return out;
}

std::string baseName(const std::string& name)
{
    std::string n = name;
    std::replace(n.begin(), n.end(), '\\', '/');
    std::filesystem::path p(n);
    std::string base = p.filename().string();
    if (base.size() > 4 && upperCase(base.substr(base.size() - 4)) == ".DBF")
        base.resize(base.size() - 4);
    return base;
}

Translation translate(std::string_view text, const TableResolver& resolve)
{
    std::vector<Token> t = tokenize(text);
    // A trailing ";" (and blanks around it) ends the statement.
    while (!t.empty() && (t.back().kind == Kind::Space || t.back().text == ";"))
        t.pop_back();

    Translation result;
    Output out;
    std::vector<int> substringDepth;   // paren depths at which FROM/FOR are commas
    int depth = 0;
    int fromCount = 0;
    bool joins = false, grouped = false;
    int selects = 0;
    long topFrom = -1;   // output position of the statement's own FROM
    std::string soleAlias;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const Token& tok = t[i];
        if (tok.text == "(") {
            ++depth;
        } else if (tok.text == ")") {
            if (!substringDepth.empty() && substringDepth.back() == depth)
                substringDepth.pop_back();
            --depth;
        }
        if (isWord(tok, "SUBSTRING")) {
            std::size_t p = skipSpace(t, i + 1);
            if (p < t.size() && t[p].text == "(") {
                out.add(Kind::Word, "substr");
                substringDepth.push_back(depth + 1);
                continue;
            }
        }
        if (!substringDepth.empty() && substringDepth.back() == depth &&
            (isWord(tok, "FROM") || isWord(tok, "FOR"))) {
            out.add(Kind::Symbol, ",");
            continue;
        }
        if (isWord(tok, "JOIN"))
            joins = true;
        if (isWord(tok, "GROUP") || isWord(tok, "UNION") || isWord(tok, "DISTINCT"))
            grouped = true;
        if (isWord(tok, "SELECT"))
            ++selects;
        const bool refKeyword = isWord(tok, "FROM") || isWord(tok, "JOIN") || isWord(tok, "INTO") ||
                                isWord(tok, "UPDATE");
        if (!refKeyword) {
            if (tok.kind == Kind::DoubleQuoted)
                out.add(Kind::SingleQuoted, sqlLiteral(unquote(tok)));
            else
                out.add(tok.kind, tok.text);
            continue;
        }
        if (isWord(tok, "FROM") && depth == 0 && topFrom < 0)
            topFrom = static_cast<long>(out.tokens.size());
        out.add(tok.kind, tok.text);
        const bool into = isWord(tok, "INTO");
        std::size_t k = i;
        while (true) {
            std::size_t start = skipSpace(t, k + 1);
            std::string name;
            std::size_t after = readTableName(t, start, name);
            if (after == start)
                break;
            for (std::size_t s = k + 1; s < start; ++s)
                out.add(Kind::Space, t[s].text);
            std::string alias;
            std::size_t a = skipSpace(t, after);
            std::size_t next = after;
            if (a < t.size() && isWord(t[a], "AS")) {
                std::size_t w = skipSpace(t, a + 1);
                if (w < t.size() && (t[w].kind == Kind::Word || t[w].kind == Kind::DoubleQuoted)) {
                    alias = unquote(t[w]);
                    next = w + 1;
                }
            } else if (a < t.size() && t[a].kind == Kind::Word && !isClauseWord(t[a])) {
                alias = t[a].text;
                next = a + 1;
            }
            const std::string sqliteName = resolve(name);
            result.tables.push_back(name);
            if (isWord(tok, "FROM"))
                ++fromCount;
            const bool givenAlias = !alias.empty();
            if (!givenAlias)
                alias = baseName(name);
            soleAlias = alias;
            std::string ref = sqlIdentifier(sqliteName);
            if (!into || givenAlias)
                ref += " AS " + sqlIdentifier(alias);
            out.add(Kind::Symbol, ref);
            k = next - 1;
            std::size_t comma = skipSpace(t, next);
            if (isWord(tok, "FROM") && comma < t.size() && t[comma].text == ",") {
                for (std::size_t s = next; s <= comma; ++s)
                    out.add(t[s].kind, t[s].text);
                k = comma;
                continue;
            }
            break;
        }
        i = k;
    }
    result.sql = joinWithNullSafeConcat(out.tokens);
    std::size_t first = skipSpace(t, 0);
    if (first < t.size() && isWord(t[first], "SELECT") && result.tables.size() == 1 && fromCount == 1 &&
        selects == 1 && !joins && !grouped && topFrom >= 0) {
        std::vector<Token> editable = out.tokens;
        editable.insert(editable.begin() + topFrom,
                        {Kind::Symbol, ", " + sqlIdentifier(soleAlias) + ".rowid AS " + Translation::kRowidColumn + " "});
        result.editableSql = joinWithNullSafeConcat(editable);
    }
    return result;
}

namespace {

struct DdlReader {
    std::vector<Token> t;
    std::size_t i = 0;

    explicit DdlReader(std::string_view sql) : t(tokenize(sql))
    {
        t.erase(std::remove_if(t.begin(), t.end(), [](const Token& k) { return k.kind == Kind::Space; }),
                t.end());
        while (!t.empty() && t.back().text == ";")
            t.pop_back();
    }
    bool atEnd() const { return i >= t.size(); }
    bool accept(std::string_view word)
    {
        if (!atEnd() && (isWord(t[i], word) || t[i].text == word)) {
            ++i;
            return true;
        }
        return false;
    }
    void expect(std::string_view word)
    {
        if (!accept(word))
            throw std::invalid_argument("esperado \"" + std::string(word) + "\" em " + where());
    }
    std::string where() const { return atEnd() ? std::string("fim da instrução") : "\"" + t[i].text + "\""; }
    std::string name()
    {
        if (atEnd())
            throw std::invalid_argument("nome ausente");
        if (t[i].kind == Kind::DoubleQuoted || t[i].kind == Kind::SingleQuoted || t[i].kind == Kind::Word)
            return unquote(t[i++]);
        throw std::invalid_argument("nome esperado em " + where());
    }
    std::string tableName()
    {
        std::string n;
        std::size_t after = readTableName(t, i, n);
        if (after == i)
            throw std::invalid_argument("nome de tabela esperado em " + where());
        i = after;
        return n;
    }
    int number()
    {
        if (atEnd() || t[i].kind != Kind::Number)
            throw std::invalid_argument("número esperado em " + where());
        return std::stoi(t[i++].text);
    }
    DbfField field()
    {
        DbfField f;
        f.name = name();
        const std::string type = upperCase(name());
        std::vector<int> size;
        if (accept("(")) {
            size.push_back(number());
            if (accept(","))
                size.push_back(number());
            expect(")");
        }
        const auto sizeOr = [&](std::size_t k, int fallback) { return size.size() > k ? size[k] : fallback; };
        if (type == "CHARACTER" || type == "CHAR" || type == "VARCHAR") {
            f.type = FieldType::Character;
            f.length = sizeOr(0, 10);
        } else if (type == "DECIMAL" || type == "NUMERIC" || type == "MONEY") {
            // Stored wider than declared: national totals overflow ten
            // positions, and a value must never be lost to the width.
            f.type = FieldType::Numeric;
            f.decimals = std::min(sizeOr(1, type == "MONEY" ? 2 : 0), 15);
            f.length = 20;
        } else if (type == "INTEGER" || type == "INT" || type == "SMALLINT") {
            f.type = FieldType::Numeric;
            f.length = 11;
        } else if (type == "FLOAT" || type == "DOUBLE") {
            f.type = FieldType::Float;
            f.length = 20;
            f.decimals = 6;
        } else if (type == "BOOLEAN" || type == "LOGICAL") {
            f.type = FieldType::Logical;
            f.length = 1;
        } else if (type == "DATE") {
            f.type = FieldType::Date;
            f.length = 8;
        } else {
            throw std::invalid_argument("tipo de campo desconhecido: " + type);
        }
        if (f.length < 1 || f.length > 254)
            throw std::invalid_argument("tamanho inválido para o campo " + f.name);
        return f;
    }
};

} // namespace

Ddl parseDdl(std::string_view sql)
{
    DdlReader r(sql);
    Ddl d;
    if (r.accept("CREATE")) {
        if (!r.accept("TABLE"))
            return d;
        d.kind = Ddl::Kind::Create;
        d.table = r.tableName();
        r.expect("(");
        do
            d.fields.push_back(r.field());
        while (r.accept(","));
        r.expect(")");
    } else if (r.accept("DROP")) {
        if (!r.accept("TABLE"))
            return d;
        d.kind = Ddl::Kind::Drop;
        d.table = r.tableName();
    } else if (r.accept("ALTER")) {
        r.expect("TABLE");
        d.kind = Ddl::Kind::Alter;
        d.table = r.tableName();
        do {
            r.expect("DROP");
            r.accept("COLUMN");
            d.dropped.push_back(r.name());
        } while (r.accept(","));
    } else {
        return d;
    }
    if (!r.atEnd())
        throw std::invalid_argument("texto inesperado em " + r.where());
    return d;
}

} // namespace daxo::platform::sql
