// The selection rules run after every change on a panel, and the step check
// run when the user leaves the indicator page forwards.
#include "app/refusal.h"
#include "catalogue.h"
#include "indicator_panels.h"

#include <algorithm>

namespace daxo::indicators {

using app::refuse;

namespace {
const std::string MeanIncomeNote =
    "Razão entre a soma do rendimento mensal de todos os trabalhos das pessoas ocupadas com rendimento pelo número "
    "total de pessoas com rendimento na faixa etária selecionada.";
const std::string MedianIncomeNote =
    "Valor do rendimento mensal de todos os trabalhos que concentram 50% da população ocupada, obtido a partir da "
    "ordenação do rendimento entre o menor e o maior valor observado, na faixa etária selecionada.";

struct DeficiencyNote {
    int firstItem;
    std::string noneSentence;   // for the last item of the group ("nenhuma dificuldade")
    std::string selfAssessment;
};

const std::array<DeficiencyNote, 3>& deficiencyNotes()
{
    static const std::array<DeficiencyNote, 3> notes{{
        {0,
         "Número de pessoas que se declaram sem nenhuma dificuldade permanente para enxergar, ainda que isto exija o "
         "uso de óculos ou lentes de contato.",
         "Auto-avaliação da capacidade de enxergar. Caso a pessoas usasse óculos ou lentes de contato, a avaliação foi "
         "feita enquanto os estivesse usando."},
        {4,
         "Número de pessoas que se declararam sem nenhuma dificuldade de para ouvir, aind que isto exija o uso de "
         "aparelho auditivo.",
         "Auto-avaliação da capacidade de ouvir. Caso a pessoa usasse aparelho auditivo, a avaliação foi feita enquanto "
         "o estivesse usando"},
        {8,
         "Número de pessoas que se declararam se nenhuma dificulade de caminhar ou subir"
         " escadas sem ajuda de outra pessoa, ainda que isto exija o uso de prótese ou aparaelho auxiliar. "
         "Considerou-se neste item as crianças que, por sua pouca idade, apresentaram pouca ou nenhuma capacidade de "
         "caminhar",
         "Auto-avaliação da capacidade de caminhar/subir escadas. Caso a pessoa usasse prótese, bengala ou aparelho "
         "auxiliar, a avaliação foi fieta enquanto o estivesse usando"},
    }};
    return notes;
}
} // namespace

bool IndicatorPanels::colourTicked() const
{
    return ticked("chkBranco") || ticked("chkPreto") || ticked("chkTodas");
}

bool IndicatorPanels::ageComplete() const
{
    return itemIndex("cbFaixaInicialPopulacao") > 0 && itemIndex("cbFaixaFinalPopulacao") > 0;
}

void IndicatorPanels::chkMasculinoClick()
{
    ruleTotalWithColour();
    ruleIncomeNotes();
    ruleSocialSecurity();
    ruleDeficiencyNotes();
    MontaFiltro();
}

void IndicatorPanels::ruleTotalWithColour()
{
    const int n = indicatorIndex_;
    if ((n == 3 || n == 4) && colourTicked() && ticked("chkTodos")) {
        setChecked(control("chkTodos"), false);
        refuse("A opção total não pode se usada com cor");
    }
}

void IndicatorPanels::ruleIncomeNotes()
{
    if (indicatorIndex_ != 12) return;
    const int type = control("cbTipoRendMedio12").itemIndex;
    notes_ = type == 0 || type == 1 ? MeanIncomeNote : MedianIncomeNote;
    Control& position = control("cbPosicaoRendMedio");
    Control& label = control("lblPosicaoRendMedio");
    if (type == 1) position.itemIndex = -1;
    position.enabled = label.enabled = type != 1;
    control("lbOu").visible = type != 1;
}

void IndicatorPanels::ruleSocialSecurity()
{
    if (indicatorIndex_ != 11) return;
    if (itemIndex("cbFaixaInicialPopulacao") == 2 && itemIndex("cbFaixaFinalPopulacao") == 2 && ticked("chkContribui")) {
        setChecked(control("chkContribui"), false);
        refuse("A opção - contribui para a previdência - não é válida para esta opção, pode-se usar a opção de 10 anos "
               "ou mais de idade");
    }
}

void IndicatorPanels::ruleDeficiencyNotes()
{
    if (indicatorIndex_ != 13 || census_ != "2000") return;
    notes_.clear();
    const int item = control("cbDeficiencia2000").itemIndex;
    for (const DeficiencyNote& note : deficiencyNotes()) {
        if (item < note.firstItem || item > note.firstItem + 3) continue;
        notes_ = "NOTA\r\n";
        if (item == note.firstItem + 3) notes_ += note.noneSentence;
        notes_ += "\r" + note.selfAssessment;
    }
}

void IndicatorPanels::VerificaPasso3()
{
    const int n = indicatorIndex_;
    auto among = [n](std::initializer_list<int> set) { return std::find(set.begin(), set.end(), n) != set.end(); };
    const int first = itemIndex("cbFaixaInicialPopulacao");
    const int last = itemIndex("cbFaixaFinalPopulacao");
    const bool complete = ageComplete();
    const int type = n == 12 ? control("cbTipoRendMedio12").itemIndex : -1;
    const bool positionChosen = n == 12 && control("cbPosicaoRendMedio").itemIndex > 0;
    const int occupiedPosition = n == 11 ? control("cbPosicaoPopOcupada").itemIndex : -1;

    if (n == 2 && ticked("RadioLixoColetado") && !control("cbLixoColetado").hasSelection())
        refuse("Escolha uma forma de lixo coletado");
    if (n == 2 && ticked("RadioEsgotamentoSanitario") && !control("cbEsgotamentoSanitario").hasSelection())
        refuse("Escolha uma forma de esgotamento sanitário");
    if (among({3, 4, 6}) && colourTicked() && !ticked("chkMasculino") && !ticked("chkFeminino"))
        refuse("Escolha pelo menos uma opção - Masculino ou Feminino - quando usar cor");
    if (n >= 6 && n <= 11 && !complete) refuse("Preenchimento das faixas etárias inicial e final é obrigatório");
    if (among({7, 13}) && census_ == "1991 e 2000")
        refuse("Este indicador não pode ser comparado entre os anos, escolha um ano de cada vez");
    if (n == 12 && type == 2 && !positionChosen && !complete)
        refuse("Para o redimento mediano da população ocupada, escolha a faixa etária ou uma das opções de "
               "\"Posição na ocupação\" ");
    if (n == 12 && complete && positionChosen)
        refuse("As opções faixa etária e na posição de, não podem ser escolhidas juntas\rEscolha somente uma das opções");
    if (n == 12 && type == 1 && !complete)
        refuse("A faixa etária e obrigatória para o tipo de rendimento médio da população ocupada \rEscolha a faixa "
               "etária");
    if (n == 12 && type == 0 && !complete && !positionChosen)
        refuse("Para o redimento médio da população ocupada, escolha a faixa etária ou uma das opções de "
               "\"Posição na ocupação\" ");
    if (among({6, 7, 8, 9, 10, 12}) && first > last) refuse("A faixa etária inicial não pode ser maior que a final");
    if (among({6, 7, 8, 9, 10, 12}) && last >= 1 && first <= 0) refuse("A faixa etária inicial deve ser preenchida ");
    if (n == 13) {
        const Control& shown = control("cbDeficiencia1991").visible ? control("cbDeficiencia1991")
                                                                    : control("cbDeficiencia2000");
        if (!shown.hasSelection()) refuse("Escolha pelo menos um indicador");
    }
    if (n == 14 && !ticked("chkEntrada") && !ticked("chkSaida"))
        refuse("Escolha umas das opçoes -  entrada ou/e saída");
    if (n == 11 && ticked("chkContribui") && occupiedPosition == 6)
        refuse("Na posição de não remunerado e que contribui para a previdência social não podem estar selecionados "
               "juntos");
    if (n == 11 && ticked("chkContribui") && occupiedPosition == 2)
        refuse("Na posição de militar e que contribui para a previdência social não podem estar selecionados juntos");
    // A half-chosen age range would title the result with an age the rows do not ask for.
    if (among({0, 1, 12}) && first > 0 && last <= 0) refuse("Preenchimento das faixas etárias inicial e final é obrigatório");
    if (among({0, 1}) && last > 0 && first <= 0) refuse("A faixa etária inicial deve ser preenchida ");
    // Without a population type the caption and the rows would speak of the occupied population over the ages of the total.
    if (n == 8 && control("cbTipoPopulacao").itemIndex < 0) refuse("Escolha o tipo de população - Total ou Ocupada");
    MontaFiltro();
}

} // namespace daxo::indicators
