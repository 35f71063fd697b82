// The sample installation through the program's own table engine: every
// term is found by the lookup of the indicator rows, and the matrix tables
// answer the per-locality statement with the state join.
#include "census_tables.h"
#include "sample_tables.h"

#include "indicators/definition.h"
#include "indicators/definition_lookup.h"
#include "platform/engine.h"

#include <gtest/gtest.h>

#include <set>

using namespace daxo;
using namespace daxo::generator::testing;

TEST(SampleThroughTheEngine, EveryTermIsFoundByTheLookupOfTheRows)
{
    platform::Session session(smallSample().dir / "Bases");
    platform::Query query(session);
    for (int census : {1991, 2000}) {
        const std::string year = std::to_string(census);
        for (const indicators::Definition& d : indicators::enumerateDefinitions(census)) {
            const std::string text = indicators::definitionText(d);
            const std::string term = (d.lowerCase ? " indicador = '" : " Indicador = '") + text + "'";
            ASSERT_NO_THROW(indicators::BuscaIndicador(query, year, term)) << term;
            EXPECT_EQ(query.rowCount(), 1) << term;
            EXPECT_FALSE(query.field("TAB_MI" + year).asString().empty()) << term;
            query.close();
        }
    }
}

TEST(SampleThroughTheEngine, MatrixTablesAnswerTheStatementWithTheStateJoin)
{
    platform::Session session(smallSample().dir / "Bases");
    platform::Query query(session);
    const auto records = definitionRecords(2000);
    std::set<std::string> tablesSeen;
    for (const auto& [text, record] : records) {
        if (!tablesSeen.insert(record.tableMi).second || record.tableMi.rfind("migr", 0) == 0) continue;
        for (const std::string& table : {record.tableMi, record.tableMu}) {
            query.clearSql();
            query.addLine("SELECT NIVEL_GEO AS Localidade, CODIGO, UFSIGLA , " + record.codigo + " FROM " + table +
                          " LEFT OUTER JOIN UF.DBF  ON \tSUBSTRING(CODIGO FROM 1 FOR 2) = UFCODIGO ");
            query.addLine(" and CODIGO <> '1'  and CODIGO <> '2'  and CODIGO <> '3'  and CODIGO <> '4'  and CODIGO <> '5'");
            query.addLine("    WHERE  codigo = '28' or  codigo = '0' ORDER BY codigo");
            ASSERT_NO_THROW(query.open()) << table;
            ASSERT_EQ(query.rowCount(), 2) << table;
            EXPECT_EQ(query.field("Localidade").asString(), "Brasil");
            query.next();
            EXPECT_EQ(query.field("Localidade").asString(), "Sergipe");
            EXPECT_EQ(query.field("UFSIGLA").asString(), "SE");
            EXPECT_EQ(query.field(3).asFloat(), columnValues(table, record.codigo).at("28")) << table;
            query.close();
        }
    }
    EXPECT_GE(tablesSeen.size(), 15u);
}

TEST(SampleThroughTheEngine, MigrationTablesAnswerTheRegionSum)
{
    platform::Session session(smallSample().dir / "Bases");
    platform::Query query(session);
    indicators::Definition entry;
    entry.indicator = 14;
    entry.entry = true;
    const DefinitionRecord record = definitionRecords(2000).at(indicators::definitionText(entry));
    // Entries into the Nordeste states (Sergipe only in the small sample) from Acre.
    query.addLine("SELECT 'Nordeste' as Localidade, '2' as CODIGO,1, sum(" + record.codigo + ")  as vIndicador FROM " +
                  record.tableMi + " WHERE ( codigo = '28') and   codigo_de = '12'");
    ASSERT_NO_THROW(query.open());
    ASSERT_EQ(query.rowCount(), 1);
    const double fromAcre = query.field("vIndicador").asFloat();
    EXPECT_GT(fromAcre, 0);
    query.close();
    query.clearSql();
    query.addLine("SELECT NIVEL_GEO AS Localidade, CODIGO, UFSIGLA , " + record.codigo + " FROM " + record.tableMi +
                  " LEFT OUTER JOIN UF.DBF  ON \tSUBSTRING(CODIGO FROM 1 FOR 2) = UFCODIGO ");
    query.addLine("    WHERE (  codigo = '28') and   codigo_de = '1' ORDER BY codigo");
    ASSERT_NO_THROW(query.open());
    ASSERT_EQ(query.rowCount(), 1);
    EXPECT_EQ(query.field("Localidade").asString(), "Sergipe");
    EXPECT_EQ(query.field(3).asFloat(), fromAcre);   // Acre is the only Norte state of the sample
}
