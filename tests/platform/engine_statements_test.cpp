// The statements the program sends, copied as the program writes them, run
// against a small installation.
#include "platform/engine.h"
#include "test_installation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

namespace daxo::platform {
namespace {

using testing::makeInstallation;
using testing::TempFolder;

// Clause lines of the locality filters.

const std::vector<std::string> kStates = {"11", "12", "13", "14", "15", "16", "17", "21", "22", "23", "24", "25", "26", "27",
                                          "28", "29", "31", "32", "33", "35", "41", "42", "43", "50", "51", "52", "53"};

std::string listOver(const std::vector<std::string>& codes, const std::string& pre, const std::string& post,
                     const std::string& sep)
{
    std::string s;
    for (std::size_t i = 0; i < codes.size(); ++i)
        s += (i ? sep : "") + pre + codes[i] + post;
    return s;
}

std::vector<std::string> suffixed(const std::string& suffix, bool plain53)
{
    std::vector<std::string> out;
    for (const auto& s : kStates)
        out.push_back(s == "53" && plain53 ? s : s + suffix);
    return out;
}

const std::string kRegionOut = " and CODIGO <> '1'  and CODIGO <> '2'  and CODIGO <> '3'  and CODIGO <> '4'  and CODIGO <> '5'";
const std::string kRegionUrbanOut = " and CODIGO <> '1888'  and CODIGO <> '2888'  and CODIGO <> '3888'  and CODIGO <> '4888'  and CODIGO <> '5888'";
const std::string kRegionRuralOut = " and CODIGO <> '1999'  and CODIGO <> '2999'  and CODIGO <> '3999'  and CODIGO <> '4999'  and CODIGO <> '5999'";
const std::string kNationalOut = " and CODIGO <> '999'  and CODIGO <> '888'  and CODIGO <> '0'";
const std::string kUfJoin = "  LEFT OUTER JOIN UF.DBF ON SUBSTRING(CODIGO FROM 1 FOR 2) = UFCODIGO ";
const std::string kWhereRegion = " where CODIGO = '1'  or CODIGO = '2'  or CODIGO = '3'  or CODIGO = '4'  or CODIGO = '5'";

class Statements : public ::testing::Test {
protected:
    TempFolder root;
    std::unique_ptr<Session> session;
    std::unique_ptr<Query> q;

    void SetUp() override
    {
        makeInstallation(root.path());
        session = std::make_unique<Session>(root.path() / "Bases");
        q = std::make_unique<Query>(*session);
    }

    void run(std::initializer_list<std::string> lines)
    {
        q->close();
        q->clearSql();
        for (const auto& l : lines)
            q->addLine(l);
        q->execute();
    }

    void open(std::initializer_list<std::string> lines)
    {
        q->close();
        q->clearSql();
        for (const auto& l : lines)
            q->addLine(l);
        q->open();
    }

    void createTemp(bool withAge, std::initializer_list<std::string> columns)
    {
        std::string sql = withAge ? " CREATE TABLE \"Temp.dbf\" ( Censo Character(10),  Localidade Character(254), "
                                    "Idade Character(50),  Codigo Character(06) "
                                  : " CREATE TABLE \"Temp.dbf\" ( Censo Character(10),  Localidade Character(254), "
                                    "Codigo Character(06) ";
        for (const auto& c : columns)
            sql += " , " + c + "  Decimal(10,2) ";
        sql += ");";
        try {
            run({sql});
        } catch (const EngineError&) {
            run({" drop table \"temp.dbf\" "});
            run({sql});
        }
    }

    // Existence check, then insert or update with the :valor retry, as the
    // work-table writer does.
    void writeCell(const std::string& year, const std::string& sigla, const std::string& place,
                   const std::string& code, const std::string& column, const std::string& valueText)
    {
        open({"SELECT 1  FROM temp WHERE codigo = '" + code + "'", " and censo = '" + year + "'"});
        const bool exists = !q->eof();
        if (!exists) {
            std::string v = valueText;
            if (auto comma = v.find(','); comma != std::string::npos)
                v[comma] = '.';
            run({" Insert into temp (CENSO, Localidade, codigo, " + column + " ) values ",
                 " ( '" + year + "','" + sigla + " " + place + "-" + year + "' , '" + code + "', " + v + " ); "});
            return;
        }
        try {
            run({" update temp set  " + column + " = " + valueText, " where codigo = '" + code + "'",
                 " and censo  = '" + year + "'"});
        } catch (const EngineError&) {
            q->clearSql();
            q->addLine(" update temp set  " + column + " = :valor ");
            q->addLine(" where codigo = '" + code + "'");
            q->addLine(" and censo  = '" + year + "'");
            std::string v = valueText;
            v[v.find(',')] = '.';
            q->setParam("valor", Value(std::stod(v)));
            q->execute();
        }
    }

