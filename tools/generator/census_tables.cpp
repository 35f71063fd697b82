#include "census_tables.h"

#include "measure.h"
#include "shapefile_writer.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>

namespace daxo::generator {
namespace {

using indicators::Definition;
using platform::DbfField;
using platform::FieldType;
using platform::Value;

constexpr std::size_t MaxValueColumns = 253;   // 255 fields with CODIGO and NIVEL_GEO
constexpr int MigrationIndicator = 14;

const std::array<const char*, 15> TablePrefix{"pop", "chefe", "dom", "fam", "pesfam", "contrib", "analf", "escola",
                                             "estudo", "pea", "ativ", "ocup", "rend", "defic", "migr"};

// Everything but the age: the definitions of one indicator row.
std::string rowKey(const Definition& d)
{
    std::ostringstream key;
    key << d.indicator << '|' << static_cast<int>(d.sex) << '|' << static_cast<int>(d.colour) << '|'
        << static_cast<int>(d.spouse) << '|' << d.garbage << '|' << d.garbageCollected << '|' << d.pipedWater << '|'
        << d.water << '|' << d.hasWater << '|' << d.sewage << '|' << d.sewageType << '|' << d.children0to6 << '|'
        << d.incomeBracket << '|' << d.occupiedPopulation << '|' << d.position << '|' << d.contributes << '|'
        << d.incomeType << '|' << d.deficiency << '|' << d.entry;
    return key.str();
}

std::string pairName(int indicator, int census, int part)
{
    std::string name = TablePrefix[indicator] + std::to_string(census);
    if (part > 0) name += static_cast<char>('a' + part);
    return name;
}

// One output record of a matrix table: a locality and where its value comes from.
struct LocalityRecord {
    std::string code;
    std::string name;
    int slot;          // aggregate slot, or -1 for a municipality
    int municipality;  // index when slot is -1
};

struct Localities {
    std::vector<LocalityRecord> upper;         // national, regions, states with their parts
    std::vector<LocalityRecord> microregions;
    std::vector<LocalityRecord> municipalities;
    int slotCount = 0;
};

// Slots: 0..2 Brasil (total, urban, rural); then 3 per region, 3 per state; then one per microregion.
Localities localities(const Atlas& atlas, const CensusModel& model)
{
    Localities l;
    auto addThree = [&](const std::string& code, const std::string& name, int slot) {
        l.upper.push_back({code, name, slot, -1});
        l.upper.push_back({code.size() == 1 && code == "0" ? "888" : code + "888", name + " Urbano", slot + 1, -1});
        l.upper.push_back({code.size() == 1 && code == "0" ? "999" : code + "999", name + " Rural", slot + 2, -1});
    };
    addThree("0", "Brasil", 0);
    int slot = 3;
    for (const RegionInfo& r : atlas.regions) { addThree(r.code, r.name, slot); slot += 3; }
    for (const AtlasState& s : atlas.states) { addThree(s.info.uf, s.info.name, slot); slot += 3; }
    for (const Microregion& m : atlas.microregions) l.microregions.push_back({m.code, m.name, slot++, -1});
    l.slotCount = slot;
    for (std::size_t m = 0; m < atlas.municipalities.size(); ++m)
        if (model.municipalities[m].exists)
            l.municipalities.push_back({atlas.municipalities[m].code, atlas.municipalities[m].name, -1, static_cast<int>(m)});
    return l;
}

int regionSlot(const Atlas& atlas, int state) { return 3 + 3 * atlas.states[state].region; }
int stateSlot(const Atlas& atlas, int state) { return 3 + 3 * static_cast<int>(atlas.regions.size()) + 3 * state; }
int microSlot(const Atlas& atlas, int micro)
{
    return 3 + 3 * static_cast<int>(atlas.regions.size() + atlas.states.size()) + micro;
}

struct Values {
    std::vector<std::vector<Fraction>> slots;          // [slot][definition]
    std::vector<std::vector<double>> municipalities;   // [municipality][definition]
};

Values computeValues(const Atlas& atlas, const CensusModel& model, const std::vector<Measure>& measures, int slotCount)
{
    const std::size_t n = measures.size();
    Values v;
    v.slots.assign(slotCount, std::vector<Fraction>(n));
    v.municipalities.resize(atlas.municipalities.size());
    AreaAttributes attributes;
    std::vector<Fraction> total(n);
    for (std::size_t m = 0; m < atlas.municipalities.size(); ++m) {
        if (!model.municipalities[m].exists) continue;
        const Municipality& mun = atlas.municipalities[m];
        std::fill(total.begin(), total.end(), Fraction{});
        for (int area = 0; area < AreaCount; ++area) {
            attributes.compute(model, m, area);
            const int areaSlots[] = {0, regionSlot(atlas, mun.state), stateSlot(atlas, mun.state)};
            for (std::size_t d = 0; d < n; ++d) {
                const Fraction f = evaluate(measures[d], attributes);
                total[d] += f;
                for (int base : areaSlots) v.slots[base + 1 + area][d] += f;
            }
        }
        const int totalSlots[] = {0, regionSlot(atlas, mun.state), stateSlot(atlas, mun.state), microSlot(atlas, mun.microregion)};
        v.municipalities[m].resize(n);
        for (std::size_t d = 0; d < n; ++d) {
            for (int s : totalSlots) v.slots[s][d] += total[d];
            v.municipalities[m][d] = valueOf(measures[d], total[d]);
        }
    }
    return v;
}

DbfField valueField(const std::string& name) { return {name, FieldType::Numeric, 14, 2}; }

void writeMatrixTable(const std::filesystem::path& file, const std::vector<std::size_t>& columns,
                      const std::vector<ColumnPlacement>& placements, const std::vector<Measure>& measures,
                      const Values& values, const std::vector<const std::vector<LocalityRecord>*>& recordSets)
{
    std::vector<DbfField> fields{{"CODIGO", FieldType::Character, 10, 0}, {"NIVEL_GEO", FieldType::Character, 60, 0}};
    for (std::size_t d : columns) fields.push_back(valueField(placements[d].column));
    platform::DbfTable table = platform::DbfTable::create(file, fields);
    for (const auto* records : recordSets)
        for (const LocalityRecord& r : *records) {
            const std::size_t row = table.appendRecord();
            table.setValue(row, 0, Value(r.code));
            table.setValue(row, 1, Value(r.name));
            for (std::size_t k = 0; k < columns.size(); ++k) {
                const std::size_t d = columns[k];
                const double value = r.slot >= 0 ? valueOf(measures[d], values.slots[r.slot][d])
                                                  : values.municipalities[r.municipality][d];
                table.setValue(row, static_cast<int>(k + 2), Value(value));
            }
        }
    table.save();
}

// Migration: one record per destination state and origin (another state or
// a region), with entries into and exits from the destination.
void writeMigrationTables(const Atlas& atlas, const CensusModel& model, const std::vector<std::size_t>& columns,
                          const std::vector<ColumnPlacement>& placements, const std::filesystem::path& basesDir)
{
    if (columns.empty()) return;
    std::vector<DbfField> fields{{"CODIGO", FieldType::Character, 10, 0}, {"codigo_de", FieldType::Character, 10, 0},
                                 {"NIVEL_GEO", FieldType::Character, 60, 0}};
    for (std::size_t d : columns) fields.push_back(valueField(placements[d].column));
    const ColumnPlacement& first = placements[columns.front()];
    platform::DbfTable table = platform::DbfTable::create(basesDir / first.tableMi, fields);
    const std::size_t n = atlas.states.size();
    auto moves = [&](const Definition& d, std::size_t from, std::size_t to) {
        std::int64_t count = 0;
        for (int sex = 0; sex < SexCount; ++sex)
            if (d.sex == indicators::Sex::All || static_cast<int>(d.sex) == sex + 1)
                count += model.migration.moves[sex][from][to];
        return count;
    };
    for (std::size_t dest = 0; dest < n; ++dest) {
        auto addRecord = [&](const std::string& origin, const std::vector<std::size_t>& origins) {
            const std::size_t row = table.appendRecord();
            table.setValue(row, 0, Value(atlas.states[dest].info.uf));
            table.setValue(row, 1, Value(origin));
            table.setValue(row, 2, Value(atlas.states[dest].info.name));
            for (std::size_t k = 0; k < columns.size(); ++k) {
                const Definition& d = placements[columns[k]].definition;
                std::int64_t count = 0;
                for (std::size_t o : origins)
                    if (o != dest) count += d.entry ? moves(d, o, dest) : moves(d, dest, o);
                table.setValue(row, static_cast<int>(k + 3), Value(static_cast<double>(count)));
            }
        };
        for (std::size_t o = 0; o < n; ++o)
            if (o != dest) addRecord(atlas.states[o].info.uf, {o});
        for (std::size_t r = 0; r < atlas.regions.size(); ++r) {
            std::vector<std::size_t> states;
            for (std::size_t s = 0; s < n; ++s)
                if (atlas.states[s].region == static_cast<int>(r)) states.push_back(s);
            addRecord(atlas.regions[r].code, states);
        }
    }
    table.save();
    // The municipal member of the pair has the same columns and no records:
    // migration is tabulated between states only.
    platform::DbfTable::create(basesDir / first.tableMu, fields).save();
}

void writeDefinitionTable(const std::filesystem::path& file, int census, const std::vector<ColumnPlacement>& placements)
{
    const std::string year = std::to_string(census);
    platform::DbfTable table = platform::DbfTable::create(file, {{"CODIGO", FieldType::Character, 10, 0},
                                                                 {"INDICADOR", FieldType::Character, 254, 0},
                                                                 {"TAB_MI" + year, FieldType::Character, 20, 0},
                                                                 {"TAB_MU" + year, FieldType::Character, 20, 0}});
    for (const ColumnPlacement& p : placements) {
        const std::size_t row = table.appendRecord();
        table.setValue(row, 0, Value(p.column));
        table.setValue(row, 1, Value(indicators::definitionText(p.definition)));
        table.setValue(row, 2, Value(p.tableMi));
        table.setValue(row, 3, Value(p.tableMu));
    }
    table.save();
}

} // namespace

std::vector<ColumnPlacement> placeColumns(const std::vector<Definition>& definitions, int census, std::size_t maxValueColumns)
{
    // Rows in order of first appearance, per indicator.
    std::map<int, std::vector<std::vector<std::size_t>>> rowsByIndicator;
    std::map<std::string, std::pair<int, std::size_t>> rowIndex;
    for (std::size_t i = 0; i < definitions.size(); ++i) {
        const std::string key = rowKey(definitions[i]);
        auto& rows = rowsByIndicator[definitions[i].indicator];
        auto [it, added] = rowIndex.try_emplace(key, definitions[i].indicator, rows.size());
        if (added) rows.emplace_back();
        rows[it->second.second].push_back(i);
    }
    std::vector<ColumnPlacement> placements(definitions.size());
    int columnNumber = 0;
    for (const auto& [indicator, rows] : rowsByIndicator) {
        int part = 0;
        std::size_t used = 0;
        for (const auto& row : rows) {
            if (used > 0 && used + row.size() > maxValueColumns) { ++part; used = 0; }
            const std::string name = pairName(indicator, census, part);
            for (std::size_t i : row) {
                char column[12];
                std::snprintf(column, sizeof column, "C%05d", ++columnNumber);
                placements[i] = {definitions[i], column, name + "mi.dbf", name + "mu.dbf"};
            }
            used += row.size();
        }
    }
    return placements;
}

std::vector<Definition> storableDefinitions(const std::vector<Definition>& definitions)
{
    std::vector<Definition> kept;
    std::set<std::string> texts;
    for (const Definition& d : definitions) {
        std::string text = indicators::definitionText(d);
        text.erase(text.find_last_not_of(' ') + 1);
        if (texts.insert(text).second) kept.push_back(d);
    }
    return kept;
}

CensusTablesSummary writeCensusTables(const Atlas& atlas, const CensusModel& model,
                                      const std::vector<Definition>& definitions, const std::filesystem::path& basesDir)
{
    const std::vector<ColumnPlacement> placements =
        placeColumns(storableDefinitions(definitions), model.census, MaxValueColumns);
    std::vector<Measure> measures;
    std::vector<std::size_t> measured;       // definition index of each measure
    std::vector<std::size_t> migration;
    for (std::size_t i = 0; i < placements.size(); ++i) {
        if (placements[i].definition.indicator == MigrationIndicator) { migration.push_back(i); continue; }
        measures.push_back(measureOf(placements[i].definition));
        measured.push_back(i);
    }
    const Localities places = localities(atlas, model);
    const Values values = computeValues(atlas, model, measures, places.slotCount);

    // Columns of each pair, as measure indices.
    std::map<std::string, std::vector<std::size_t>> pairs;
    for (std::size_t k = 0; k < measured.size(); ++k) pairs[placements[measured[k]].tableMi].push_back(k);
    std::vector<ColumnPlacement> measuredPlacements;
    for (std::size_t i : measured) measuredPlacements.push_back(placements[i]);

    CensusTablesSummary summary;
    summary.definitions = placements.size();
    for (const auto& [tableMi, columns] : pairs) {
        const ColumnPlacement& first = measuredPlacements[columns.front()];
        writeMatrixTable(basesDir / first.tableMi, columns, measuredPlacements, measures, values,
                         {&places.upper, &places.microregions});
        writeMatrixTable(basesDir / first.tableMu, columns, measuredPlacements, measures, values,
                         {&places.upper, &places.municipalities});
        summary.tables += 2;
    }
    writeMigrationTables(atlas, model, migration, placements, basesDir);
    if (!migration.empty()) summary.tables += 2;
    writeDefinitionTable(basesDir / ("Indicadores" + std::to_string(model.census) + ".dbf"), model.census, placements);
    return summary;
}

} // namespace daxo::generator
