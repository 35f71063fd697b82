#include "sql_translate.h"
#include "names.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
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

namespace {

// One pass over the tokens of a statement, writing the SQLite form.
class Translator {
public:
    Translator(std::vector<Token> tokens, const TableResolver& resolve) : t_(std::move(tokens)), resolve_(resolve) {}

    Translation run()
    {
        for (std::size_t i = 0; i < t_.size(); ++i)
            i = step(i);
        result_.sql = joinWithNullSafeConcat(out_);
        std::size_t first = skipSpace(t_, 0);
        if (first < t_.size() && isWord(t_[first], "SELECT") && result_.tables.size() == 1 && fromCount_ == 1 &&
            selects_ == 1 && !joins_ && !grouped_ && topFrom_ >= 0) {
            std::vector<Token> editable = out_;
            editable.insert(editable.begin() + topFrom_,
                            {Kind::Symbol, ", " + sqlIdentifier(lastAlias_) + ".rowid AS " +
                                               Translation::kRowidColumn + " "});
            result_.editableSql = joinWithNullSafeConcat(editable);
        }
        return result_;
    }

private:
    std::vector<Token> t_;
    const TableResolver& resolve_;
    Translation result_;
    std::vector<Token> out_;
    std::vector<int> substringDepth_;   // paren depths at which FROM/FOR are commas
    int depth_ = 0;
    int fromCount_ = 0;
    int selects_ = 0;
    bool joins_ = false, grouped_ = false;
    long topFrom_ = -1;                 // output position of the statement's own FROM
    std::string lastAlias_;

    void add(Kind kind, std::string text) { out_.push_back({kind, std::move(text)}); }

    // Handles t_[i]; returns the index of the last token consumed.
    std::size_t step(std::size_t i)
    {
        const Token& tok = t_[i];
        if (tok.text == "(") {
            ++depth_;
        } else if (tok.text == ")") {
            if (!substringDepth_.empty() && substringDepth_.back() == depth_)
                substringDepth_.pop_back();
            --depth_;
        }
        if (isWord(tok, "SUBSTRING")) {
            std::size_t p = skipSpace(t_, i + 1);
            if (p < t_.size() && t_[p].text == "(") {
                add(Kind::Word, "substr");
                substringDepth_.push_back(depth_ + 1);
                return i;
            }
        }
        if (!substringDepth_.empty() && substringDepth_.back() == depth_ &&
            (isWord(tok, "FROM") || isWord(tok, "FOR"))) {
            add(Kind::Symbol, ",");
            return i;
        }
        joins_ = joins_ || isWord(tok, "JOIN");
        grouped_ = grouped_ || isWord(tok, "GROUP") || isWord(tok, "UNION") || isWord(tok, "DISTINCT");
        selects_ += isWord(tok, "SELECT") ? 1 : 0;
        const bool from = isWord(tok, "FROM");
        if (!from && !isWord(tok, "JOIN") && !isWord(tok, "INTO") && !isWord(tok, "UPDATE")) {
            if (tok.kind == Kind::DoubleQuoted)
                add(Kind::SingleQuoted, sqlLiteral(unquote(tok)));
            else
                add(tok.kind, tok.text);
            return i;
        }
        if (from && depth_ == 0 && topFrom_ < 0)
            topFrom_ = static_cast<long>(out_.size());
        add(tok.kind, tok.text);
        std::size_t k = i;
        while (true) {
            const std::size_t after = tableReference(k + 1, isWord(tok, "INTO"));
            if (after == k + 1)
                return k;
            fromCount_ += from ? 1 : 0;
            k = after - 1;
            // FROM a, b: a list of references.
            std::size_t comma = skipSpace(t_, after);
            if (!from || comma >= t_.size() || t_[comma].text != ",")
                return k;
            for (std::size_t s = after; s <= comma; ++s)
                add(t_[s].kind, t_[s].text);
            k = comma;
        }
    }

    // A table reference with its alias starting at or after t_[from]: written
    // out as "<vtab>" AS "<alias>"; returns the index after it, or `from`
    // when there is none.
    std::size_t tableReference(std::size_t from, bool into)
    {
        const std::size_t start = skipSpace(t_, from);
        std::string name;
        const std::size_t after = readTableName(t_, start, name);
        if (after == start)
            return from;
        for (std::size_t s = from; s < start; ++s)
            add(Kind::Space, t_[s].text);
        std::string alias;
        std::size_t next = after;
        const std::size_t a = skipSpace(t_, after);
        if (a < t_.size() && isWord(t_[a], "AS")) {
            const std::size_t w = skipSpace(t_, a + 1);
            if (w < t_.size() && (t_[w].kind == Kind::Word || t_[w].kind == Kind::DoubleQuoted)) {
                alias = unquote(t_[w]);
                next = w + 1;
            }
        } else if (a < t_.size() && t_[a].kind == Kind::Word && !isClauseWord(t_[a])) {
            alias = t_[a].text;
            next = a + 1;
        }
        std::string ref = sqlIdentifier(resolve_(name));
        result_.tables.push_back(name);
        // INSERT INTO takes no alias unless one is written.
        if (!into || !alias.empty())
            ref += " AS " + sqlIdentifier(alias.empty() ? baseName(name) : alias);
        lastAlias_ = alias.empty() ? baseName(name) : alias;
        add(Kind::Symbol, ref);
        return next;
    }
};

} // namespace

Translation translate(std::string_view text, const TableResolver& resolve)
{
    std::vector<Token> t = tokenize(text);
    // A trailing ";" (and blanks around it) ends the statement.
    while (!t.empty() && (t.back().kind == Kind::Space || t.back().text == ";"))
        t.pop_back();
    return Translator(std::move(t), resolve).run();
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
        const std::string& text = t[i].text;
        int n = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
        if (error != std::errc() || end == text.data())
            throw std::invalid_argument("número inválido ou grande demais em " + where());
        ++i;
        return n;
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
