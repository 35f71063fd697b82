#include "query/text_utils.h"

#include <array>
#include <gtest/gtest.h>

using namespace daxo::query;

TEST(TextUtils, LabelLookupKeepsTheLabelWhenNoRowMatches)
{
    std::array<std::string, 11> campo{"Mas", "", "Fem", "Mas"};
    std::array<std::string, 11> rotulo{"Homens", "", "Mulheres", "Homens 2"};
    std::string label = "antes";
    BuscaRotulo(campo, rotulo, "Total", label);
    EXPECT_EQ(label, "antes");
    BuscaRotulo(campo, rotulo, "Mas", label);
    EXPECT_EQ(label, "Homens 2");  // the last row wins
}

TEST(TextUtils, ColumnRankSkipsEmptyRows)
{
    std::array<std::string, 11> campo{"Mas", "", "Fem"};
    EXPECT_EQ(PosicaoColuna(campo, "Fem"), 2);
    EXPECT_EQ(PosicaoColuna(campo, "Mas"), 1);
    EXPECT_EQ(PosicaoColuna(campo, "Total"), 0);
}

TEST(TextUtils, ShortAgeTexts)
{
    EXPECT_EQ(ResumeFaixaEtaria("de 10 a 15 anos de idade"), "10 a 15");
    EXPECT_EQ(ResumeFaixaEtaria("de 0 a 4 anos de idade"), "0 a 4");
    EXPECT_EQ(ResumeFaixaEtaria("de 65 anos ou mais de idade"), "65 ou mais");
    EXPECT_EQ(ResumeFaixaEtaria("de 10 anos ou mais de idade"), "10 ou mais");
    EXPECT_EQ(ResumeFaixaEtaria("de 5 anos ou mais"), "5 ou mais");
    EXPECT_EQ(ResumeFaixaEtaria("de 25 anos"), "25 anos");
    EXPECT_EQ(ResumeFaixaEtaria(""), "");
}

TEST(TextUtils, ZeroPadding)
{
    EXPECT_EQ(PreencheZeros(3, 2), "03");
    EXPECT_EQ(PreencheZeros(12, 2), "12");
    EXPECT_EQ(PreencheZeros(123, 2), "123");
}
