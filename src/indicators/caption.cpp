// MontaFiltro: the one-line caption of the query, rebuilt from the bound panel.
#include "app/refusal.h"
#include "catalogue.h"
#include "indicator_panels.h"

namespace daxo::indicators {

namespace {

// Sex phrases by the boxes ticked (rows) and the indicator's column.
enum SexColumn { Households, Families, Contribution, Illiteracy, School, OtherSex };
enum SexRow { MenWomenTotal, MenWomen, MenOnly, WomenOnly };

const std::string& sexPhrase(SexRow row, SexColumn column)
{
    static const std::array<std::array<std::string, 6>, 4> table{{
        {" chefiados por mulheres, homens e total", " chefiadas por mulheres, homens e total", " mulher, homem e total",
         " de homens, mulheres e população total", " de homens , mulheres e total", " de homens,  mulheres e total"},
        {" chefiados por mulheres e homens", " chefiadas por mulheres e homens", " mulher e homem",
         " de homens e mulheres", " de homens e mulheres", " de homens e mulheres"},
        {" chefiados por homens", " chefiadas por homens", " homem", " de homens", " de homens", " de homens"},
        {" chefiados por mulheres", " chefiadas por mulheres", " mulher", " de mulheres", " de mulheres", " de mulheres"},
    }};
    return table[row][column];
}

SexColumn sexColumn(int n)
{
    switch (n) {
    case 2: return Households;
    case 3: case 4: return Families;
    case 5: return Contribution;
    case 6: return Illiteracy;
    case 7: return School;
    default: return OtherSex;
    }
}

} // namespace

void IndicatorPanels::MontaFiltro()
{
    struct Publish {   // the label shows what was built, also when a refusal stops the rebuild
        IndicatorPanels& page;
        ~Publish() { page.publishCaption(); }
    } publish{*this};

    const int n = indicatorIndex_;
    SexoEscrito_ = false;
    captionVisible_ = true;
    caption_ = indicatorText();
    if (n == 1) caption_ = "Proporção de mulheres, chefes de família";
    if (n == 3 && ticked("ckCriancasTotalFamilias")) append(" " + control("ckCriancasTotalFamilias").caption + " de idade");
    if (n == 5) caption_ = "Proporção de contribuição do rendimento do chefe";
    if (n == 8) append(control("cbTipoPopulacao").itemIndex == 0 ? " da população" : " da população ocupada");

    if (n == 7 || n == 8 || n == 10 || n == 11) {
        FiltroFaixaEtaria();
        FiltroSexo();
        FiltroCor();
        if (n == 11) {
            const Control& position = control("cbPosicaoPopOcupada");
            if (position.itemIndex > 0) append(" na posição de " + position.text());
            if (ticked("chkContribui")) append(" que contribui para a previdência social");
        }
    } else if (n == 12) {
        const Control& type = control("cbTipoRendMedio12");
        const Control& position = control("cbPosicaoRendMedio");
        caption_ = "Rendimento " + type.text();
        if (type.itemIndex != 1 && position.itemIndex > 0) append(" na posição de " + position.text());
        FiltroFaixaEtaria();
        FiltroSexo();
        FiltroCor();
    } else if (n == 13) {
        const Control& list1991 = control("cbDeficiencia1991");
        caption_ = "População";
        append(" " + (list1991.visible ? list1991 : control("cbDeficiencia2000")).text());
        FiltroSexo();
    } else {
        FiltroSexo();
        FiltroFaixaEtaria();
        FiltroCor();
        FiltroConjuge();
    }

    if (n == 2) {
        for (const char* radio : {"RadioLixoColetado", "RadioAguaCanalizada", "RadioEsgotamentoSanitario"})
            if (ticked(radio)) append(" " + control(radio).caption);
        if (const Control& c = control("cbLixoColetado"); c.hasSelection()) append(" " + c.text());
        if (const Control& c = control("cbAguaCanalizada"); c.hasSelection()) append(" " + c.text());
        if (const Control& c = control("cbEsgotamentoSanitario"); c.hasSelection()) append(" do tipo " + c.text());
    }
    if (n == 3 && control("cbRendimentoTotalFamilias").itemIndex > 0)
        append(" com " + control("Label20").caption + " " + control("cbRendimentoTotalFamilias").text());
    if (n == 4 && control("cbRendimentoNumMedioPessoas").hasSelection())
        append(" com " + control("Label21").caption + " " + control("cbRendimentoNumMedioPessoas").text());
    if (n == 5) append(" no rendimento familiar");
    if (n == 14) {
        caption_ = " Informações ";
        if (ticked("chkEntrada")) append("de entrada");
        if (ticked("chkSaida")) append("de saída");
        if (ticked("chkEntrada") && ticked("chkSaida")) caption_ = " Informações de entrada e saída";
        append(" entre duas datas fixas da população");
        FiltroSexo();
    }
    if (n == 1) append(" com filhos no domicílio");
    if (n == 6 || n == 7 || n == 10) append(" (%)");
}

void IndicatorPanels::FiltroSexo()
{
    if (!UsaSexo) return;
    const int n = indicatorIndex_;
    const bool men = ticked("chkMasculino"), women = ticked("chkFeminino"), total = ticked("chkTodos");
    const SexColumn column = sexColumn(n);
    if (men || women) {
        const SexRow row = men && women ? (total ? MenWomenTotal : MenWomen) : (men ? MenOnly : WomenOnly);
        append(sexPhrase(row, column));
        if (n == 7) SexoEscrito_ = true;
    }
    if (women && total && !men) append(n == 6 ? " da população total" : " e total");
    if (total && !men && !women) {
        if (n == 6) append(" da população total");
        else if (n != 7) append(" total");
    }
}

void IndicatorPanels::FiltroCor()
{
    if (!UsaCor) return;
    const int n = indicatorIndex_;
    const bool white = ticked("chkBranco"), black = ticked("chkPreto");
    if (!white && !black) return;
    const int row = white && black ? 0 : (white ? 1 : 2);
    static const std::array<std::array<std::string, 3>, 4> table{{
        {" de cor branca e preta ou parda", " de cor branca", " de cor preta ou parda"},
        {" das pessoas de cor branca e preta ou parda", " das pessoas da cor branca", " das pessoas da cor preta ou parda"},
        {" de cor branca e preta ou parda", " da cor branca", " da cor preta ou parda"},
        {" da cor branca e preta ou parda", " da cor branca", " da cor preta ou parda"},
    }};
    const int column = n == 5 ? 0 : n == 7 ? (SexoEscrito_ ? 2 : 1) : 3;
    append(table[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)]);
}

