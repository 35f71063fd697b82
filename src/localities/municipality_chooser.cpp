#include "municipality_chooser.h"

#include "geography.h"
#include "locality_selection.h"
#include "platform/engine.h"
#include "platform/system_errors.h"

#include <cctype>

namespace daxo::localities {
namespace {

// Accented Latin letters and their base letter, both cases.
constexpr std::string_view kAccented[][2] = {
    {"á", "a"}, {"à", "a"}, {"â", "a"}, {"ã", "a"}, {"ä", "a"}, {"é", "e"}, {"è", "e"}, {"ê", "e"},
    {"ë", "e"}, {"í", "i"}, {"ì", "i"}, {"î", "i"}, {"ï", "i"}, {"ó", "o"}, {"ò", "o"}, {"ô", "o"},
    {"õ", "o"}, {"ö", "o"}, {"ú", "u"}, {"ù", "u"}, {"û", "u"}, {"ü", "u"}, {"ç", "c"}, {"ñ", "n"},
    {"Á", "a"}, {"À", "a"}, {"Â", "a"}, {"Ã", "a"}, {"Ä", "a"}, {"É", "e"}, {"È", "e"}, {"Ê", "e"},
    {"Ë", "e"}, {"Í", "i"}, {"Ì", "i"}, {"Î", "i"}, {"Ï", "i"}, {"Ó", "o"}, {"Ò", "o"}, {"Ô", "o"},
    {"Õ", "o"}, {"Ö", "o"}, {"Ú", "u"}, {"Ù", "u"}, {"Û", "u"}, {"Ü", "u"}, {"Ç", "c"}, {"Ñ", "n"},
};

// Lower-case base letters, other characters unchanged.
std::string folded(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& [accented, base] : kAccented) {
            if (text.substr(i).starts_with(accented)) {
                out += base;
                i += accented.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(text[i++])));
    }
    return out;
}

char asciiCase(char c, bool upper)
{
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x80)
        return c;
    return static_cast<char>(upper ? std::toupper(u) : std::tolower(u));
}

} // namespace

std::string siglaOfUf(std::string_view uf)
{
    const State* state = stateByUf(uf);
    return state ? std::string(state->sigla) : std::string();
}

std::string municipalitiesStatement(const std::string& sigla)
{
    return "SELECT nome,codigo FROM Municipios2000.dbf WHERE sigla = '" + sigla + "' ORDER BY nome";
}

std::string searchBoxCase(std::string_view text)
{
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = asciiCase(out[i], i == 0);
    return out;
}

bool beginsLike(std::string_view name, std::string_view prefix)
{
    return folded(name).starts_with(folded(prefix));
}

void MunicipalityChooser::load(daxo::platform::Query& query, std::string_view uf)
{
    rows_.clear();
    current_ = -1;
    try {
        query.close();
        query.clearSql();
        query.addLine(municipalitiesStatement(siglaOfUf(uf)));
        query.open();
        for (query.first(); !query.eof(); query.next())
            rows_.push_back({query.field("nome").asString(), query.field("codigo").asString()});
    } catch (const std::exception& e) {
        rows_.clear();
        throw MunicipalityTableError("Não foi possível ler a tabela de municípios: " + platform::userMessage(e));
    }
    if (!rows_.empty())
        current_ = 0;
}

void MunicipalityChooser::setCurrent(int row)
{
    if (row >= 0 && row < static_cast<int>(rows_.size()))
        current_ = row;
}

void MunicipalityChooser::addCurrent(ChosenList& list)
{
    if (current_ < 0)
        return;
    const Municipality& m = rows_[static_cast<std::size_t>(current_)];
    list.append(m.nome, m.codigo);
    setCurrent(current_ + 1);
}

void MunicipalityChooser::addAll(ChosenList& list) const
{
    list.clear();
    for (const Municipality& m : rows_)
        list.append(m.nome, m.codigo);
}

void MunicipalityChooser::search(std::string_view text)
{
    if (text.empty())
        return;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (beginsLike(rows_[i].nome, text)) {
            current_ = static_cast<int>(i);
            return;
        }
    }
}

} // namespace daxo::localities
