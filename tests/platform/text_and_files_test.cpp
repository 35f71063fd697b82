#include "platform/file_lookup.h"
#include "platform/text_codec.h"
#include "platform/text_order.h"
#include "platform/value.h"
#include "test_installation.h"

#include <gtest/gtest.h>

#include <fstream>

namespace daxo::platform {
namespace {

TEST(TextCodec, WindowsCodePageRoundTrip)
{
    EXPECT_EQ(cp1252ToUtf8("S\xE3o Paulo \x80 \x93x\x94"), "São Paulo € “x”");
    EXPECT_EQ(utf8ToCp1252("Santa Bárbara d'Oeste – ç"), "Santa B\xE1rbara d'Oeste \x96 \xE7");
    EXPECT_EQ(utf8ToCp1252("日"), "?");
    EXPECT_EQ(utf8ToCp1252("a\xC3"), "a?") << "cut sequence";
}

TEST(FileLookup, IgnoresLetterCase)
{
    testing::TempFolder dir;
    std::filesystem::create_directories(dir.path() / "Bases");
    std::ofstream(dir.path() / "Bases" / "Temp.DBF") << "x";
    std::ofstream(dir.path() / "Bases" / "uf.dbf") << "x";
    std::ofstream(dir.path() / "Bases" / ".oculto.dbf") << "x";
    EXPECT_EQ(findPath(dir.path() / "bases" / "temp.dbf"), dir.path() / "Bases" / "Temp.DBF");
    EXPECT_EQ(findPath(dir.path() / "BASES" / "novo.dbf"), dir.path() / "Bases" / "novo.dbf");
    EXPECT_TRUE(fileExists(dir.path() / "bases" / "UF.DBF"));
    EXPECT_FALSE(fileExists(dir.path() / "bases"));
    EXPECT_EQ(listMatching(dir.path() / "bases", "*.DBF"), (std::vector<std::string>{"Temp.DBF", "uf.dbf"}));
    EXPECT_EQ(listMatching(dir.path() / "bases", "t?mp.*"), (std::vector<std::string>{"Temp.DBF"}));
    EXPECT_TRUE(listMatching(dir.path() / "nada", "*").empty());
}

TEST(TextOrder, AccentsAndCaseSortTogetherButOnlyBlanksAreIgnoredForEquality)
{
    EXPECT_EQ(compareText("de 0 a 3 anos ", "de 0 a 3 anos"), 0);
    EXPECT_LT(compareText("Água Fria", "Alagoinhas"), 0);
    EXPECT_GT(compareText("Érico Cardoso", "Abaíra"), 0);
    EXPECT_LT(compareText("Érico Cardoso", "Feira de Santana"), 0);
    EXPECT_NE(compareText("Sao Paulo", "São Paulo"), 0);
    EXPECT_NE(compareText("bahia", "Bahia"), 0);
    EXPECT_NE(compareText(" 29", "29"), 0);
    EXPECT_LT(compareText("29", "290"), 0);
}

TEST(Value, TextAndNumberForms)
{
    EXPECT_EQ(Value(12.0).asString(), "12");
    EXPECT_EQ(Value(0.5).asString(), "0.5");
    EXPECT_EQ(Value().asString(), "");
    EXPECT_DOUBLE_EQ(Value(" 12.5 ").asFloat(), 12.5);
    EXPECT_FALSE(Value("12,5").number().has_value());
    EXPECT_FALSE(Value("  ").number().has_value());
    EXPECT_EQ(Value().asFloat(), 0);
}

} // namespace
} // namespace daxo::platform
