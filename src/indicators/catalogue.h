#pragma once
// The fixed data of the indicator page: the fifteen indicators, their panels'
// lists and captions, and the words the indicator rows are made of.
#include <array>
#include <string>
#include <vector>

namespace daxo::indicators {

constexpr int IndicatorCount = 15;

struct IndicatorInfo {
    std::string itemText;            // text in cbIndicadores
    std::string page;                // page of PageControl2
    std::string groupBox;            // name of the group box
    std::string groupCaption;        // caption of the group box
    bool usaSexo, usaCor, usaFaixaEtaria, usaConjuge;
    bool allowedForBothCensuses;
    std::vector<std::string> description;  // lines of lblNotas
};

const std::array<IndicatorInfo, IndicatorCount>& catalogue();
const IndicatorInfo& indicatorInfo(int indicator);

// The two age lists of a panel; item i of both lists is the i-th age group.
struct AgeLists {
    std::vector<std::string> first;
    std::vector<std::string> last;
};
// census matters for indicator 7 only; empty lists for panels without ages.
const AgeLists& ageLists(int indicator, int census);
const AgeLists& populationTypeAgeLists(int populationType);   // indicator 8: 0 Total, 1 Ocupada

// Option lists of particular panels.
const std::vector<std::string>& garbageItems();          // cbLixoColetado
const std::vector<std::string>& waterItems();            // cbAguaCanalizada
const std::vector<std::string>& sewageItems();           // cbEsgotamentoSanitario
const std::vector<std::string>& familyIncomeItems();     // cbRendimentoTotalFamilias
const std::vector<std::string>& meanPersonsIncomeItems();// cbRendimentoNumMedioPessoas
const std::vector<std::string>& populationTypeItems();   // cbTipoPopulacao
const std::vector<std::string>& occupiedPositionItems(); // cbPosicaoPopOcupada
const std::vector<std::string>& incomeTypeItems();       // cbTipoRendMedio12
const std::vector<std::string>& incomePositionItems();   // cbPosicaoRendMedio
const std::vector<std::string>& deficiencyItems(int census);  // cbDeficiencia1991 / 2000

// Fixed captions read by the caption and the rows.
inline const std::string GarbageCaption = "com lixo coletado";
inline const std::string WaterCaption = "com água canalizada";
inline const std::string SewageCaption = "com esgotamento sanitário";
inline const std::string ChildrenCaption = "com crianças de 0 a 6 anos";
inline const std::string IncomeLabelCaption = "rendimento familiar per capita";

// Words of the indicator rows, entries 1 masculine, 2 feminine, 3 total
// (index 0 unused).
struct SexWords {
    std::array<std::string, 4> text;
    std::array<std::string, 4> label;
};
const SexWords& sexWords(int indicator);
inline const std::array<std::string, 4> SiglaSexo{"", "Mas", "Fem", "Total"};
inline const std::array<std::string, 3> SiglaCor{"", "Bra", "Pre"};
inline const std::array<std::string, 3> RotuloCor{"", "Branca", "Preta ou Parda"};
std::string colourText(int indicator, int colour);  // TextoCor; colour 1 or 2
inline const std::array<std::string, 4> SiglaConjuge{"", "conj", "Sem", "Total"};
inline const std::array<std::string, 4> RotuloConjuge{"", "com Cônjuge", "sem Cônjuge", "Total"};
inline const std::array<std::string, 4> TextoConjuge{"", "com cônjuge", "sem cônjuge", ""};

} // namespace daxo::indicators
