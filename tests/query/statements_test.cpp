#include "query/bulk_insert.h"
#include "query/locality_clauses.h"
#include "query/runner_statements.h"

#include <gtest/gtest.h>

using namespace daxo::query;

namespace {

const std::string kHead = " insert into temp.dbf ( censo, localidade , codigo  , Total";
const std::string kSelect = " select '1991',UFSIGLA||\" \"||nivel_geo ||'-1991' ,  codigo ,P001";

std::vector<std::string> concat(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

} // namespace

TEST(LocalityClauses, ExclusionAndSelectionLinesKeepTheirBlanks)
{
    EXPECT_EQ(clause::regionOut(),
              " and CODIGO <> '1'  and CODIGO <> '2'  and CODIGO <> '3'  and CODIGO <> '4'  and CODIGO <> '5'");
    EXPECT_EQ(clause::regionUrbanOut53(),
              " and CODIGO <> '1888'  and CODIGO <> '2888'  and CODIGO <> '3888'  and CODIGO <> '4888'"
              "  and CODIGO <> '5888'  and CODIGO <> '53888'");
    EXPECT_EQ(clause::regionUrban(),
              " or CODIGO = '1888'  or CODIGO = '2888'  or CODIGO = '3888'  or CODIGO = '4888'  or CODIGO = '5888'");
    EXPECT_EQ(clause::whereRegion53(), clause::whereRegion() + "  or CODIGO = '53'");

    const std::string stateOut = clause::stateOut();
    EXPECT_EQ(stateOut.substr(0, 22), "  codigo <> '11' and c");
    EXPECT_TRUE(stateOut.ends_with(" and codigo <> '53'"));

    // The urban lists end with the plain Distrito Federal code, not 53888.
    const std::string urbanOut = clause::stateUrbanOut();
    EXPECT_EQ(urbanOut.substr(0, 25), "  and codigo <> '11888' a");
    EXPECT_TRUE(urbanOut.ends_with("and codigo <> '52888' and codigo <> '53'"));
    EXPECT_NE(clause::stateUrban().find("or codigo = '53888'"), std::string::npos);
    EXPECT_TRUE(clause::stateRuralB().ends_with("or codigo = '52999' or codigo = '53'"));
    EXPECT_EQ(clause::state().substr(0, 20), " or  codigo = '11' o");
    EXPECT_EQ(clause::whereState().substr(0, 22), " where   codigo = '11'");
}

TEST(LocalityClauses, ChosenLocalityFilterJoinsWithOr)
{
    EXPECT_EQ(chosenLocalityFilter({"29"}), " codigo = '29'");
    EXPECT_EQ(chosenLocalityFilter({"29", "0", "1888"}), " codigo = '29' or  codigo = '0' or  codigo = '1888'");
    EXPECT_EQ(escapeSqlText("Santa Bárbara d'Oeste"), "Santa Bárbara d''Oeste");
}

TEST(BulkInsert, AllMunicipalitiesAloneIn1991)
{
    const auto lines = bulkInsertLines(1991, kHead, kSelect, "pop1991mu.dbf", {.todosMunicipios = true});
    using namespace clause;
    const std::vector<std::string> expected = concat({
        {kHead + ")" + kSelect + " from pop1991mu.dbf" + ufJoin()},
        {regionOut(), regionUrbanOut(), regionRuralOut(), nationalOut()},
        {whereRegionOut53(), regionUrbanOut53(), regionRuralOut53(), nationalOut()},
        {and_(), stateOut(), stateUrbanOut(), stateRuralOut(), nationalOut()},
        {and_(), nationalOut2()},
    });
    EXPECT_EQ(lines, expected);
}

TEST(BulkInsert, AllMunicipalitiesAndRegionsWithBrasilSelectsWithoutNationalLines)
{
    const auto lines = bulkInsertLines(2000, kHead, kSelect, "t.dbf",
                                       {.todosMunicipios = true, .todasRegioes = true, .temBrasil = true});
    using namespace clause;
    const std::vector<std::string> expected = concat({
        {kHead + ")" + kSelect + " from t.dbf" + ufJoin()},
        {regionOut53(), regionUrbanOut53(), regionRuralOut53(), nationalOut()},
        {where(), stateOut(), stateUrbanOut(), stateRuralOut()},
    });
    EXPECT_EQ(lines, expected);
}

TEST(BulkInsert, AllStatesAloneIn2000AndRegionCombinations)
{
    using namespace clause;
    auto states = bulkInsertLines(2000, kHead, kSelect, "t.dbf", {.todasUFs = true});
    EXPECT_EQ(std::vector<std::string>(states.begin() + 5, states.end()),
              (std::vector<std::string>{whereState(), stateUrbanB(), stateRuralB()}));

    auto regions = bulkInsertLines(1991, kHead, kSelect, "t.dbf", {.todasRegioes = true, .temBrasil = true});
    EXPECT_EQ(std::vector<std::string>(regions.begin() + 5, regions.end()),
              (std::vector<std::string>{whereRegion(), regionUrban(), regionRural(), national()}));

    auto both = bulkInsertLines(1991, kHead, kSelect, "t.dbf", {.todasUFs = true, .todasRegioes = true});
    EXPECT_EQ(std::vector<std::string>(both.begin() + 5, both.end()),
              (std::vector<std::string>{whereRegion(), regionUrban53(), regionRural53(), state(), stateUrban(),
                                        stateRural()}));

    auto brasil = bulkInsertLines(2000, kHead, kSelect, "t.dbf", {.temBrasil = true});
    EXPECT_EQ(brasil.back(), whereNational());
}

TEST(RunnerStatements, MatrixStatementsAandB)
{
    const auto a = matrixStatement(MatrixTable::Mi, false, "P001+P002", "pop2000mi.dbf", " codigo = '29'");
    ASSERT_EQ(a.size(), 6u);
    EXPECT_EQ(a[0], "SELECT NIVEL_GEO AS Localidade, CODIGO, UFSIGLA , P001+P002 FROM pop2000mi.dbf LEFT OUTER "
                    "JOIN UF.DBF  ON \tSUBSTRING(CODIGO FROM 1 FOR 2) = UFCODIGO ");
    EXPECT_EQ(a[1], clause::regionOut());
    EXPECT_EQ(a[4], clause::nationalOut());
    EXPECT_EQ(a[5], "    WHERE  codigo = '29' ORDER BY codigo");

    const auto b = matrixStatement(MatrixTable::Mu, false, "P001", "pop2000mu.dbf", " codigo = '29'");
    EXPECT_EQ(b[0], "SELECT NIVEL_GEO AS Localidade, CODIGO, UFSIGLA ,P001 FROM pop2000mu.dbf  LEFT OUTER JOIN "
                    "UF.DBF ON \tSUBSTRING(CODIGO FROM 1 FOR 2) = UFCODIGO    ");
    EXPECT_EQ(b[5], " WHERE   codigo = '29' ORDER BY codigo");

    const auto ageB = matrixStatement(MatrixTable::Mu, true, "E1", "x.dbf", " codigo = '1'");
    EXPECT_EQ(ageB[0], "SELECT NIVEL_GEO AS Localidade, CODIGO, UFSIGLA, E1 FROM x.dbf  LEFT OUTER JOIN UF.DBF ON "
                       "SUBSTRING( CODIGO FROM 1 FOR 2) = UFCODIGO    ");
}

TEST(RunnerStatements, BulkHeadsPerCensus)
{
    EXPECT_EQ(bulkSelectHead(1991, ""), " select '1991',UFSIGLA||\" \"||nivel_geo ||'-1991' ,  codigo ");
    EXPECT_EQ(bulkSelectHead(2000, ""), " select '2000',UFSIGLA||\" \"||nivel_geo ||'-2000'  , codigo ");
    EXPECT_EQ(bulkSelectHead(2000, "de 0 a 3 anos "),
              " select '2000',nivel_geo ||'-2000'  ,  'de 0 a 3 anos ' , codigo ");
    EXPECT_EQ(bulkInsertHead(true), " insert into temp.dbf ( censo, localidade , idade, codigo ");
}

TEST(RunnerStatements, WorkTableWritesQuoteTheLocalityName)
{
    WorkTableCell cell{.census = "2000", .code = "354580", .column = "Mas", .valueText = "1234.5"};
    const std::string label = localityLabel("2000", "SP", "Santa Bárbara d'Oeste", false);
    EXPECT_EQ(insertStatement(cell, label),
              (std::vector<std::string>{" Insert into temp (CENSO, Localidade, codigo, Mas ) values ",
                                        " ( '2000','SP Santa Bárbara d''Oeste-2000' , '354580', 1234.5 ); "}));
    EXPECT_EQ(existenceCheck(cell),
              (std::vector<std::string>{"SELECT 1  FROM temp WHERE codigo = '354580'", " and censo = '2000'"}));
    EXPECT_EQ(updateStatement(cell, true)[0], " update temp set  Mas = :valor ");
    EXPECT_EQ(updateStatement(cell, false)[2], " and censo  = '2000'");

    cell.ageText = "de 0 a 3 anos ";
    EXPECT_EQ(insertStatement(cell, localityLabel("2000", "SP", "X", false))[1],
              " ( '2000','SP X-2000','de 0 a 3 anos ' , '354580', 1234.5 ); ");
    EXPECT_EQ(updateStatement(cell, false).back(), " and idade  = 'de 0 a 3 anos '");
    EXPECT_EQ(localityLabel("1991", "", "Norte", true), "Norte-1991");
    EXPECT_EQ(sqlNumber("1234,5"), "1234.5");
    EXPECT_EQ(ageColumnText("de 60 anos ou mais de idade"), "de 60 anos ou mais ");
}

TEST(RunnerStatements, MigrationRegionSum)
{
    EXPECT_EQ(migrationRegionStatement(MatrixTable::Mi, "Norte", "1", "E01", "mig2000mi.dbf",
                                       "( codigo = '11' OR  codigo = '12') and   codigo_de = '29'"),
              "SELECT 'Norte' as Localidade, '1' as CODIGO,1, sum(E01)  as vIndicador FROM mig2000mi.dbf WHERE "
              "( codigo = '11' OR  codigo = '12') and   codigo_de = '29'");
}
