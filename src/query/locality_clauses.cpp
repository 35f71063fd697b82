#include "locality_clauses.h"

#include <numeric>

namespace daxo::query {

namespace {

const std::vector<std::string> kRegionCodes = {"1", "2", "3", "4", "5"};

std::vector<std::string> withSuffix(const std::vector<std::string>& codes, const std::string& suffix)
{
    std::vector<std::string> out;
    for (const auto& c : codes)
        out.push_back(c + suffix);
    return out;
}

// Items made by `item` from each code, written one after the other with
// `separator` between them.
template <typename Item>
std::string joined(const std::vector<std::string>& codes, const std::string& separator, Item item)
{
    std::string out;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (i > 0)
            out += separator;
        out += item(codes[i]);
    }
    return out;
}

std::string notEqualItems(const std::vector<std::string>& codes)
{
    return joined(codes, " ", [](const std::string& c) { return " and CODIGO <> '" + c + "'"; });
}

std::string orEqualItems(const std::vector<std::string>& codes)
{
    return joined(codes, " ", [](const std::string& c) { return " or CODIGO = '" + c + "'"; });
}

// All states but the Distrito Federal with the suffix, then plain "53".
std::vector<std::string> statesWithSuffixButPlain53(const std::string& suffix)
{
    std::vector<std::string> codes;
    for (const auto& s : stateCodes())
        codes.push_back(s == "53" ? s : s + suffix);
    return codes;
}

std::string stateAndNotItems(const std::vector<std::string>& codes)
{
    return "  " + joined(codes, " ", [](const std::string& c) { return "and codigo <> '" + c + "'"; });
}

std::string stateOrItems(const std::vector<std::string>& codes)
{
    return "  " + joined(codes, " ", [](const std::string& c) { return "or codigo = '" + c + "'"; });
}

std::string stateEqualList()
{
    return joined(stateCodes(), " or ", [](const std::string& c) { return "codigo = '" + c + "'"; });
}

} // namespace

const std::vector<std::string>& stateCodes()
{
    static const std::vector<std::string> codes = {
        "11", "12", "13", "14", "15", "16", "17", "21", "22", "23", "24", "25", "26", "27",
        "28", "29", "31", "32", "33", "35", "41", "42", "43", "50", "51", "52", "53"};
    return codes;
}

namespace clause {

std::string ufJoin() { return "  LEFT OUTER JOIN UF.DBF ON SUBSTRING(CODIGO FROM 1 FOR 2) = UFCODIGO "; }

std::string regionOut() { return notEqualItems(kRegionCodes); }
std::string regionOut53() { return regionOut() + "  and CODIGO <> '53'"; }
std::string regionUrbanOut() { return notEqualItems(withSuffix(kRegionCodes, "888")); }
std::string regionUrbanOut53() { return regionUrbanOut() + "  and CODIGO <> '53888'"; }
std::string regionRuralOut() { return notEqualItems(withSuffix(kRegionCodes, "999")); }
std::string regionRuralOut53() { return regionRuralOut() + "  and CODIGO <> '53999'"; }
std::string nationalOut() { return " and CODIGO <> '999'  and CODIGO <> '888'  and CODIGO <> '0'"; }

std::string whereRegionOut53()
{
    return " where CODIGO <> '1'  and CODIGO <> '2'  and CODIGO <> '3'  and CODIGO <> '4'  and CODIGO <> '5'"
           "  and CODIGO <> '53'";
}

std::string stateOut()
{
    return "  " + joined(stateCodes(), " and ", [](const std::string& c) { return "codigo <> '" + c + "'"; });
}

std::string stateUrbanOut() { return stateAndNotItems(statesWithSuffixButPlain53("888")); }
std::string stateRuralOut() { return stateAndNotItems(statesWithSuffixButPlain53("999")); }
std::string nationalOut2() { return "  codigo <> '0' and codigo <> '888' and codigo <> '999'"; }

std::string whereRegion()
{
    return " where CODIGO = '1'  or CODIGO = '2'  or CODIGO = '3'  or CODIGO = '4'  or CODIGO = '5'";
}

std::string whereRegion53() { return whereRegion() + "  or CODIGO = '53'"; }
std::string regionUrban() { return orEqualItems(withSuffix(kRegionCodes, "888")); }
std::string regionUrban53() { return regionUrban() + "  or CODIGO = '53888'"; }
std::string regionRural() { return orEqualItems(withSuffix(kRegionCodes, "999")); }
std::string regionRural53() { return regionRural() + "  or CODIGO = '53999'"; }
std::string state() { return " or  " + stateEqualList(); }
std::string whereState() { return " where   " + stateEqualList(); }
std::string stateUrban() { return stateOrItems(withSuffix(stateCodes(), "888")); }
std::string stateUrbanB() { return stateOrItems(statesWithSuffixButPlain53("888")); }
std::string stateRural() { return stateOrItems(withSuffix(stateCodes(), "999")); }
std::string stateRuralB() { return stateOrItems(statesWithSuffixButPlain53("999")); }
std::string national() { return "  or codigo = '0' or codigo = '888' or codigo = '999'"; }
std::string whereNational() { return "  where codigo = '0' or codigo = '888' or codigo = '999'"; }

} // namespace clause

std::vector<std::string> joinExclusionLines()
{
    return {clause::regionOut(), clause::regionUrbanOut(), clause::regionRuralOut(), clause::nationalOut()};
}

std::string chosenLocalityFilter(const std::vector<std::string>& codes)
{
    return joined(codes, " or ", [](const std::string& c) { return " codigo = '" + escapeSqlText(c) + "'"; });
}

std::string escapeSqlText(const std::string& text)
{
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out;
}

} // namespace daxo::query
