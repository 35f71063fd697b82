#include "query/work_table.h"

#include <array>
#include <gtest/gtest.h>

using namespace daxo::query;

TEST(WorkTable, CreateStatementWithAndWithoutAge)
{
    EXPECT_EQ(createTempStatement(false, {"Mas", "Fem"}),
              " CREATE TABLE \"Temp.dbf\" ( Censo Character(10),  Localidade Character(254), Codigo Character(06) "
              " , Mas  Decimal(10,2)  , Fem  Decimal(10,2) );");
    EXPECT_EQ(createTempStatement(true, {}),
              " CREATE TABLE \"Temp.dbf\" ( Censo Character(10),  Localidade Character(254), Idade Character(50),"
              "  Codigo Character(06) );");
}

TEST(WorkTable, ValueColumnsFollowRowsWithACondition)
{
    std::array<std::string, 11> filtro{"", " Indicador = 'a'", " Indicador = 'b'", " Indicador = 'c'"};
    std::array<std::string, 11> campo{"Total", "Sem", "", "Bra"};
    EXPECT_EQ(valueColumns(filtro, campo), (std::vector<std::string>{"Sem", "Bra"}));
}

TEST(WorkTable, PruningKeepsOnlyTheCrossSelection)
{
    const std::vector<std::string> columns{"Mas", "Fem", "Bra", "BraMas", "BraFem", "Pre", "PreMas", "PreFem"};
    std::array<std::string, 11> pedidos{"BraMas", "BraFem", "PreMas", "PreFem"};
    EXPECT_EQ(columnsToExclude(columns, pedidos), (std::vector<std::string>{"Mas", "Fem", "Bra", "Pre"}));

    // With the sex total: the colour totals stay, the sex columns go.
    const std::vector<std::string> withTotal{"Mas", "Fem", "Total", "Bra", "BraMas", "BraFem", "BraTotal",
                                             "Pre", "PreMas", "PreFem", "PreTotal"};
    std::array<std::string, 11> pedidosTotal{"BraMas", "BraFem", "BraTotal", "PreMas", "PreFem", "PreTotal"};
    EXPECT_EQ(columnsToExclude(withTotal, pedidosTotal),
              (std::vector<std::string>{"Mas", "Fem", "Total"}));

    // "TotalMas" repeats "Mas" once that column exists.
    std::array<std::string, 11> sexTotal{"TotalMas"};
    EXPECT_EQ(columnsToExclude({"Mas", "TotalMas"}, sexTotal), (std::vector<std::string>{"TotalMas"}));
    EXPECT_TRUE(columnsToExclude({"TotalMas"}, sexTotal).empty());
}

TEST(WorkTable, DropStatement)
{
    EXPECT_EQ(dropColumnsStatement({"Mas", "Fem"}), " ALTER TABLE TEMP    DROP Mas, DROP Fem");
    EXPECT_EQ(dropColumnsStatement({}), "");
}
