#include "localities/municipality_chooser.h"
#include "localities/locality_selection.h"
#include "platform/data_module.h"
#include "platform/dbf_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace daxo::localities {
namespace {

namespace fs = std::filesystem;
using daxo::platform::DataModule;
using daxo::platform::DbfField;
using daxo::platform::DbfTable;
using daxo::platform::FieldType;

class Chooser : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() /
                 ("daxo_chooser_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        auto table = DbfTable::create(folder / "MUNICIPIOS2000.DBF",
                                      {{"nome", FieldType::Character, 40, 0},
                                       {"codigo", FieldType::Numeric, 6, 0},
                                       {"sigla", FieldType::Character, 2, 0}});
        const std::vector<std::vector<std::string>> rows = {
            {"Rio Branco", "120040", "AC"}, {"Acrelândia", "120001", "AC"}, {"Xapuri", "120070", "AC"},
            {"Brasiléia", "120010", "AC"},  {"Aracaju", "280030", "SE"},    {"Epitaciolândia", "120025", "AC"},
            {"Rio Real", "292700", "BA"}};
        for (const auto& r : rows) {
            const auto n = table.appendRecord();
            table.setValue(n, 0, r[0]);
            table.setValue(n, 1, std::stod(r[1]));
            table.setValue(n, 2, r[2]);
        }
        table.save();
        dm = std::make_unique<DataModule>(folder);
    }
    void TearDown() override
    {
        dm.reset();
        fs::remove_all(folder);
    }

    std::vector<std::string> names() const
    {
        std::vector<std::string> out;
        for (const Municipality& m : chooser.rows())
            out.push_back(m.nome);
        return out;
    }

    fs::path folder;
    std::unique_ptr<DataModule> dm;
    MunicipalityChooser chooser;
    ChosenList list;
};

TEST_F(Chooser, ListsTheStateInNameOrder)
{
    EXPECT_EQ(municipalitiesStatement("AC"),
              "SELECT nome,codigo FROM Municipios2000.dbf WHERE sigla = 'AC' ORDER BY nome");
    chooser.load(dm->qryTemp, "12");
    EXPECT_EQ(names(), (std::vector<std::string>{"Acrelândia", "Brasiléia", "Epitaciolândia", "Rio Branco", "Xapuri"}));
    EXPECT_EQ(chooser.rows()[3].codigo, "120040");
    EXPECT_EQ(chooser.current(), 0);
    EXPECT_TRUE(dm->qryTemp.isOpen());
}

TEST_F(Chooser, UnknownStateListsNothingAndAddsNothing)
{
    EXPECT_EQ(siglaOfUf("99"), "");
    EXPECT_EQ(siglaOfUf("53"), "DF");
    chooser.load(dm->qryTemp, "99");
    EXPECT_TRUE(chooser.rows().empty());
    EXPECT_EQ(chooser.current(), -1);
    chooser.addCurrent(list);
    chooser.addAll(list);
    EXPECT_TRUE(list.empty());
}

TEST_F(Chooser, MissingTableIsReported)
{
    fs::remove(folder / "MUNICIPIOS2000.DBF");
    try {
        chooser.load(dm->qryTemp, "12");
        FAIL() << "no error";
    } catch (const MunicipalityTableError& e) {
        EXPECT_TRUE(std::string(e.what()).starts_with("Não foi possível ler a tabela de municípios"));
    }
    EXPECT_TRUE(chooser.rows().empty());
}

TEST_F(Chooser, AddingMovesOnAndRepeatsOnTheLastRow)
{
    chooser.load(dm->qryTemp, "12");
    chooser.setCurrent(3);
    chooser.addCurrent(list);
    EXPECT_EQ(chooser.current(), 4);
    chooser.addCurrent(list);
    chooser.addCurrent(list);   // last row: added again, no duplicate check here
    EXPECT_EQ(list.texts(), (std::vector<std::string>{"Rio Branco", "Xapuri", "Xapuri"}));
    EXPECT_EQ(list.codes(), (std::vector<std::string>{"120040", "120070", "120070"}));
}

TEST_F(Chooser, AllReplacesTheListAndClearEmptiesIt)
{
    list.append("Brasil", "0");
    list.append("Norte", "1");
    chooser.load(dm->qryTemp, "12");
    chooser.addAll(list);
    ASSERT_EQ(list.size(), 5);
    EXPECT_EQ(list.texts().front(), "Acrelândia");
    EXPECT_EQ(list.codes().front(), "120001");
    EXPECT_EQ(list.texts().back(), "Xapuri");
    EXPECT_EQ(list.codes().back(), "120070");
    MunicipalityChooser::clearChosen(list);
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(list.codes().empty());
}

TEST_F(Chooser, SearchOnTheTextAsItStands)
{
    chooser.load(dm->qryTemp, "12");
    chooser.search("R");
    EXPECT_EQ(chooser.current(), 3);
    chooser.setCurrent(0);
    chooser.search(searchBoxCase("rio b"));   // "Rio b": both words, any case
    EXPECT_EQ(chooser.rows()[static_cast<std::size_t>(chooser.current())].nome, "Rio Branco");
    chooser.search("Brasileia");   // accents ignored
    EXPECT_EQ(chooser.current(), 1);
    chooser.search("EPITACIOL");
    EXPECT_EQ(chooser.current(), 2);
    chooser.search("Zz");          // no match: the row stays
    EXPECT_EQ(chooser.current(), 2);
    chooser.search("");
    EXPECT_EQ(chooser.current(), 2);
}

TEST(SearchBox, FirstLetterUpperRestLower)
{
    EXPECT_EQ(searchBoxCase("rio b"), "Rio b");
    EXPECT_EQ(searchBoxCase("RIO BRANCO"), "Rio branco");
    EXPECT_EQ(searchBoxCase("ÁGUA"), "Água");      // accented letters stay as typed
    EXPECT_EQ(searchBoxCase("aÇÃO"), "AÇÃo");
    EXPECT_EQ(searchBoxCase("água"), "água");
    EXPECT_EQ(searchBoxCase(""), "");
    EXPECT_TRUE(beginsLike("São João del Rei", "sao joao D"));
    EXPECT_TRUE(beginsLike("Álvares Machado", "alv"));
    EXPECT_FALSE(beginsLike("Rio", "Rio Branco"));
}

} // namespace
} // namespace daxo::localities
