// Checks over the small sample installation: every definition the panels can
// ask for is there, the counts add up across levels, the rates are sound,
// the national totals are the program's own, and the map layers nest.
#include "census_tables.h"
#include "geometry.h"
#include "source_data.h"
#include "text.h"
#include "sample_tables.h"

#include "indicators/age_groups.h"
#include "indicators/catalogue.h"
#include "indicators/definition.h"
#include "platform/dbf_table.h"
#include "platform/file_lookup.h"
#include "reports/national_totals.h"

#include <gtest/gtest.h>
#include <shapefil.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <iterator>
#include <set>
#include <tuple>

using namespace daxo::generator;
using namespace daxo::generator::testing;
using daxo::indicators::Colour;
using daxo::indicators::Definition;
using daxo::indicators::Sex;
namespace fs = std::filesystem;

namespace {

const std::set<int> CountIndicators{0, 2, 3, 9, 11, 13};

bool isCount(const Definition& d) { return CountIndicators.count(d.indicator) > 0; }

struct Column {
    std::map<std::string, double> mi, mu;
};

// Both tables of a definition's column, or nothing when the text is absent.
std::optional<Column> columnOf(const std::map<std::string, DefinitionRecord>& records, const Definition& d)
{
    std::string text = daxo::indicators::definitionText(d);
    text.erase(text.find_last_not_of(' ') + 1);   // the table keeps no trailing blanks
    const auto it = records.find(text);
    if (it == records.end()) return std::nullopt;
    return Column{columnValues(it->second.tableMi, it->second.codigo), columnValues(it->second.tableMu, it->second.codigo)};
}

bool startsWith(const std::string& s, const std::string& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

} // namespace

TEST(SampleDefinitions, EveryTermThePanelsCanAskForHasItsRecordTablesAndColumns)
{
    for (int census : {1991, 2000}) {
        const auto records = definitionRecords(census);
        const auto definitions = daxo::indicators::enumerateDefinitions(census);
        EXPECT_EQ(records.size(), storableDefinitions(definitions).size());
        EXPECT_EQ(census == 1991 ? smallSample().summary.definitions1991 : smallSample().summary.definitions2000,
                  records.size());
        for (const Definition& d : definitions) {
            // The table keeps no trailing blanks; a lookup compares without them.
            std::string text = daxo::indicators::definitionText(d);
            text.erase(text.find_last_not_of(' ') + 1);
            const auto it = records.find(text);
            ASSERT_NE(it, records.end()) << census << ": " << text;
            const DefinitionRecord& r = it->second;
            ASSERT_GE(r.tableMi.size(), 6u);
            EXPECT_EQ(r.tableMi.substr(0, r.tableMi.size() - 6) + "mu.dbf", r.tableMu) << text;
            for (const std::string& table : {r.tableMi, r.tableMu}) {
                const fs::path file = daxo::platform::findPath(smallSample().dir / "Bases" / table);
                ASSERT_TRUE(fs::exists(file)) << table;
                const auto fields = fieldNames(file);
                EXPECT_NE(std::find(fields.begin(), fields.end(), r.codigo), fields.end()) << table << " " << r.codigo;
            }
        }
    }
}

TEST(SampleDefinitions, TermsOfOneRowShareAPairAndNoTableExceeds255Fields)
{
    const auto definitions = daxo::indicators::enumerateDefinitions(2000);
    const auto placements = placeColumns(definitions, 2000, 20);
    std::map<std::string, std::size_t> columnsPerTable;
    // Two terms of one row differ in nothing but their age group.
    const auto sameRow = [](Definition a, Definition b) {
        for (Definition* d : {&a, &b}) {
            d->agePhrase.clear();
            d->ageMin = d->ageMax = 0;
            d->lowerCase = false;
        }
        return std::tie(a.indicator, a.sex, a.colour, a.spouse, a.garbage, a.garbageCollected, a.pipedWater, a.water,
                        a.hasWater, a.sewage, a.sewageType, a.children0to6, a.incomeBracket, a.occupiedPopulation,
                        a.position, a.contributes, a.incomeType, a.deficiency, a.entry) ==
               std::tie(b.indicator, b.sex, b.colour, b.spouse, b.garbage, b.garbageCollected, b.pipedWater, b.water,
                        b.hasWater, b.sewage, b.sewageType, b.children0to6, b.incomeBracket, b.occupiedPopulation,
                        b.position, b.contributes, b.incomeType, b.deficiency, b.entry);
    };
    std::size_t rowPairs = 0;
    for (std::size_t i = 0; i < placements.size(); ++i) {
        ++columnsPerTable[placements[i].tableMi];
        for (std::size_t j = i + 1; j < placements.size() && placements[j].definition.indicator == placements[i].definition.indicator; ++j)
            if (sameRow(placements[i].definition, placements[j].definition)) {
                ++rowPairs;
                EXPECT_EQ(placements[i].tableMi, placements[j].tableMi) << daxo::indicators::definitionText(placements[j].definition);
            }
    }
    EXPECT_GT(rowPairs, 1000u);
    for (const auto& [table, count] : columnsPerTable) EXPECT_LE(count, 20u) << table;

    for (const auto& entry : fs::directory_iterator(smallSample().dir / "Bases"))
        EXPECT_LE(fieldNames(entry.path()).size(), 255u) << entry.path();
}

TEST(SampleCounts, AddUpAcrossLevelsAndUrbanPlusRuralIsTheTotal)
{
    const auto regions = stateRegions();
    for (int census : {1991, 2000}) {
        const auto records = definitionRecords(census);
        for (const Definition& d : daxo::indicators::enumerateDefinitions(census)) {
            if (!isCount(d)) continue;
            const auto column = columnOf(records, d);
            ASSERT_TRUE(column);
            const std::string text = daxo::indicators::definitionText(d);
            std::map<std::string, double> regionSums;
            double national = 0;
            for (const auto& [uf, region] : regions) {
                double micros = 0, municipalities = 0;
                for (const auto& [code, value] : column->mi)
                    if (code.size() == 5 && startsWith(code, uf) && code != uf + "888" && code != uf + "999") micros += value;
                for (const auto& [code, value] : column->mu)
                    if (code.size() == 6 && startsWith(code, uf)) municipalities += value;
                const double state = column->mi.at(uf);
                EXPECT_NEAR(micros, state, 1e-6) << census << " " << uf << ": " << text;
                EXPECT_NEAR(municipalities, state, 1e-6) << census << " " << uf << ": " << text;
                EXPECT_NEAR(column->mu.at(uf), state, 1e-6) << text;
                regionSums[region] += state;
            }
            for (const auto& [region, sum] : regionSums) {
                EXPECT_NEAR(column->mi.at(region), sum, 1e-6) << census << " " << region << ": " << text;
                national += sum;
            }
            EXPECT_NEAR(column->mi.at("0"), national, 1e-6) << text;
            std::vector<std::pair<std::string, std::string>> parts{{"0", ""}};
            for (const auto& [region, sum] : regionSums) parts.emplace_back(region, region);
            for (const auto& [uf, region] : regions) parts.emplace_back(uf, uf);
            for (const auto& [total, prefix] : parts)
                EXPECT_NEAR(column->mi.at(prefix + "888") + column->mi.at(prefix + "999"), column->mi.at(total), 1e-6)
                    << census << " " << total << ": " << text;
        }
    }
}

TEST(SampleCounts, MenPlusWomenIsTheTotalAndNoColourExceedsIt)
{
    int sexChecks = 0, colourChecks = 0;
    for (int census : {1991, 2000}) {
        const auto records = definitionRecords(census);
        for (const Definition& d : daxo::indicators::enumerateDefinitions(census)) {
            if (!isCount(d) || d.sex != Sex::All || d.colour != Colour::All) continue;
            const auto total = columnOf(records, d);
            Definition male = d, female = d, white = d, black = d;
            male.sex = Sex::Male;
            female.sex = Sex::Female;
            white.colour = Colour::White;
            black.colour = Colour::BlackOrBrown;
            const std::string text = daxo::indicators::definitionText(d);
            const auto distinct = [&](const Definition& v) { return daxo::indicators::definitionText(v) != text; };
            const auto m = columnOf(records, male), f = columnOf(records, female);
            if (m && f && distinct(male) && distinct(female)) {
                ++sexChecks;
                for (const auto& [code, value] : total->mu)
                    EXPECT_NEAR(m->mu.at(code) + f->mu.at(code), value, 1e-6) << code << ": " << daxo::indicators::definitionText(d);
            }
            const auto w = columnOf(records, white), b = columnOf(records, black);
            if (w && b && distinct(white) && distinct(black)) {
                ++colourChecks;
                for (const auto& [code, value] : total->mi)
                    EXPECT_LE(w->mi.at(code) + b->mi.at(code), value + 1e-6) << code << ": " << daxo::indicators::definitionText(d);
            }
        }
    }
    EXPECT_GT(sexChecks, 100);
    EXPECT_GT(colourChecks, 50);
}

TEST(SampleRates, StayWithinBoundsAndFollowTheAggregatedCounts)
{
    const std::set<int> percentages{1, 5, 6, 7, 10};
    const auto regions = stateRegions();
    for (int census : {1991, 2000}) {
        const auto records = definitionRecords(census);
        for (const Definition& d : daxo::indicators::enumerateDefinitions(census)) {
            if (isCount(d) || d.indicator == 14) continue;
            const auto column = columnOf(records, d);
            const std::string text = daxo::indicators::definitionText(d);
            for (const auto* values : {&column->mi, &column->mu})
                for (const auto& [code, value] : *values) {
                    EXPECT_GE(value, 0) << code << ": " << text;
                    if (percentages.count(d.indicator)) {
                        EXPECT_LE(value, 100) << code << ": " << text;
                    }
                }
            // A rate of a state is a weighted mean of its municipalities'
            // rates, never outside their range.
            for (const auto& [uf, region] : regions) {
                double low = 1e300, high = -1e300;
                for (const auto& [code, value] : column->mu)
                    if (code.size() == 6 && startsWith(code, uf)) { low = std::min(low, value); high = std::max(high, value); }
                EXPECT_GE(column->mi.at(uf), low - 0.01) << uf << ": " << text;
                EXPECT_LE(column->mi.at(uf), high + 0.01) << uf << ": " << text;
            }
        }
    }
}

TEST(SampleCounts, NationalFiguresAreTheProgramsBuiltInTotals)
{
    using daxo::reports::NationalTotalChoice;
    const auto index = [](const std::vector<std::string>& items, const std::string& item) {
        const auto it = std::find(items.begin(), items.end(), item);
        return it == items.end() ? -1 : static_cast<int>(it - items.begin());
    };
    for (int census : {1991, 2000}) {
        const auto records = definitionRecords(census);
        const std::string censo = std::to_string(census);
        int checked = 0;
        double active = 0;
        for (const Definition& d : daxo::indicators::enumerateDefinitions(census)) {
            if (d.sex != Sex::All || d.colour != Colour::All) continue;
            NationalTotalChoice choice;
            choice.indicator = d.indicator;
            switch (d.indicator) {
            case 0:
                if (!d.agePhrase.empty()) continue;
                break;
            case 2:
                choice.lixoColetado = index(daxo::indicators::garbageItems(), d.garbage);
                choice.aguaCanalizada = d.pipedWater;
                choice.tipoAgua = d.hasWater ? index(daxo::indicators::waterItems(), d.water) : -1;
                choice.esgotamento = index(daxo::indicators::sewageItems(), d.sewageType);
                break;
            case 3:
                choice.criancas = d.children0to6;
                choice.rendimento = d.incomeBracket;
                break;
            case 9: {
                // The age groups of the panel, summed, are everybody of 10 or more.
                const auto& lists = daxo::indicators::ageLists(9, census);
                for (std::size_t k = 1; k < lists.first.size(); ++k)
                    if (std::to_string(d.ageMin) == lists.first[k] &&
                        (lists.last[k] == "ou mais" ? d.ageMax >= 999 : std::to_string(d.ageMax) == lists.last[k]))
                        active += columnOf(records, d)->mi.at("0");
                continue;
            }
            case 13:
                choice.deficiencia = d.deficiency;
                break;
            default:
                continue;
            }
            daxo::reports::TotalBrasil total;
            const double expected = total.CalculaTotalBrasil(censo, choice);
            EXPECT_EQ(columnOf(records, d)->mi.at("0"), expected) << censo << ": " << daxo::indicators::definitionText(d);
            ++checked;
        }
        daxo::reports::TotalBrasil pea;
        NationalTotalChoice choice;
        choice.indicator = 9;
        EXPECT_EQ(active, pea.CalculaTotalBrasil(censo, choice)) << censo;
        EXPECT_GT(checked, 20);
    }
}

TEST(SampleMigration, EntriesMirrorExitsAndRegionsSumTheirStates)
{
    daxo::platform::DbfTable table = daxo::platform::DbfTable::open(smallSample().dir / "Bases" / "migr2000mi.dbf");
    const auto records = definitionRecords(2000);
    Definition entry;
    entry.indicator = 14;
    entry.entry = true;
    Definition exit = entry;
    exit.entry = false;
    const int entryField = table.fieldIndex(records.at(daxo::indicators::definitionText(entry)).codigo);
    const int exitField = table.fieldIndex(records.at(daxo::indicators::definitionText(exit)).codigo);
    ASSERT_GE(entryField, 0);
    ASSERT_GE(exitField, 0);
    std::map<std::pair<std::string, std::string>, std::pair<double, double>> moves;
    for (std::size_t r = 0; r < table.recordCount(); ++r)
        moves[{table.value(r, table.fieldIndex("CODIGO")).asString(), table.value(r, table.fieldIndex("codigo_de")).asString()}] =
            {table.value(r, entryField).asFloat(), table.value(r, exitField).asFloat()};
    const auto regions = stateRegions();
    for (const auto& [destination, destinationRegion] : regions) {
        std::map<std::string, std::pair<double, double>> byRegion;
        for (const auto& [origin, originRegion] : regions) {
            if (origin == destination) continue;
            const auto there = moves.at({destination, origin});
            const auto back = moves.at({origin, destination});
            EXPECT_EQ(there.first, back.second) << destination << " <- " << origin;
            EXPECT_GT(there.first, 0);
            byRegion[originRegion].first += there.first;
            byRegion[originRegion].second += there.second;
        }
        for (const auto& [region, sums] : byRegion) {
            EXPECT_EQ(moves.at({destination, region}).first, sums.first) << destination << " <- " << region;
            EXPECT_EQ(moves.at({destination, region}).second, sums.second) << destination << " -> " << region;
        }
    }
}

TEST(SampleTables, LookupTablesHaveTheirColumns)
{
    const fs::path bases = smallSample().dir / "Bases";
    EXPECT_EQ(fieldNames(bases / "UF.DBF"), (std::vector<std::string>{"UFCODIGO", "UFSIGLA"}));
    EXPECT_EQ(fieldNames(bases / "NivelGeograficoUF.dbf"), (std::vector<std::string>{"CODIGO", "NOME", "regiao"}));
    EXPECT_EQ(fieldNames(bases / "Municipios2000.dbf"), (std::vector<std::string>{"nome", "codigo", "sigla"}));
    daxo::platform::DbfTable uf = daxo::platform::DbfTable::open(bases / "UF.DBF");
    std::map<std::string, std::string> siglaOf;
    for (std::size_t r = 0; r < uf.recordCount(); ++r) siglaOf[uf.value(r, 1).asString()] = uf.value(r, 0).asString();
    daxo::platform::DbfTable municipalities = daxo::platform::DbfTable::open(bases / "Municipios2000.dbf");
    std::set<std::string> codes;
    for (std::size_t r = 0; r < municipalities.recordCount(); ++r) {
        const std::string code = municipalities.value(r, 1).asString();
        EXPECT_EQ(code.size(), 6u);
        EXPECT_TRUE(startsWith(code, siglaOf.at(municipalities.value(r, 2).asString()))) << code;
        EXPECT_TRUE(codes.insert(code).second) << code;
    }
    EXPECT_EQ(codes.size(), smallSample().summary.municipalities);
}

namespace {

const std::vector<std::string> Values{"v01", "v02", "v03", "v04", "v05", "v06", "v07", "v08", "v09"};

std::vector<std::string> withValues(std::vector<std::string> names)
{
    names.insert(names.end(), Values.begin(), Values.end());
    return names;
}

// The rings and the area of every feature of a layer (outer rings clockwise,
// holes counter-clockwise).
struct Feature {
    std::vector<std::vector<std::pair<double, double>>> rings;
    double area = 0;
};

std::vector<Feature> readFeatures(const fs::path& shp)
{
    std::vector<Feature> features;
    SHPHandle handle = SHPOpen(shp.string().c_str(), "rb");
    if (!handle) return features;
    int count = 0;
    SHPGetInfo(handle, &count, nullptr, nullptr, nullptr);
    for (int i = 0; i < count; ++i) {
        SHPObject* o = SHPReadObject(handle, i);
        Feature f;
        for (int p = 0; p < o->nParts; ++p) {
            const int first = o->panPartStart[p], last = p + 1 < o->nParts ? o->panPartStart[p + 1] : o->nVertices;
            f.rings.emplace_back();
            double ring = 0;
            for (int v = first; v + 1 < last; ++v) {
                ring += o->padfX[v] * o->padfY[v + 1] - o->padfX[v + 1] * o->padfY[v];
                f.rings.back().emplace_back(o->padfX[v], o->padfY[v]);
            }
            f.area -= ring / 2;
        }
        features.push_back(std::move(f));
        SHPDestroyObject(o);
    }
    SHPClose(handle);
    return features;
}

std::vector<std::string> column(const fs::path& dbf, const std::string& field)
{
    daxo::platform::DbfTable table = daxo::platform::DbfTable::open(dbf);
    std::vector<std::string> values;
    for (std::size_t r = 0; r < table.recordCount(); ++r) values.push_back(table.value(r, table.fieldIndex(field)).asString());
    return values;
}

} // namespace

TEST(SampleMaps, AttributeTablesHaveTheFieldsTheProgramReads)
{
    const fs::path maps = smallSample().dir / "Mapas";
    const std::vector<std::pair<std::string, std::vector<std::string>>> national{
        {"Brasil", withValues({"ID", "NAME1_", "NAME2_", "REGDESC"})},
        {"Regioes", withValues({"ID", "NAME1_", "NAME2_", "REGDESC"})},
        {"Estados", withValues({"NAME1_", "ID", "NAME2_", "REGDESC", "SIGLA"})},
        {"MUNICIPIOS", withValues({"ID_", "NAME1_", "NAME2_", "REGDESC", "MICRO"})}};
    for (const auto& [base, fields] : national) {
        EXPECT_EQ(fieldNames(maps / (base + ".dbf")), fields) << base;
        EXPECT_EQ(fieldNames(daxo::platform::findPath(maps / ("i" + base + ".dbf"))), fields) << base;
        EXPECT_TRUE(fs::exists(maps / (base + ".shp")));
        EXPECT_TRUE(fs::exists(maps / (base + ".shx")));
    }
    EXPECT_EQ(column(maps / "Regioes.dbf", "NAME2_"), (std::vector<std::string>{"NORTE", "NORDESTE", "CENTRO-OESTE"}));
    EXPECT_EQ(column(maps / "Brasil.dbf", "NAME2_"), (std::vector<std::string>{"Brasil"}));

    std::size_t stateLayers = 0;
    for (const std::string& uf : column(maps / "Estados.dbf", "ID")) {
        const fs::path micro = maps / "Estados" / (uf + "MI2500G.dbf");
        const auto microFields = fieldNames(micro);
        EXPECT_EQ(microFields, withValues({"ID_", "GEOCODIGO", "MICRO", "UF", "SIGLA", "REGDESC", "NOME"}));
        EXPECT_EQ(microFields.at(6), "NOME");
        for (const std::string& name : column(micro, "NOME")) {
            EXPECT_EQ(name, capitalsWithoutAccents(name));
        }
        ++stateLayers;
    }
    for (const auto& entry : fs::directory_iterator(maps / "Estados")) {
        const std::string name = entry.path().filename().string();
        if (!startsWith(name, "ind_") || entry.path().extension() != ".dbf") continue;
        const auto fields = withValues({"ID_", "NAME1_", "NOME_MICRO", "MICRO", "REGDESC"});
        EXPECT_EQ(fieldNames(entry.path()), fields) << name;
        EXPECT_EQ(fieldNames(maps / "Estados" / ("i" + name)), fields) << name;
        for (const std::string& micro : column(entry.path(), "MICRO")) EXPECT_EQ(micro.size(), 6u);
        --stateLayers;
    }
    EXPECT_EQ(stateLayers, 0u);
}

namespace {

// A point inside a feature: the middle of the first span that a horizontal
// line through the middle of its largest part cuts out of it.
std::pair<double, double> innerPoint(const std::vector<std::vector<std::pair<double, double>>>& rings)
{
    const auto& ring = *std::max_element(rings.begin(), rings.end(), [](const auto& a, const auto& b) { return a.size() < b.size(); });
    double low = 1e300, high = -1e300;
    for (const auto& [x, y] : ring) { low = std::min(low, y); high = std::max(high, y); }
    const double y = low + (high - low) * 0.5031;   // off any vertex
    std::vector<double> cuts;
    for (const auto& part : rings)
        for (std::size_t i = 0, j = part.size() - 1; i < part.size(); j = i++)
            if ((part[i].second > y) != (part[j].second > y))
                cuts.push_back(part[j].first + (y - part[j].second) * (part[i].first - part[j].first) / (part[i].second - part[j].second));
    std::sort(cuts.begin(), cuts.end());
    return {(cuts.at(0) + cuts.at(1)) / 2, y};
}

bool inside(const std::vector<std::vector<std::pair<double, double>>>& rings, std::pair<double, double> p)
{
    Shape shape;
    for (const auto& ring : rings) {
        shape.emplace_back();
        for (const auto& [x, y] : ring) shape.back().push_back({x, y});
    }
    return contains(shape, {p.first, p.second});
}

} // namespace

TEST(SampleMaps, EveryLevelIsTheUnionOfTheLevelBelow)
{
    // Each feature of a level lies inside its parent, and the parent's area is
    // the sum of its children's: the parent is their union, without gaps.
    const fs::path maps = smallSample().dir / "Mapas";
    struct Level { std::vector<Feature> features; std::vector<std::string> keys; };
    const auto level = [](const fs::path& shp, const std::string& field, std::size_t keyLength) {
        Level l{readFeatures(shp), column(fs::path(shp).replace_extension(".dbf"), field)};
        for (std::string& key : l.keys) key = key.substr(0, keyLength);
        return l;
    };
    const Level country = level(maps / "Brasil.shp", "ID", 0);
    const Level regions = level(maps / "Regioes.shp", "ID", 1);
    const Level states = level(maps / "Estados.shp", "ID", 2);
    Level municipalities = level(maps / "MUNICIPIOS.shp", "ID_", 6);
    Level micros;
    std::map<std::string, std::string> regionOf = stateRegions();
    for (const std::string& uf : states.keys) {
        const Level m = level(maps / "Estados" / (uf + "MI2500G.shp"), "ID_", 5);
        micros.features.insert(micros.features.end(), m.features.begin(), m.features.end());
        micros.keys.insert(micros.keys.end(), m.keys.begin(), m.keys.end());
    }
    // Municipalities name their microregion by the layers' MICRO field.
    std::vector<std::string> microOf;
    for (const std::string& micro : column(maps / "MUNICIPIOS.dbf", "MICRO")) microOf.push_back(micro.substr(0, 2) + micro.substr(3));
    // The borders of the children that no other child walks back are exactly
    // the parent's borders: the parent is their union, without inner borders.
    const auto edges = [](const Feature& f, std::map<std::array<long, 4>, int>& count, bool cancel) {
        for (const auto& ring : f.rings)
            for (std::size_t i = 0; i < ring.size(); ++i) {
                const auto& a = ring[i];
                const auto& b = ring[(i + 1) % ring.size()];
                const auto grid = [](double v) { return std::lround(v * 1e4); };
                const std::array<long, 4> forward{grid(a.first), grid(a.second), grid(b.first), grid(b.second)};
                const std::array<long, 4> backward{forward[2], forward[3], forward[0], forward[1]};
                if (cancel && count[backward] > 0) --count[backward];
                else ++count[forward];
            }
    };
    const auto check = [&](const Level& parents, const Level& children, const auto& parentKey, const std::string& what) {
        ASSERT_FALSE(children.features.empty()) << what;
        std::vector<double> sums(parents.features.size(), 0);
        std::vector<std::map<std::array<long, 4>, int>> boundary(parents.features.size());
        for (std::size_t c = 0; c < children.features.size(); ++c) {
            const auto p = std::find(parents.keys.begin(), parents.keys.end(), parentKey(c));
            ASSERT_NE(p, parents.keys.end()) << what << " " << children.keys[c];
            const std::size_t k = p - parents.keys.begin();
            EXPECT_TRUE(inside(parents.features[k].rings, innerPoint(children.features[c].rings))) << what << " " << children.keys[c];
            sums[k] += children.features[c].area;
            edges(children.features[c], boundary[k], true);
        }
        for (std::size_t k = 0; k < parents.features.size(); ++k) {
            EXPECT_NEAR(sums[k], parents.features[k].area, 1e-9 * parents.features[k].area) << what << " " << parents.keys[k];
            std::map<std::array<long, 4>, int> own;
            edges(parents.features[k], own, false);
            std::erase_if(boundary[k], [](const auto& e) { return e.second == 0; });
            std::erase_if(own, [](const auto& e) { return e.second == 0; });
            EXPECT_EQ(boundary[k], own) << what << " " << parents.keys[k];
        }
    };
    check(micros, municipalities, [&](std::size_t c) { return microOf[c]; }, "municipality in microregion");
    check(states, municipalities, [&](std::size_t c) { return municipalities.keys[c].substr(0, 2); }, "municipality in state");
    check(states, micros, [&](std::size_t c) { return micros.keys[c].substr(0, 2); }, "microregion in state");
    check(regions, states, [&](std::size_t c) { return regionOf.at(states.keys[c]); }, "state in region");
    check(country, regions, [](std::size_t) { return std::string(); }, "region in Brasil");
    EXPECT_EQ(country.features.size(), 1u);
}

TEST(SampleInstallation, TheSameSeedGivesTheSameFiles)
{
    InstallationOptions options;
    options.outputDir = smallSample().dir.string() + "_again";
    options.dataDir = DAXO_DATA_DIR;
    options.small = true;
    options.seed = 7;
    generateInstallation(options);
    for (const std::string file : {"Bases/pop2000mu.dbf", "Bases/Indicadores1991.dbf", "Mapas/MUNICIPIOS.shp"}) {
        std::ifstream a(smallSample().dir / file, std::ios::binary), b(options.outputDir / file, std::ios::binary);
        const std::string first((std::istreambuf_iterator<char>(a)), {}), second((std::istreambuf_iterator<char>(b)), {});
        EXPECT_FALSE(first.empty());
        EXPECT_EQ(first, second) << file;
    }
    fs::remove_all(options.outputDir);
}

TEST(SampleRates, IlliteracyIsTheIlliterateOverThePeopleOfTheSameGroup)
{
    // A state's rate, rebuilt from its municipalities' rates weighted by the
    // population of the same sex, colour and ages, is the state's rate.
    const auto& populationGroups = daxo::indicators::ageLists(0, 2000);
    int checked = 0;
    for (int census : {1991, 2000}) {
        const auto records = definitionRecords(census);
        for (const Definition& d : daxo::indicators::enumerateDefinitions(census)) {
            if (d.indicator != 6 || d.agePhrase.empty()) continue;
            std::map<std::string, double> people;
            for (int k = 1; k < static_cast<int>(populationGroups.first.size()); ++k) {
                const daxo::indicators::AgeGroup age = daxo::indicators::ageGroups(0, populationGroups, k, k, false).at(0);
                if (age.min < d.ageMin || age.max > d.ageMax) continue;
                Definition group;
                group.census = census;
                group.sex = d.sex;
                group.colour = d.colour;
                group.agePhrase = age.phrase;
                group.ageMin = age.min;
                group.ageMax = age.max;
                const auto column = columnOf(records, group);
                ASSERT_TRUE(column) << daxo::indicators::definitionText(group);
                for (const auto& [code, value] : column->mu) people[code] += value;
            }
            const auto rates = columnOf(records, d);
            for (const auto& [uf, region] : stateRegions()) {
                double weighted = 0, total = 0;
                for (const auto& [code, rate] : rates->mu)
                    if (code.size() == 6 && startsWith(code, uf)) {
                        weighted += rate * people.at(code);
                        total += people.at(code);
                    }
                ASSERT_GT(total, 0);
                EXPECT_NEAR(weighted / total, rates->mi.at(uf), 0.01) << uf << ": " << daxo::indicators::definitionText(d);
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 50);
}

TEST(SampleMunicipalities, RealCodesMicroregionsAndPopulationsScaledToTheNationalTotals)
{
    const SourceData source = loadSourceData(DAXO_DATA_DIR);
    const std::map<std::string, std::pair<std::string, std::string>> known{
        {"120040", {"Rio Branco", "12004"}}, {"120020", {"Cruzeiro do Sul", "12001"}},
        {"280030", {"Aracaju", "28011"}}, {"530010", {"Brasília", "53001"}}};
    const fs::path maps = smallSample().dir / "Mapas";
    const auto ids = column(maps / "MUNICIPIOS.dbf", "ID_"), names = column(maps / "MUNICIPIOS.dbf", "NAME1_");
    const auto micros = column(maps / "MUNICIPIOS.dbf", "MICRO");
    for (const auto& [code, expected] : known) {
        const auto at = std::find(ids.begin(), ids.end(), code);
        ASSERT_NE(at, ids.end()) << code;
        const std::size_t k = at - ids.begin();
        EXPECT_EQ(names[k], expected.first);
        // The layers carry the microregion as UF + four digits.
        EXPECT_EQ(micros[k], expected.second.substr(0, 2) + "0" + expected.second.substr(2)) << code;
    }

    // Every municipality's population of both censuses is its real one,
    // scaled so that the states generated hold the national total.
    const auto records1991 = definitionRecords(1991), records2000 = definitionRecords(2000);
    for (int census : {1991, 2000}) {
        Definition population;
        population.census = census;
        const auto values = columnOf(census == 1991 ? records1991 : records2000, population);
        ASSERT_TRUE(values);
        const int k = census == 1991 ? 0 : 1;
        const auto regions = stateRegions();
        double real = 0;
        std::size_t municipalities = 0;
        for (const SourceMunicipality& m : source.municipalities)
            if (regions.count(m.code.substr(0, 2)) && (census == 2000 || m.in1991)) {
                real += m.population[k];
                ++municipalities;
            }
        const double scale = values->mi.at("0") / real;
        std::size_t checked = 0;
        for (const SourceMunicipality& m : source.municipalities) {
            const auto it = values->mu.find(m.code);
            if (census == 1991 && !m.in1991) {
                EXPECT_EQ(it, values->mu.end()) << m.code;
                continue;
            }
            if (it == values->mu.end()) continue;
            EXPECT_NEAR(it->second, m.population[k] * scale, 1.0) << census << " " << m.code;
            ++checked;
        }
        EXPECT_EQ(checked, municipalities);
        EXPECT_EQ(checked, census == 1991 ? smallSample().summary.municipalities1991 : smallSample().summary.municipalities);
    }
}
