#include "platform/sql_translate.h"

#include <gtest/gtest.h>

namespace daxo::platform::sql {
namespace {

Translation tr(const std::string& sql, std::vector<std::string>* seen = nullptr)
{
    return translate(sql, [seen](const std::string& name) {
        if (seen)
            seen->push_back(name);
        return "t_" + baseName(name);
    });
}

TEST(SqlTranslate, TableReferencesInEveryForm)
{
    std::vector<std::string> seen;
    const auto t = tr("SELECT * FROM UF.DBF LEFT OUTER JOIN \"Temp.dbf\" x ON a = b", &seen);
    EXPECT_EQ(seen, (std::vector<std::string>{"UF.DBF", "Temp.dbf"}));
    EXPECT_EQ(t.sql, "SELECT * FROM \"t_UF\" AS \"UF\" LEFT OUTER JOIN \"t_Temp\" AS \"x\" ON a = b");

    EXPECT_EQ(tr("update '/x/mapas/iBrasil.dbf' set v01 = 0").sql, "update \"t_iBrasil\" AS \"iBrasil\" set v01 = 0");
    EXPECT_EQ(tr(" insert into temp.dbf ( censo ) select 1 from a, b").sql,
              " insert into \"t_temp\" ( censo ) select 1 from \"t_a\" AS \"a\", \"t_b\" AS \"b\"");
    EXPECT_EQ(tr("SELECT 1  FROM temp WHERE temp.codigo = '1';").sql,
              "SELECT 1  FROM \"t_temp\" AS \"temp\" WHERE temp.codigo = '1'");
}

TEST(SqlTranslate, SubstringAndStringLiterals)
{
    EXPECT_EQ(tr("SELECT 1 FROM m ON SUBSTRING( CODIGO FROM 1 FOR 2) = U").sql,
              "SELECT 1 FROM \"t_m\" AS \"m\" ON substr( CODIGO , 1 , 2) = U");
    EXPECT_EQ(tr("select UFSIGLA||\" \"||nivel_geo ||'-1991' from m").sql,
              "select ifnull(UFSIGLA,'')||' '||ifnull(nivel_geo,'') ||'-1991' from \"t_m\" AS \"m\"");
    EXPECT_EQ(tr("select a.b || upper(c) || :p from m").sql,
              "select ifnull(a.b,'') || upper(c) || ifnull(:p,'') from \"t_m\" AS \"m\"");
    EXPECT_EQ(tr("select 'it''s \"x\"' from m").sql, "select 'it''s \"x\"' from \"t_m\" AS \"m\"");
}

TEST(SqlTranslate, OnlyPlainSingleTableSelectsAreEditable)
{
    EXPECT_EQ(tr("SELECT * FROM temp WHERE a = 1 ORDER BY 1").editableSql,
              "SELECT * , \"temp\".rowid AS daxo_rowid FROM \"t_temp\" AS \"temp\" WHERE a = 1 ORDER BY 1");
    EXPECT_NE(tr("SELECT * FROM temp t").editableSql.find("\"t\".rowid"), std::string::npos);
    EXPECT_TRUE(tr("SELECT * FROM a LEFT JOIN b ON 1").editableSql.empty());
    EXPECT_TRUE(tr("SELECT codigo, sum(x) FROM a GROUP BY codigo").editableSql.empty());
    EXPECT_TRUE(tr("UPDATE a SET x = 1").editableSql.empty());
    EXPECT_TRUE(tr("SELECT * FROM (SELECT * FROM a)").editableSql.empty());
}

TEST(SqlTranslate, TableStatementsAreParsed)
{
    const Ddl c = parseDdl(" CREATE TABLE \"Temp.dbf\" ( Censo Character(10),  Localidade Character(254), Codigo "
                           "Character(06)  , Mas  Decimal(10,2) );");
    EXPECT_EQ(c.kind, Ddl::Kind::Create);
    EXPECT_EQ(c.table, "Temp.dbf");
    ASSERT_EQ(c.fields.size(), 4u);
    EXPECT_EQ(c.fields[2].name, "Codigo");
    EXPECT_EQ(c.fields[2].length, 6);
    EXPECT_EQ(c.fields[3].type, FieldType::Numeric);
    EXPECT_EQ(c.fields[3].decimals, 2);
    EXPECT_GE(c.fields[3].length, 13) << "169799170.00 must fit";

    const Ddl a = parseDdl(" ALTER TABLE TEMP    DROP Mas, DROP Fem");
    EXPECT_EQ(a.kind, Ddl::Kind::Alter);
    EXPECT_EQ(a.dropped, (std::vector<std::string>{"Mas", "Fem"}));
    EXPECT_EQ(parseDdl(" drop table \"temp.dbf\" ").table, "temp.dbf");
    EXPECT_EQ(parseDdl("SELECT 1").kind, Ddl::Kind::None);
    EXPECT_THROW(parseDdl("CREATE TABLE x ( a Character(5) b )"), std::invalid_argument);
    EXPECT_THROW(parseDdl("ALTER TABLE x ADD b"), std::invalid_argument);
}

} // namespace
} // namespace daxo::platform::sql
