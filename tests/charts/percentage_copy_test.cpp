// The chart copy of the work table: each positive value as a share of its own
// census' national total, everything else left as it was.
#include "charts/percentage_copy.h"
#include "platform/data_module.h"
#include "platform/dbf_table.h"
#include "platform/file_lookup.h"
#include "platform/safe_files.h"
#include "reports/table_report.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using namespace daxo;
namespace fs = std::filesystem;

namespace {

class PercentageCopy : public testing::Test {
protected:
    PercentageCopy()
    {
        char pattern[] = "/tmp/daxo-charts-XXXXXX";
        bases = fs::path(mkdtemp(pattern)) / "Bases";
        fs::create_directories(bases);
        dm = std::make_unique<platform::DataModule>(bases);
    }
    ~PercentageCopy() override
    {
        dm.reset();
        fs::remove_all(bases.parent_path());
    }

    void run(const std::string& sql)
    {
        auto& q = dm->Query2;
        q.close();
        q.clearSql();
        q.addLine(sql);
        q.execute();
    }
    // Two censuses of one state, the second row with an empty, a zero and a
    // negative cell.
    void writeWorkTable()
    {
        run(" CREATE TABLE \"Temp.dbf\" ( Censo Character(10),  Localidade Character(254), Codigo Character(06)  , "
            "Mas  Decimal(10,2)  , Fem  Decimal(10,2) , Total  Decimal(10,2) );");
        run(" Insert into temp (CENSO, Localidade, codigo, Mas, Fem, Total ) values "
            "( '1991','AC Acre-1991' , '12', 1000, 3000, -5 ); ");
        run(" Insert into temp (CENSO, Localidade, codigo, Mas, Total ) values ( '2000','AC Acre-2000' , '12', 2000, 0 ); ");
    }
    static double total(const std::string& censo) { return censo == "1991" ? 4000 : 8000; }

    fs::path bases;
    std::unique_ptr<platform::DataModule> dm;
};

double cell(const reports::WorkTable& t, std::size_t row, const std::string& column)
{
    for (std::size_t c = 0; c < t.columns.size(); ++c)
        if (t.columns[c] == column)
            return t.rows.at(row)[c].asFloat();
    ADD_FAILURE() << column;
    return -1;
}

} // namespace

TEST_F(PercentageCopy, EachCensusAgainstItsOwnTotalOtherValuesKept)
{
    writeWorkTable();
    const auto copy = charts::copiaPercentual(*dm, total);
    ASSERT_EQ(copy.columns, (std::vector<std::string>{"Censo", "Localidade", "Codigo", "Mas", "Fem", "Total"}));
    ASSERT_EQ(copy.rows.size(), 2u);
    EXPECT_EQ(copy.rows[0][1].asString(), "AC Acre-1991");
    EXPECT_DOUBLE_EQ(cell(copy, 0, "Mas"), 25);   // 1000 of 4000
    EXPECT_DOUBLE_EQ(cell(copy, 0, "Fem"), 75);
    EXPECT_DOUBLE_EQ(cell(copy, 0, "Total"), -5);
    EXPECT_DOUBLE_EQ(cell(copy, 1, "Mas"), 25);   // 2000 of 8000
    EXPECT_TRUE(copy.rows[1][4].isNull());
    EXPECT_TRUE(copy.rows[1][5].number() == 0.0);

    // The copy lies beside the work table, which keeps its numbers.
    EXPECT_TRUE(fs::exists(bases / "temper.dbf"));
    const auto work = reports::readWorkTable(*dm);
    EXPECT_DOUBLE_EQ(cell(work, 0, "Mas"), 1000);
    EXPECT_DOUBLE_EQ(cell(work, 1, "Mas"), 2000);
}

TEST_F(PercentageCopy, TheSmallestShareKeepsItsDigits)
{
    writeWorkTable();
    // A small municipality against the country: 0,0004 %.
    const auto copy = charts::copiaPercentual(*dm, [](const std::string& censo) { return censo == "1991" ? 4000 : 5e8; });
    EXPECT_DOUBLE_EQ(cell(copy, 1, "Mas"), 0.0004);
    EXPECT_DOUBLE_EQ(cell(copy, 0, "Fem"), 75);
    EXPECT_DOUBLE_EQ(cell(copy, 0, "Total"), -5);
    const auto table = platform::DbfTable::open(platform::findPath(bases / "temper.dbf"));
    EXPECT_EQ(table.fields()[3].decimals, 5);
    // The work table keeps its own.
    EXPECT_EQ(platform::DbfTable::open(platform::findPath(bases / "temp.dbf")).fields()[3].decimals, 2);
}

TEST_F(PercentageCopy, AnOldCopyIsReplacedAndLetterCaseIgnored)
{
    writeWorkTable();
    charts::copiaPercentual(*dm, total);
    // The next run: another table under another letter case.
    fs::remove(platform::findPath(bases / "temp.dbf"));
    run(" CREATE TABLE \"TEMP.DBF\" ( Censo Character(10),  Localidade Character(254), Codigo Character(06)  , "
        "Bra  Decimal(10,2) );");
    run(" Insert into temp (CENSO, Localidade, codigo, Bra ) values ( '2000','SE Sergipe-2000' , '28', 800 ); ");
    const auto copy = charts::copiaPercentual(*dm, total);
    ASSERT_EQ(copy.columns.back(), "Bra");
    ASSERT_EQ(copy.rows.size(), 1u);
    EXPECT_DOUBLE_EQ(cell(copy, 0, "Bra"), 10);
    EXPECT_EQ(platform::listMatching(bases, "temper.dbf").size(), 1u);
}

TEST_F(PercentageCopy, NoNationalTotalGivesNoBarRatherThanAnEndlessOne)
{
    writeWorkTable();
    const auto copy = charts::copiaPercentual(*dm, [](const std::string&) { return 0.0; });
    EXPECT_TRUE(copy.rows[0][3].isNull());
    EXPECT_DOUBLE_EQ(cell(copy, 0, "Total"), -5);
}

TEST_F(PercentageCopy, AMissingWorkTableIsReportedInPortuguese)
{
    try {
        charts::copiaPercentual(*dm, total);
        FAIL() << "no error";
    } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find("Não foi possível copiar a tabela de trabalho"), std::string::npos) << e.what();
    }
}

TEST_F(PercentageCopy, AFullDiskKeepsTheEarlierCopyWhole)
{
    writeWorkTable();
    charts::copiaPercentual(*dm, total);
    const fs::path copy = platform::findPath(bases / "temper.dbf");
    const auto size = fs::file_size(copy);
    const platform::SimulatedWriteFailure full(std::errc::no_space_on_device);
    try {
        charts::copiaPercentual(*dm, total);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(": não há espaço livre no disco."), std::string::npos) << e.what();
    }
    EXPECT_EQ(fs::file_size(copy), size);
}
