// Checks over the small sample installation: every definition the panels can
// ask for is there, the counts add up across levels, the rates are sound,
// the national totals are the program's own, and the map layers nest.
#include "census_tables.h"
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

TEST(SampleMunicipalities, TheOnesCreatedAfter1991HaveNo1991Values)
{
    const auto records1991 = definitionRecords(1991), records2000 = definitionRecords(2000);
    Definition population;
    population.census = 1991;
    const auto old = columnOf(records1991, population);
    population.census = 2000;
    const auto current = columnOf(records2000, population);
    std::size_t municipalities1991 = 0, municipalities2000 = 0;
    for (const auto& [code, value] : old->mu)
        if (code.size() == 6) {
            ++municipalities1991;
            EXPECT_TRUE(current->mu.count(code)) << code;
            EXPECT_GT(value, 0) << code;
        }
    for (const auto& [code, value] : current->mu) municipalities2000 += code.size() == 6;
    EXPECT_EQ(municipalities2000, smallSample().summary.municipalities);
    EXPECT_EQ(municipalities1991, smallSample().summary.municipalities1991);
    EXPECT_LT(municipalities1991, municipalities2000);
    EXPECT_NE(old->mi.at("0"), current->mi.at("0"));
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

// Area of every feature of a layer (parts summed, holes none).
std::vector<double> featureAreas(const fs::path& shp)
{
    std::vector<double> areas;
    SHPHandle handle = SHPOpen(shp.string().c_str(), "rb");
    if (!handle) return areas;
    int count = 0;
    SHPGetInfo(handle, &count, nullptr, nullptr, nullptr);
    for (int i = 0; i < count; ++i) {
        SHPObject* o = SHPReadObject(handle, i);
        double area = 0;
        for (int p = 0; p < o->nParts; ++p) {
            const int first = o->panPartStart[p], last = p + 1 < o->nParts ? o->panPartStart[p + 1] : o->nVertices;
            double ring = 0;
            for (int v = first; v + 1 < last; ++v) ring += o->padfX[v] * o->padfY[v + 1] - o->padfX[v + 1] * o->padfY[v];
            area += std::fabs(ring) / 2;
        }
        areas.push_back(area);
        SHPDestroyObject(o);
    }
    SHPClose(handle);
    return areas;
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

TEST(SampleMaps, LevelsNestExactly)
{
    const fs::path maps = smallSample().dir / "Mapas";
    const auto states = featureAreas(maps / "Estados.shp");
    const auto stateCodes = column(maps / "Estados.dbf", "ID");
    const auto municipalities = featureAreas(maps / "MUNICIPIOS.shp");
    const auto municipalityCodes = column(maps / "MUNICIPIOS.dbf", "ID_");
    ASSERT_EQ(states.size(), stateCodes.size());
    double all = 0;
    for (std::size_t s = 0; s < states.size(); ++s) {
        double sum = 0;
        for (std::size_t m = 0; m < municipalities.size(); ++m)
            if (startsWith(municipalityCodes[m], stateCodes[s])) sum += municipalities[m];
        EXPECT_NEAR(sum, states[s], 1e-9 * states[s]) << stateCodes[s];
        double micros = 0;
        for (double a : featureAreas(maps / "Estados" / (stateCodes[s] + "MI2500G.shp"))) micros += a;
        EXPECT_NEAR(micros, states[s], 1e-9 * states[s]) << stateCodes[s];
        all += states[s];
    }
    double regions = 0;
    for (double a : featureAreas(maps / "Regioes.shp")) regions += a;
    EXPECT_NEAR(regions, all, 1e-9 * all);
    EXPECT_NEAR(featureAreas(maps / "Brasil.shp").at(0), all, 1e-9 * all);
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
