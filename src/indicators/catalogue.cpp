#include "catalogue.h"

#include <stdexcept>

namespace daxo::indicators {

namespace {
const std::string SalarioNota1991 =
    "Nota: Em 1991 o valor do salário mínimo é de Cr$ 36.161,60 - valor inflacionado para agosto de 2000, com conversão da moeda.";
}

const std::array<IndicatorInfo, IndicatorCount>& catalogue()
{
    static const std::array<IndicatorInfo, IndicatorCount> table{{
        {"População", "TabSheet7", "gbPopulacao", " População ", true, true, true, false, true,
         {"Distribuição da população por sexo, cor e grupos de idade."}},
        {"Proporção de mulheres chefes de família, com filhos no domicílio", "TabSheet16", "gbMulheresChefes",
         " Proporção de Mulheres com Filhos ", false, true, true, true, true,
         {"Razão entre o número de mulheres chefes de família que possuem algum filho no domicílio pelo total de mulheres (multiplicado por 100)."}},
        {"Domicílios particulares permanentes", "TabSheet5", "gbDomicilios",
         " Total de Domicílios Particulares Permanentes ", true, true, false, false, true,
         {"Número de domicílios particulares permanentes por sexo e cor do chefe e por condição de saneamento."}},
        {"Famílias", "TabSheet15", "gbFamilias", " Total de Famílias ", true, true, false, false, true,
         {"Número de famílias por sexo e cor do chefe e rendimento familiar per capita. ", SalarioNota1991,
          "       Em 2000 o valor do salário mínimo é de R$ 151,00."}},
        {"Número médio de pessoas nas famílias", "TabSheet18", "gbNumMedioPessoas",
         " Número Médio de Pessoas nas Famílias", true, true, false, false, true,
         {"Razão entre o número de componentes nas famílias pelo total de famílias e rendimento familiar per capita.",
          SalarioNota1991, "      Em 2000 o valor do salário mínimo é de R$ 151,00."}},
        {"Percentual de contribuição do rendimento do chefe de família no rendimento familiar", "TabSheet6",
         "gbContribuicao", " Proporção de Contribuição do Rendimento do Chefe no Rendimento Famíliar ",
         true, true, false, false, true,
         {"Razão entre o rendimento do chefe pelo rendimento familiar (multiplicado por 100)."}},
        {"Taxa de analfabetismo", "TabSheet19", "gbAnalfabetismo", " Taxa de Analfabetismo ", true, true, true, false, true,
         {"Razão entre os indivíduos que não sabem ler/escrever pela população da faixa etária selecionada (multiplicado por 100)."}},
        {"Taxa de freqüência à escola", "TabSheet8", "gbFrequenciaEscola", " Taxa de Freqüencia à Escola ",
         true, true, true, false, false,
         {"Razão entre os indivíduos que freqüentam a escola pela população da faixa etária selecionada (multiplicado por 100)."}},
        {"Média de anos de estudo", "TabSheet14", "gbAnosEstudo", " Média de Anos de Estudo ", true, true, true, false, true,
         {"Razão entre o total de anos completos de estudos pelo total de pessoas da faixa etária selecionada."}},
        {"População economicamente ativa", "TabSheet13", "gbPEA", " População Economicamente Ativa",
         true, true, true, false, true,
         {"Pessoas que estão efetivamente disponíveis para o exercício de atividades econômicas, sejam trabalhando ou procurando emprego, com 10 anos de idade ou mais."}},
        {"Taxa de atividade", "TabSheet12", "gbTaxaAtividade", " Taxa de Atividade das Pessoas ", true, true, true, false, true,
         {"Razão entre as pessoas que estão efetivamente disponíveis para o exercício de atividade econômica, seja trabalhando ou procurando emprego pelo número de pessoas da faixa etária selecionada (multiplicado por 100)."}},
        {"População ocupada", "TabSheet9", "gbPopOcupada", " População Ocupada", true, true, true, false, true,
         {"Total de pessoas de 10 anos ou mais de idade que estão trabalhando."}},
        {"Rendimento médio / mediano", "TabSheet10", "gbRendimento", " Rendimento", true, true, true, false, true,
         {"Razão entre a soma do rendimento mensal de todos os trabalhos das pessoas ocupadas com rendimento pelo número total de pessoas com rendimento na faixa etária selecionada."}},
        {"Pessoas portadores de deficiência", "TabSheet11", "gbDeficiencia", " Portadores de Deficiência ",
         true, false, false, false, false,
         {"Número de pessoas que se declararam deficientes.", "", "NOTA",
          "O Censo 1991 investigou a existência de deficiência física ou mental, classificando-as em cegueira, surdez, paralisia,",
          "falta de membro, deficiência mental e mais de uma deficiência"}},
        {"Migração", "TabSheet17", "gbMigracao", "Migração", true, false, false, false, true,
         {"Número de pessoas, de 5 anos ou mais de idade, que migraram nos últimos 5 anos  por local de residência, cujo cálculo é obtido fixando uma área geográfica de  análise e calculando o número de pessoas que entraram nessa área oriundas das demais áreas geográficas"}},
    }};
    return table;
}

const IndicatorInfo& indicatorInfo(int indicator)
{
    if (indicator < 0 || indicator >= IndicatorCount)
        throw std::out_of_range("indicador inexistente: " + std::to_string(indicator));
    return catalogue()[static_cast<std::size_t>(indicator)];
}

const AgeLists& ageLists(int indicator, int census)
{
    static const AgeLists none;
    static const AgeLists populacao{{" ", "0", "4", "7", "10", "15", "18", "20", "25", "30", "50", "60", "65"},
                                    {" ", "3", "6", "9", "14", "17", "19", "24", "29", "49", "59", "64", "ou mais"}};
    static const AgeLists chefes{{" ", "15", "18", "25", "30", "50"}, {" ", "17", "24", "29", "49", "ou mais"}};
    static const AgeLists analfabetismo{{" ", "15", "18", "25"}, {" ", "17", "24", "ou mais"}};
    static const AgeLists escola1991{{" ", "5", "7", "15", "18", "25"}, {" ", "6", "14", "17", "24", "ou mais"}};
    static const AgeLists escola2000{{" ", "0", "7", "15", "18", "25"}, {" ", "6", "14", "17", "24", "ou mais"}};
    static const AgeLists estudo{{"", "7", "15", "18", "25"}, {" ", "14", "17", "24", "ou mais"}};
    static const AgeLists atividade{{" ", "10", "16", "18", "25", "50", "60"},
                                    {" ", "15", "17", "24", "49", "59", "ou mais"}};
    static const AgeLists ocupada{{" ", "10", "10", "16", "18", "25", "50", "60"},
                                  {" ", "ou mais", "15", "17", "24", "49", "59", "ou mais"}};
    static const AgeLists rendimento{{" ", "10", "16", "18", "25", "30", "40", "50"},
                                     {" ", "15", "17", "24", "29", "39", "49", "ou mais"}};
    switch (indicator) {
    case 0: return populacao;
    case 1: return chefes;
    case 6: return analfabetismo;
    case 7: return census == 1991 ? escola1991 : escola2000;
    case 8: return estudo;
    case 9: case 10: return atividade;
    case 11: return ocupada;
    case 12: return rendimento;
    default: return none;
    }
}

const AgeLists& populationTypeAgeLists(int populationType)
{
    static const AgeLists total{{" ", "7", "15", "18", "25"}, {" ", "14", "17", "24", "ou mais"}};
    static const AgeLists ocupada{{" ", "10", "16", "18", "25"}, {" ", "15", "17", "24", "ou mais"}};
    return populationType == 1 ? ocupada : total;
}

#define DAXO_LIST(name, ...)                                        \
    const std::vector<std::string>& name()                          \
    {                                                               \
        static const std::vector<std::string> items{__VA_ARGS__};   \
        return items;                                               \
    }

DAXO_LIST(garbageItems, "diretamente", "indiretamente", "outro destino")
DAXO_LIST(waterItems, " ", "por poço ou nascente", "por rede geral", "por outra forma de abastecimento")
DAXO_LIST(sewageItems, "fossa rudimentar", "vala, rio ou outro", "fossa séptica", "rede geral de esgoto ou pluvial")
DAXO_LIST(familyIncomeItems, " ", "de até 1/2 salário mínimo", "de mais de 2 salários mínimos")
DAXO_LIST(meanPersonsIncomeItems, "de até 1/2 salário mínimo", "de mais de 2 salários mínimos")
DAXO_LIST(populationTypeItems, "Total", "Ocupada")
DAXO_LIST(occupiedPositionItems, " ", "empregado", "militar ou estatutário", "trabalhador doméstico",
          "conta-própria", "empregador", "não remunerado")
DAXO_LIST(incomeTypeItems, "médio da população ocupada", "médio do responsável pelo domicílio",
          "mediano da população ocupada")
DAXO_LIST(incomePositionItems, " ", "empregado", "militar ou estatutário", "trabalhador doméstico",
          "conta-própria", "empregador")
#undef DAXO_LIST

const std::vector<std::string>& deficiencyItems(int census)
{
    static const std::vector<std::string> items1991{
        "incapaz de enxergar", "incapaz de ouvir", "com paralisia de um dos lados", "com paralisia das pernas",
        "com paralisia total", "com falta de membro(s) ou parte dele(s)", "com deficiência mental",
        "com mais de uma deficiência", "com nenhuma das deficiências enumeradas ou sem deficiência"};
    static const std::vector<std::string> items2000{
        "incapaz de enxergar", "com grande dificuldade de enxergar", "com alguma dificuldade de enxergar",
        "com nenhuma dificuldade de enxergar", "incapaz de ouvir", "com grande dificuldade de ouvir",
        "com alguma dificuldade de ouvir", "com nenhuma dificuldade de ouvir", "incapaz de caminhar/ subir escadas",
        "com grande dificuldade de caminhar/ subir escadas", "com alguma dificuldade de caminhar/ subir escadas",
        "com nenhuma dificuldade de caminhar/ subir escadas",
        "com paralisia permanente total, das pernas e de um dos lados do corpo",
        "com falta de perna, braço, mão, pé ou dedo polegar", "com outra deficiência",
        "com deficiência mental permanente"};
    return census == 1991 ? items1991 : items2000;
}

const SexWords& sexWords(int indicator)
{
    static const SexWords populacao{{"", "masculina", "feminina", ""}, {"", "Homens", "Mulheres", "Total"}};
    static const SexWords chefes{{"", "homens", "mulheres", ""}, {"", "Homens", "Mulheres", "Total"}};
    static const SexWords contribuicao{{"", "homem", "mulher", ""}, {"", "Homens", "Mulheres", "Total"}};
    static const SexWords analfabetismo{{"", "dos homens", "das mulheres", "das pessoas"},
                                        {"", "Homens", "Mulheres", "População Total"}};
    static const SexWords pessoas{{"", "do sexo masculino", "do sexo feminino", ""},
                                  {"", "Homens", "Mulheres", "Total"}};
    switch (indicator) {
    case 0: return populacao;
    case 2: case 3: case 4: return chefes;
    case 5: return contribuicao;
    case 6: return analfabetismo;
    default: return pessoas;   // 7 to 14 (1 has no sex boxes)
    }
}

std::string colourText(int indicator, int colour)
{
    static const std::array<std::string, 3> deCor{"", "de cor branca", "de cor preta ou parda"};
    static const std::array<std::string, 3> daCor{"", "da cor branca", "da cor preta ou parda"};
    if (colour < 1 || colour > 2) return "";
    return indicator == 5 ? deCor[static_cast<std::size_t>(colour)] : daCor[static_cast<std::size_t>(colour)];
}

} // namespace daxo::indicators
