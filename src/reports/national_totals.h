#pragma once
// The built-in national totals the Brazil-percentage pages and charts divide by.
#include <string>

namespace daxo::reports {

// The panel choices that select a national total; -1 / 0 mean "none".
struct NationalTotalChoice {
    int indicator = 0;
    int lixoColetado = -1;         // entry of cbLixoColetado
    bool aguaCanalizada = false;   // RadioAguaCanalizada ticked
    int tipoAgua = -1;             // entry of cbAguaCanalizada
    int esgotamento = -1;          // entry of cbEsgotamentoSanitario
    bool criancas = false;         // ckCriancasTotalFamilias
    int rendimento = 0;            // entry of cbRendimentoTotalFamilias
    bool contribui = false;        // chkContribui
    int posicao = 0;               // entry of cbPosicaoPopOcupada
    int deficiencia = -1;          // entry of the census' deficiency list
};

// Keeps `TotalBrasil` between calls: indicators without a total, and a
// deficiency query with no entry chosen, leave the previous value.
class TotalBrasil {
public:
    // `censo` "1991" selects the 1991 figures, any other text those of 2000.
    double CalculaTotalBrasil(const std::string& censo, const NationalTotalChoice& choice);
    double value() const { return value_; }

private:
    double value_ = 0;
};

} // namespace daxo::reports