    std::vector<std::string> column(const std::string& name)
    {
        std::vector<std::string> out;
        for (q->first(); !q->eof(); q->next())
            out.push_back(q->field(name).isNull() ? "<null>" : q->field(name).asString());
        return out;
    }
};

TEST_F(Statements, WorkTableIsCreatedDroppedAndRecreated)
{
    createTemp(false, {"Mas", "Fem"});
    open({"SELECT * FROM TEMP"});
    ASSERT_EQ(q->fieldCount(), 5);
    EXPECT_EQ(q->fieldName(0), "Censo");
    EXPECT_EQ(q->fieldName(2), "Codigo");
    EXPECT_EQ(q->fieldName(4), "Fem");
    EXPECT_EQ(q->rowCount(), 0);

    // A second run with fewer rows: CREATE fails on the existing file, the
    // drop-and-retry path gives the new layout.
    createTemp(true, {"Total"});
    open({"SELECT * FROM TEMP"});
    ASSERT_EQ(q->fieldCount(), 5);
    EXPECT_EQ(q->fieldName(2), "Idade");
    EXPECT_EQ(q->fieldName(4), "Total");
}

TEST_F(Statements, LongColumnNamesAndDropWithIndex)
{
    createTemp(false, {"entradaTotal", "saidaTotalMas"});
    run({" Insert into temp (CENSO, Localidade, codigo, entradaTotal ) values ", " ( '2000','Norte-2000' , '1', 12.5 ); "});
    writeCell("2000", "", "Norte", "1", "saidaTotalMas", "3,25");
    open({"SELECT * FROM TEMP"});
    EXPECT_EQ(q->fieldName(3), "entradaTotal");
    EXPECT_EQ(q->fieldName(4), "saidaTotalMas");
    EXPECT_DOUBLE_EQ(q->field("ENTRADATOTAL").asFloat(), 12.5);
    EXPECT_DOUBLE_EQ(q->field("saidatotalmas").asFloat(), 3.25);

    createIndexTag(root.path() / "Bases" / "Temp.dbf", "Codigo");
    ASSERT_TRUE(std::filesystem::exists(root.path() / "Bases" / "Temp.mdx"));
    run({" drop table \"temp.dbf\" "});
    EXPECT_FALSE(std::filesystem::exists(root.path() / "Bases" / "Temp.dbf"));
    EXPECT_FALSE(std::filesystem::exists(root.path() / "Bases" / "Temp.mdx"));
    EXPECT_THROW(run({" CREATE TABLE \"Temp.dbf\" ( Mas Decimal(10,2), mas Decimal(10,2) );"}), EngineError);
}

TEST_F(Statements, CellWriterInsertsThenUpdatesWithValorRetry)
{
    createTemp(false, {"Mas", "Fem"});
    writeCell("2000", "BA", "Bahia", "29", "Mas", "6462033");
    writeCell("2000", "BA", "Bahia", "29", "Fem", "6608217,5");   // decimal comma: retried through :valor
    writeCell("1991", "BA", "Bahia", "29", "Mas", "5000,25");    // comma turned into a point on insert
    open({"SELECT * FROM TEMP"});
    ASSERT_EQ(q->rowCount(), 2);
    EXPECT_EQ(q->field("Localidade").asString(), "BA Bahia-2000");
    EXPECT_DOUBLE_EQ(q->field("Mas").asFloat(), 6462033);
    EXPECT_DOUBLE_EQ(q->field("fem").asFloat(), 6608217.5);
    q->next();
    EXPECT_DOUBLE_EQ(q->field("Mas").asFloat(), 5000.25);
    EXPECT_TRUE(q->field("Fem").isNull());
}

TEST_F(Statements, AgeRowsAreFoundDespiteTrailingBlank)
{
    createTemp(true, {"Mas"});
    run({" Insert into temp (CENSO, Localidade, idade, codigo,  Mas ) values ",
         " ( '2000','BA Bahia-2000','de 0 a 3 anos ' , '29', 10 ); "});
    open({"SELECT 1  FROM temp WHERE codigo = '29'", " and censo = '2000'", " and idade  = 'de 0 a 3 anos '"});
    EXPECT_EQ(q->rowCount(), 1);
    open({"SELECT 1  FROM temp WHERE codigo = '29'", " and censo = '2000'", " and idade  = 'de 4 a 6 anos '"});
    EXPECT_EQ(q->rowCount(), 0);
}

TEST_F(Statements, ColumnsAreDroppedKeepingTheOthers)
{
    createTemp(false, {"Total", "Mas", "Fem"});
    writeCell("2000", "BA", "Bahia", "29", "Total", "13070250");
    writeCell("2000", "BA", "Bahia", "29", "Mas", "6462033");
    run({" ALTER TABLE TEMP    DROP Mas, DROP Fem"});
    open({"SELECT * FROM TEMP"});
    ASSERT_EQ(q->fieldCount(), 4);
    EXPECT_EQ(q->fieldName(3), "Total");
    EXPECT_EQ(q->field("Codigo").asString(), "29");
    EXPECT_DOUBLE_EQ(q->field("Total").asFloat(), 13070250);
}

TEST_F(Statements, PerLocalityStatementsJoinTheStateTable)
{
    const std::string filter = " codigo = '29' or  codigo = '1' or  codigo = '292740' or  codigo = '29021'";
    open({"SELECT NIVEL_GEO AS Localidade, CODIGO, UFSIGLA , V001+V002 FROM MI2000.DBF LEFT OUTER JOIN UF.DBF  ON "
          "\tSUBSTRING(CODIGO FROM 1 FOR 2) = UFCODIGO ",
          kRegionOut, kRegionUrbanOut, kRegionRuralOut, kNationalOut, "    WHERE " + filter + " ORDER BY codigo"});
    EXPECT_EQ(column("CODIGO"), (std::vector<std::string>{"29", "29021"}));
    EXPECT_EQ(column("UFSIGLA"), (std::vector<std::string>{"BA", "BA"}));

    open({"SELECT NIVEL_GEO AS Localidade, CODIGO, UFSIGLA ,V001+V002 FROM MU2000.DBF  LEFT OUTER JOIN UF.DBF ON "
          "\tSUBSTRING(CODIGO FROM 1 FOR 2) = UFCODIGO    ",
          kRegionOut, kRegionUrbanOut, kRegionRuralOut, kNationalOut, " WHERE  " + filter + " ORDER BY codigo"});
    EXPECT_EQ(column("CODIGO"), (std::vector<std::string>{"1", "29", "292740"}));
    EXPECT_EQ(column("UFSIGLA"), (std::vector<std::string>{"<null>", "BA", "BA"}));
    EXPECT_EQ(column("Localidade"), (std::vector<std::string>{"Norte", "Bahia", "Salvador"}));
    q->first();
    EXPECT_DOUBLE_EQ(q->field(3).asFloat(), 6533555.0 + 6366149.0);

    // The age-group form: blank after the parenthesis, no tab.
    open({"SELECT NIVEL_GEO AS Localidade, CODIGO, UFSIGLA, V001 FROM MU2000.DBF  LEFT OUTER JOIN UF.DBF ON "
          "SUBSTRING( CODIGO FROM 1 FOR 2) = UFCODIGO    ",
          kRegionOut, kRegionUrbanOut, kRegionRuralOut, kNationalOut, " WHERE   codigo = '0' ORDER BY codigo"});
    EXPECT_EQ(column("UFSIGLA"), (std::vector<std::string>{"<null>"}));
}

TEST_F(Statements, BulkInsertOfAllMunicipalities)
{
    createTemp(false, {"Mas", "Fem"});
    const std::string stateOut = "  " + listOver(kStates, "codigo <> '", "'", " and ");
    const std::string stateUrbanOut = "  " + listOver(suffixed("888", true), "and codigo <> '", "'", " ");
    const std::string stateRuralOut = "  " + listOver(suffixed("999", true), "and codigo <> '", "'", " ");
    for (const std::string year : {"1991", "2000"}) {
        const std::string head = year == "1991" ? " select '1991',UFSIGLA||\" \"||nivel_geo ||'-1991' ,  codigo "
                                                : " select '2000',UFSIGLA||\" \"||nivel_geo ||'-2000'  , codigo ";
        const bool y91 = year == "1991";
        run({" insert into temp.dbf ( censo, localidade , codigo  , Mas , Fem)" + head + ",V001,V002 from MU" + year +
                 ".DBF" + kUfJoin,
             y91 ? kRegionOut : kRegionOut + "  and CODIGO <> '53'",
             y91 ? kRegionUrbanOut : kRegionUrbanOut + "  and CODIGO <> '53888'",
             y91 ? kRegionRuralOut : kRegionRuralOut + "  and CODIGO <> '53999'", kNationalOut,
             " where CODIGO <> '1'  and CODIGO <> '2'  and CODIGO <> '3'  and CODIGO <> '4'  and CODIGO <> '5'  and "
             "CODIGO <> '53'",
             kRegionUrbanOut + "  and CODIGO <> '53888'", kRegionRuralOut + "  and CODIGO <> '53999'", kNationalOut,
             " and ", stateOut, stateUrbanOut, stateRuralOut, kNationalOut, " and ",
             "  codigo <> '0' and codigo <> '888' and codigo <> '999'"});
    }
    open({"SELECT * FROM TEMP"});
    EXPECT_EQ(column("Localidade"),
              (std::vector<std::string>{"BA Salvador-1991", "RO Alta Floresta d'Oeste-1991",
                                        "SP Santa Bárbara d'Oeste-1991", "BA Abaíra-1991", "BA Salvador-2000",
                                        "RO Alta Floresta d'Oeste-2000", "SP Santa Bárbara d'Oeste-2000",
                                        "BA Abaíra-2000"}));
    EXPECT_EQ(column("Censo")[4], "2000");
    EXPECT_EQ(column("Fem")[0], "1292822");
}

TEST_F(Statements, BulkInsertOfRegionsAndStatesKeepsTheBlankOfMissingSigla)
{
    createTemp(false, {"Total"});
    run({" insert into temp.dbf ( censo, localidade , codigo  , Total) select '1991',UFSIGLA||\" \"||nivel_geo "
         "||'-1991' ,  codigo ,V001+V002 from MU1991.DBF" + kUfJoin,
         kRegionOut, kRegionUrbanOut, kRegionRuralOut, kNationalOut, kWhereRegion,
         " or CODIGO = '1888'  or CODIGO = '2888'  or CODIGO = '3888'  or CODIGO = '4888'  or CODIGO = '5888'  or "
         "CODIGO = '53888'",
         " or CODIGO = '1999'  or CODIGO = '2999'  or CODIGO = '3999'  or CODIGO = '4999'  or CODIGO = '5999'  or "
         "CODIGO = '53999'",
         " or  " + listOver(kStates, "codigo = '", "'", " or "),
         "  " + listOver(suffixed("888", false), "or codigo = '", "'", " "),
         "  " + listOver(suffixed("999", false), "or codigo = '", "'", " "),
         "  or codigo = '0' or codigo = '888' or codigo = '999'"});
    open({"SELECT * FROM TEMP"});
    auto places = column("Localidade");
    std::sort(places.begin(), places.end());
    EXPECT_EQ(places, (std::vector<std::string>{" Brasil Rural-1991", " Brasil Urbano-1991", " Brasil-1991",
                                                " Nordeste-1991", " Norte Rural-1991", " Norte Urbano-1991",
                                                " Norte-1991", "BA Bahia Rural-1991", "BA Bahia Urbano-1991",
                                                "BA Bahia-1991", "DF Distrito Federal Urbano-1991",
                                                "DF Distrito Federal-1991", "RO Rondônia-1991"}));
    // A national total does not fit ten positions; it must not be lost.
    open({"SELECT Total FROM temp WHERE codigo = '0'"});
    EXPECT_EQ(q->field(0).asString(), "169799170");
}

TEST_F(Statements, DefinitionLookupAndMunicipalityChooser)
{
    open({"SELECT CODIGO, INDICADOR, TAB_MI2000, TAB_MU2000 FROM Indicadores2000.dbf ",
          " WHERE INDICADOR = 'Homens' OR INDICADOR = 'Mulheres'"});
    EXPECT_EQ(column("CODIGO"), (std::vector<std::string>{"V001", "V002"}));
    q->first();
    EXPECT_EQ(q->field("TAB_MU2000").asString(), "MU2000.DBF");

    open({"SELECT nome,codigo FROM Municipios2000.dbf WHERE sigla = 'BA' ORDER BY nome"});
    EXPECT_EQ(column("nome"), (std::vector<std::string>{"Abaíra", "Água Fria", "Érico Cardoso", "Salvador"}))
        << "accented initials sort among their letters";
}

TEST_F(Statements, MapLayerStatements)
{
    const std::string dir = root.path().string() + "/";
    run({" update '" + dir + "mapas/i" + "BRASIL" + ".dbf'" +
         " set v01 = 0, v02= 0, v03=0, v04 = 0 , v05 = 0, v06 = 0, v07 = 0 , v08 = 0 , v09 = 0 "});
    open({" select * from '" + dir + "mapas/ibrasil.dbf'"});
    for (const char* v : {"v01", "v05", "v09"})
        EXPECT_EQ(column(v), (std::vector<std::string>{"0", "0"}));

    open({" select nome from nivelgeograficouf.dbf where codigo = 29"});
    ASSERT_EQ(q->rowCount(), 1);
    EXPECT_EQ(q->field("NOME").asString(), "Bahia");

    std::filesystem::copy_file(dir + "mapas/iBrasil.dbf", dir + "ttempmapa.dbf");
    run({" update '" + dir + "ttempmapa.dbf' set v01 = 3 where ID = '29'"});
    open({" Select * from \"" + dir + "t" + "tempmapa.dbf" + "\"", " where v01 is not null and v01 > 0 ",
          " order by v01"});
    EXPECT_EQ(column("ID"), (std::vector<std::string>{"29"}));
}

TEST_F(Statements, UpdateFromACorrelatedSubquery)
{
    createTemp(false, {"Mas"});
    writeCell("2000", "BA", "Bahia", "29", "Mas", "1");
    writeCell("2000", "BA", "Salvador", "292740", "Mas", "1");
    run({" update temp set Mas = (select V001 from MU2000.dbf where MU2000.codigo = temp.codigo)"});
    open({"SELECT codigo, MAS FROM temp ORDER BY codigo"});
    EXPECT_EQ(q->fieldName(0), "Codigo") << "names keep the case of creation";
    EXPECT_EQ(q->fieldName(1), "Mas");
    EXPECT_EQ(column("Mas"), (std::vector<std::string>{"6462033", "1150280"}));
}

TEST_F(Statements, SumsNullsAndNumbers)
{
    open({"SELECT sum(V001) FROM MU2000 WHERE codigo = 'nada'"});
    EXPECT_TRUE(q->field(0).isNull());
    open({"SELECT v01 FROM '" + root.path().string() + "/mapas/iBrasil.dbf' WHERE ID = '11'"});
    EXPECT_TRUE(q->field(0).isNull());
    open({"SELECT sum(V001) AS Homens FROM MU2000 WHERE codigo like '29%'"});
    EXPECT_EQ(q->fieldName(0), "Homens");
    EXPECT_DOUBLE_EQ(q->field("homens").asFloat(), 6462033 + 4297972 + 2164061 + 1150280 + 4358);
}

TEST_F(Statements, AccentsAndQuotesSurviveTheRoundTrip)
{
    createTemp(false, {"Mas"});
    run({" Insert into temp (CENSO, Localidade, codigo, Mas ) values ",
         " ( '2000','SP Santa Bárbara d''Oeste-2000' , '354580', 84245 ); "});
    open({"SELECT Localidade FROM temp WHERE codigo = '354580'"});
    EXPECT_EQ(q->field(0).asString(), "SP Santa Bárbara d'Oeste-2000");
    const std::string bytes = testing::readBytes(root.path() / "Bases" / "Temp.dbf");
    EXPECT_NE(bytes.find("Santa B\xE1rbara d'Oeste"), std::string::npos);
}

TEST_F(Statements, EditingTheCurrentRowOfAResult)
{
    open({"SELECT * FROM Municipios2000.dbf WHERE codigo = '290010' ORDER BY 1"});
    EXPECT_EQ(q->fieldCount(), 3);
    q->edit();
    q->setField("nome", "Abaíra (BA)");
    q->post();
    EXPECT_EQ(q->field("nome").asString(), "Abaíra (BA)");
    open({"SELECT nome FROM Municipios2000.dbf WHERE codigo = '290010'"});
    EXPECT_EQ(q->field(0).asString(), "Abaíra (BA)");

    open({"SELECT NIVEL_GEO, UFSIGLA FROM MU2000 LEFT OUTER JOIN UF.DBF ON SUBSTRING(CODIGO FROM 1 FOR 2) = UFCODIGO"});
    EXPECT_THROW(q->edit(), EngineError);
}

TEST_F(Statements, ManySingleRowWritesStayConsistent)
{
    createTemp(false, {"Mas", "Fem"});
    for (int i = 0; i < 200; ++i) {
        const std::string code = std::to_string(100000 + i);
        writeCell("2000", "BA", "Lugar", code, "Mas", std::to_string(i));
        writeCell("2000", "BA", "Lugar", code, "Fem", std::to_string(i) + ",5");
    }
    Session other(root.path() / "Bases");
    Query check(other);
    check.addLine("SELECT count(*), sum(Mas), sum(Fem) FROM temp");
    check.open();
    EXPECT_EQ(check.field(0).asFloat(), 200);
    EXPECT_DOUBLE_EQ(check.field(1).asFloat(), 199 * 200 / 2);
    EXPECT_DOUBLE_EQ(check.field(2).asFloat(), 199 * 200 / 2 + 100);
}

} // namespace
} // namespace daxo::platform
