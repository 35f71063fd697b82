#include "indicators/definition_lookup.h"

#include "platform/dbf_table.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace daxo;
using namespace daxo::indicators;

namespace {

class DefinitionLookup : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = std::filesystem::temp_directory_path() /
                  ("daxo-lookup-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        auto table = platform::DbfTable::create(folder_ / "Indicadores2000.dbf",
                                                {{"CODIGO", platform::FieldType::Character, 10, 0},
                                                 {"INDICADOR", platform::FieldType::Character, 200, 0},
                                                 {"TAB_MI2000", platform::FieldType::Character, 30, 0},
                                                 {"TAB_MU2000", platform::FieldType::Character, 30, 0}});
        addRecord(table, "V001", "População masculina de 0 a 3 anos de idade", "MatrizMi1", "MatrizMu1");
        addRecord(table, "V002", "População masculina de 4 a 6 anos de idade", "MatrizMi1", "MatrizMu1");
        addRecord(table, "V003", "População feminina de 0 a 3 anos de idade", "MatrizMi2", "MatrizMu2");
        table.save();
        session_ = std::make_unique<platform::Session>(folder_);
        query_ = std::make_unique<platform::Query>(*session_);
    }
    void TearDown() override
    {
        query_.reset();
        session_.reset();
        std::filesystem::remove_all(folder_);
    }
    static void addRecord(platform::DbfTable& table, const char* code, const char* text, const char* mi, const char* mu)
    {
        const std::size_t r = table.appendRecord();
        table.setValue(r, 0, code);
        table.setValue(r, 1, text);
        table.setValue(r, 2, mi);
        table.setValue(r, 3, mu);
    }
    std::string failureOf(const std::string& year, const std::string& condition)
    {
        try {
            BuscaIndicador(*query_, year, condition);
        } catch (const IndicatorLookupError& e) {
            return e.what();
        }
        return "";
    }

    std::filesystem::path folder_;
    std::unique_ptr<platform::Session> session_;
    std::unique_ptr<platform::Query> query_;
};

} // namespace

TEST_F(DefinitionLookup, OpensTheMatchingRecordsOnTheFirst)
{
    const std::string condition = " Indicador = 'População masculina de 0 a 3 anos de idade' or Indicador = 'População "
                                  "masculina de 4 a 6 anos de idade'";
    BuscaIndicador(*query_, "2000", condition);
    EXPECT_EQ(query_->sql(), (std::vector<std::string>{
                                 "SELECT CODIGO, INDICADOR, TAB_MI2000, TAB_MU2000 FROM Indicadores2000.dbf ",
                                 " WHERE " + condition}));
    ASSERT_TRUE(query_->isOpen());
    EXPECT_EQ(query_->rowCount(), 2);
    EXPECT_EQ(query_->field("TAB_MI2000").asString(), "MatrizMi1");
    std::vector<std::string> codes;
    for (; !query_->eof(); query_->next()) codes.push_back(query_->field("codigo").asString());
    EXPECT_EQ(codes, (std::vector<std::string>{"V001", "V002"}));
}

TEST_F(DefinitionLookup, EmptyConditionReadsEveryRecord)
{
    BuscaIndicador(*query_, "2000", "");
    EXPECT_EQ(query_->sql().size(), 1u);
    EXPECT_EQ(query_->rowCount(), 3);
}

TEST_F(DefinitionLookup, NothingFoundOrFailingStatementIsASystemError)
{
    const std::string missing = " Indicador = 'População total'";
    EXPECT_EQ(failureOf("2000", missing), "Houve um erro de sistema na procura do indicador -> \r" + missing);
    EXPECT_FALSE(query_->isOpen());
    EXPECT_EQ(failureOf("2000", " Indicador = 'broken"), "Houve um erro de sistema na procura do indicador -> \r Indicador = 'broken");
    EXPECT_EQ(failureOf("1991", missing), "Houve um erro de sistema na procura do indicador -> \r" + missing);   // no 1991 table
    EXPECT_EQ(failureOf("2000; DROP", missing), "Houve um erro de sistema na procura do indicador -> \r" + missing);
}
