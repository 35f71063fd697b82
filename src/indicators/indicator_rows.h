#pragma once
// MontaLinhasIndicador: the indicator rows of the chosen panel, each a
// condition over the definition table's INDICADOR texts, the work-table
// column that holds its value and its label.
#include "definition.h"

#include <array>
#include <string>
#include <vector>

namespace daxo::indicators {

class IndicatorPanels;

struct IndicatorRows {
    static constexpr int MaxRows = 11;
    static constexpr int MaxAgeGroups = 7;

    // Rows are numbered 1..MaxRows (entry 0 unused); a row exists when its
    // condition is not empty, and there may be gaps.
    std::array<std::string, MaxRows + 1> FiltroLinha;
    std::array<std::string, MaxRows + 1> CampoLinha;
    std::array<std::string, MaxRows + 1> RotuloLinha;
    // FiltroLinhaIdade[row][k], k = 1..MaxAgeGroups: the row's k-th term alone.
    std::array<std::array<std::string, MaxAgeGroups + 1>, MaxRows + 1> FiltroLinhaIdade;
    // The definition behind each term of each row, in term order.
    std::array<std::vector<Definition>, MaxRows + 1> DefinicoesLinha;
    std::vector<std::string> CamposPedidos;

    // Word lists, entries 1..3 (0 unused); empty when the box is not ticked.
    std::array<std::string, 4> TextoSexo, SiglaSexo, RotuloSexo;
    std::array<std::string, 4> TextoCor, SiglaCor, RotuloCor;
    std::array<std::string, 4> TextoConjuge, SiglaConjuge, RotuloConjuge;

    std::vector<std::string> FaixaEtaria;   // age phrases, QtdFaixas of them
    int QtdFaixas = 0;
    bool TemSexo = false, TemCor = false, TemIdade = false, TemConjuge = false;
    bool SomaFaixas = false;

    bool hasRow(int row) const { return row >= 1 && row <= MaxRows && !FiltroLinha[static_cast<std::size_t>(row)].empty(); }
};

// Builds the rows from the bound panel. Like the form it stands for, it may
// tick chkTodos (indicator 6, which runs the rules) and move indicator 11's
// first age.
IndicatorRows MontaLinhasIndicador(IndicatorPanels& panels);

// "the colour word that agrees with a sex label" of the colour-by-sex labels.
std::string CorConcordante(const std::string& rotuloCor, const std::string& rotuloSexo);

} // namespace daxo::indicators
