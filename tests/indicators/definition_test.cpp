#include "indicators/definition.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace daxo::indicators;

namespace {
Definition make(int indicator, Sex sex = Sex::All, Colour colour = Colour::All, std::string age = "")
{
    Definition d;
    d.indicator = indicator;
    d.sex = sex;
    d.colour = colour;
    d.agePhrase = std::move(age);
    return d;
}
} // namespace

TEST(DefinitionText, PopulationByAgeSexAndColour)
{
    EXPECT_EQ(definitionText(make(0, Sex::Male, Colour::All, "de 0 a 3 anos de idade")),
              "População masculina de 0 a 3 anos de idade");
    EXPECT_EQ(definitionText(make(0)), "População total");
    EXPECT_EQ(definitionText(make(0, Sex::Female, Colour::White, "de 15 a 17 anos de idade")),
              "População feminina de 15 a 17 anos de idade da cor branca");
    EXPECT_EQ(definitionText(make(0, Sex::All, Colour::BlackOrBrown, "de 65 ou mais de idade")),
              "População da cor preta ou parda de 65 ou mais de idade");
    EXPECT_EQ(definitionText(make(6, Sex::All, Colour::All, "de 15 a 17 anos de idade")),
              "Taxa de analfabetismo das pessoas de 15 a 17 anos de idade");
}

TEST(DefinitionText, HouseholdsWithSanitation)
{
    Definition d = make(2, Sex::Male);
    d.garbageCollected = true;
    d.garbage = "diretamente";
    EXPECT_EQ(definitionText(d),
              "Total de domicílios particulares permanentes chefiados por homens com lixo coletado diretamente");
    d.garbage = "outro destino";
    EXPECT_EQ(definitionText(d),
              "Total de domicílios particulares permanentes chefiados por homens cujo lixo tem outro destino");
    Definition w = make(2, Sex::All, Colour::White);
    w.pipedWater = true;
    w.hasWater = true;
    w.water = " ";
    EXPECT_EQ(definitionText(w), "Total de domicílios particulares permanentes chefiados por brancos com água canalizada  ");
}

TEST(DefinitionText, OccupiedPopulationPlacesPositionAndContribution)
{
    Definition d = make(11, Sex::Male, Colour::White, "de 18 a 24 anos de idade");
    d.position = 1;
    EXPECT_EQ(definitionText(d),
              "População ocupada de 18 a 24 anos de idade do sexo masculino da cor branca na posição de empregado");
    d.contributes = true;
    EXPECT_EQ(definitionText(d), "População ocupada de 18 a 24 anos de idade do sexo masculino na posição de empregado "
                                 "da cor branca que contribui para a previdência social");
}

TEST(EnumerateDefinitions, DistinctTextsPerCensusAndIndicator)
{
    for (int census : {1991, 2000}) {
        const auto all = enumerateDefinitions(census);
        std::set<std::string> texts;
        std::map<int, int> perIndicator;
        for (const Definition& d : all) {
            EXPECT_TRUE(texts.insert(definitionText(d)).second) << definitionText(d);
            EXPECT_EQ(d.census, census);
            EXPECT_EQ(definitionText(d).find('\''), std::string::npos);
            ++perIndicator[d.indicator];
        }
        EXPECT_EQ(perIndicator.size(), 15u);
        EXPECT_EQ(perIndicator[13], census == 1991 ? 27 : 48);
        EXPECT_EQ(perIndicator[14], 6);
        std::string counts;
        for (auto [indicator, n] : perIndicator) counts += " " + std::to_string(indicator) + ":" + std::to_string(n);
        std::cout << "census " << census << " definitions " << all.size() << counts << "\n";
    }
}
