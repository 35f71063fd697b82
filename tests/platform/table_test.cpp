#include "platform/engine.h"
#include "test_installation.h"

#include <gtest/gtest.h>

#include <fstream>

namespace daxo::platform {
namespace {

namespace fs = std::filesystem;

class TableObjects : public ::testing::Test {
protected:
    testing::TempFolder root;
    std::unique_ptr<Session> session;
    fs::path layer;

    void SetUp() override
    {
        testing::makeInstallation(root.path());
        session = std::make_unique<Session>(root.path() / "Bases");
        layer = root.path() / "mapas" / "iBrasil.dbf";
    }
};

TEST_F(TableObjects, ReadsInRecordOrder)
{
    Table t(*session);
    t.setPath(root.path() / "bases" / "uf.dbf");
    t.open();
    ASSERT_EQ(t.recordCount(), 4);
    EXPECT_EQ(t.fieldName(1), "UFSIGLA");
    std::vector<std::string> siglas;
    for (t.first(); !t.eof(); t.next())
        siglas.push_back(t.field("ufsigla").asString());
    EXPECT_EQ(siglas, (std::vector<std::string>{"RO", "BA", "SP", "DF"}));
}

TEST_F(TableObjects, IndexTagFindsAndPostsAndTheEngineSeesIt)
{
    // The production index flag is cleared by hand before the tag is made.
    {
        std::fstream f(layer, std::ios::binary | std::ios::in | std::ios::out);
        f.seekp(28);
        f.put('\0');
    }
    createIndexTag(layer, "ID");
    ASSERT_TRUE(fs::exists(root.path() / "mapas" / "iBrasil.mdx"));

    Table t(*session);
    t.setPath(layer);
    t.setIndexFile(root.path() / "mapas" / "iBrasil.mdx");
    t.setIndexName("ID");
    t.open();
    EXPECT_EQ(t.field("ID").asString(), "11") << "index order";
    ASSERT_TRUE(t.findKey("29"));
    EXPECT_EQ(t.field("NOME").asString(), "Bahia");
    EXPECT_FALSE(t.findKey("99"));

    Query q(*session);
    q.addLine("SELECT v01 FROM '" + layer.string() + "' WHERE ID = '29'");
    q.open();
    EXPECT_DOUBLE_EQ(q.field(0).asFloat(), 5);

    ASSERT_TRUE(t.findKey("29 "));
    t.edit();
    t.setField("V01", t.field("v01").asFloat() + 2.25);
    t.post();
    q.open();
    EXPECT_DOUBLE_EQ(q.field(0).asFloat(), 7.25);
}

TEST_F(TableObjects, TagsAccumulateAndForeignIndexFilesFallBackToTheField)
{
    createIndexTag(layer, "ID");
    createIndexTag(layer, "NOME");
    Table t(*session);
    t.setPath(layer);
    t.setIndexName("NOME");
    t.open();
    EXPECT_EQ(t.field("NOME").asString(), "Bahia");

    std::ofstream(root.path() / "Bases" / "MU2000.MDX", std::ios::binary) << std::string("\x00\x01\x02", 3);
    Table m(*session);
    m.setPath(root.path() / "Bases" / "MU2000.dbf");
    m.setIndexFile(root.path() / "Bases" / "MU2000.MDX");
    m.setIndexName("CODIGO");
    m.open();
    ASSERT_TRUE(m.findKey("292740"));
    EXPECT_EQ(m.field("NIVEL_GEO").asString(), "Salvador");

    Table bad(*session);
    bad.setPath(layer);
    bad.setIndexName("GEOCODIGO");
    EXPECT_THROW(bad.open(), EngineError);
    EXPECT_THROW(createIndexTag(layer, "GEOCODIGO"), EngineError);
}

TEST_F(TableObjects, DeletedRecordsAreSkippedByTablesAndQueries)
{
    {
        DbfTable uf = DbfTable::open(root.path() / "Bases" / "UF.DBF");
        uf.setDeleted(1, true);
        uf.save();
    }
    Table t(*session);
    t.setPath(root.path().string() + "\\Bases\\uf.dbf");
    t.open();
    EXPECT_EQ(t.recordCount(), 3);
    Query q(*session);
    q.addLine("SELECT UFSIGLA FROM UF WHERE UFCODIGO = '29'");
    q.open();
    EXPECT_TRUE(q.eof());
    q.clearSql();
    q.addLine("DELETE FROM UF WHERE UFCODIGO = '11'");
    EXPECT_EQ(q.execute(), 1);
    q.clearSql();
    q.addLine("SELECT count(*) FROM UF");
    q.open();
    EXPECT_EQ(q.field(0).asFloat(), 2);
}

TEST_F(TableObjects, MissingOrCorruptTableIsAnError)
{
    Table t(*session);
    t.setPath(root.path() / "Bases" / "nada.dbf");
    EXPECT_THROW(t.open(), EngineError);
    EXPECT_FALSE(t.isOpen());
    EXPECT_THROW(createIndexTag(root.path() / "Bases" / "nada.dbf", "X"), EngineError);
}

} // namespace
} // namespace daxo::platform