void IndicatorPanels::FiltroConjuge()
{
    if (!UsaConjuge) return;
    const bool with = ticked("chkConjuge"), without = ticked("chkSemConjuge"), total = ticked("chkTotalConjuge");
    std::string phrase;
    if (with && without) phrase = total ? " com cônjuge, sem cônjuge e total" : " com cônjuge e sem cônjuge";
    else if (with) phrase = total ? " com cônjuge e total" : " com cônjuge";
    else if (without) phrase = total ? " sem cônjuge e total" : " sem cônjuge";
    else if (total) phrase = " total";
    append(phrase);
}

void IndicatorPanels::FiltroFaixaEtaria()
{
    if (!UsaFaixaEtaria) return;
    Control* first = find("cbFaixaInicialPopulacao");
    Control* last = find("cbFaixaFinalPopulacao");
    if (!first || !last) return;

    // The hint lists every age group of the two lists.
    auto ageText = [](const std::string& lower, const std::string& upper) {
        if (upper.empty()) return "de " + lower + " anos de idade";
        if (lower.empty()) return "de " + upper + " anos de idade";
        if (upper == "ou mais") return "de " + lower + " " + upper + " anos de idade";
        return "de " + lower + " a " + upper + " anos de idade";
    };
    const std::size_t groups = std::max(first->items.size(), last->items.size());
    std::string hint;
    for (std::size_t k = 1; k < groups; ++k) {
        const std::string lower = k < first->items.size() ? first->items[k] : "";
        const std::string upper = k < last->items.size() ? last->items[k] : "";
        if (lower.empty() && upper.empty()) continue;
        hint += (hint.empty() ? "" : "\r") + ("Faixa etária: " + ageText(lower, upper));
    }
    first->hint = last->hint = hint;
    for (int k = 1; k <= 9; ++k)
        if (Control* label = find("lbFaixaEtaria" + std::to_string(k))) label->hint = hint;

    const bool firstChosen = first->itemIndex > 0, lastChosen = last->itemIndex > 0;
    if (firstChosen && lastChosen && last->itemIndex < first->itemIndex)
        app::refuse("A faixa etária inicial não pode ser maior que a final");
    if (firstChosen || lastChosen)
        append(" " + ageText(firstChosen ? first->text() : "", lastChosen ? last->text() : ""));
}

} // namespace daxo::indicators
