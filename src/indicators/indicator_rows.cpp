#include "indicator_rows.h"

#include "age_groups.h"
#include "catalogue.h"
#include "indicator_panels.h"

namespace daxo::indicators {

namespace {

enum class Kind { Base, SexRow, ColourRow, ColourSex, SpouseRow, ColourSpouse };

struct RowShape {
    Kind kind = Kind::Base;
    int sex = 0;      // J: 1, 2, 3
    int colour = 0;   // p: 1, 2
    int spouse = 0;   // a: 1, 2, 3
};

std::string term(const std::string& x, bool lowerCase, bool leadingBlank = true)
{
    return std::string(leadingBlank ? " " : "") + (lowerCase ? "indicador = '" : "Indicador = '") + x + "'";
}

class RowBuilder {
public:
    RowBuilder(IndicatorPanels& panels, IndicatorRows& rows) : panels_(panels), r_(rows), n_(panels.indicatorIndex()) {}

    void build()
    {
        fillWordLists();
        base_ = panelDefinition();
        switch (n_) {
        case 1: layoutHeadsOfFamily(); break;
        case 3: layoutFamilies(); break;
        case 14: layoutMigration(); break;
        default: layoutUsual(); break;
        }
        fillRequestedColumns();
    }

private:
    bool usesAge() const { return indicatorInfo(n_).usaFaixaEtaria; }

    void fillWordLists()
    {
        const IndicatorInfo& info = indicatorInfo(n_);
        if (n_ == 6 && !panels_.ticked("chkMasculino") && !panels_.ticked("chkFeminino") && !panels_.ticked("chkTodos"))
            panels_.setChecked(panels_.control("chkTodos"), true);
        if (info.usaSexo) {
            const SexWords& words = sexWords(n_);
            int j = 1;
            for (const char* box : {"chkMasculino", "chkFeminino", "chkTodos"}) {
                if (panels_.ticked(box)) {
                    r_.TextoSexo[j] = words.text[j];
                    r_.SiglaSexo[j] = SiglaSexo[j];
                    r_.RotuloSexo[j] = words.label[j];
                    r_.TemSexo = true;
                }
                ++j;
            }
        }
        if (info.usaFaixaEtaria) fillAgePhrases();
        if (info.usaCor) {
            int p = 1;
            for (const char* box : {"chkBranco", "chkPreto"}) {
                if (panels_.ticked(box)) {
                    r_.TextoCor[p] = colourText(n_, p);
                    r_.SiglaCor[p] = SiglaCor[p];
                    r_.RotuloCor[p] = RotuloCor[p];
                    r_.TemCor = true;
                }
                ++p;
            }
        }
        if (info.usaConjuge) {
            int a = 1;
            for (const char* box : {"chkConjuge", "chkSemConjuge", "chkTotalConjuge"}) {
                if (panels_.ticked(box)) {
                    r_.TextoConjuge[a] = TextoConjuge[a];
                    r_.SiglaConjuge[a] = SiglaConjuge[a];
                    r_.RotuloConjuge[a] = RotuloConjuge[a];
                    r_.TemConjuge = true;
                }
                ++a;
            }
        }
        r_.SomaFaixas = n_ == 0 || n_ == 9 || n_ == 11;
    }

    void fillAgePhrases()
    {
        Control* first = panels_.find("cbFaixaInicialPopulacao");
        Control* last = panels_.find("cbFaixaFinalPopulacao");
        if (!first || !last) return;
        const AgeLists lists{first->items, last->items};
        if (n_ == 11) first->itemIndex = adjustedFirstAge(n_, lists, first->itemIndex, last->itemIndex);
        if (first->itemIndex <= 0 || last->itemIndex <= 0) return;
        r_.TemIdade = true;
        groups_ = ageGroups(n_, lists, first->itemIndex, last->itemIndex, panels_.ticked("chkContribui"));
        for (const AgeGroup& group : groups_) r_.FaixaEtaria.push_back(group.phrase);
        r_.QtdFaixas = static_cast<int>(r_.FaixaEtaria.size());
    }

    Definition panelDefinition() const
    {
        Definition d;
        d.indicator = n_;
        d.census = panels_.censusYear();
        auto index = [&](const char* name) { return panels_.control(name).itemIndex; };
        switch (n_) {
        case 2:
            d.garbageCollected = panels_.ticked("RadioLixoColetado");
            d.garbage = panels_.control("cbLixoColetado").text();
            d.pipedWater = panels_.ticked("RadioAguaCanalizada");
            d.hasWater = panels_.control("cbAguaCanalizada").hasSelection();
            d.water = panels_.control("cbAguaCanalizada").text();
            d.sewage = panels_.ticked("RadioEsgotamentoSanitario");
            d.sewageType = panels_.control("cbEsgotamentoSanitario").text();
            break;
        case 3:
            d.children0to6 = panels_.ticked("ckCriancasTotalFamilias");
            d.incomeBracket = std::max(0, index("cbRendimentoTotalFamilias"));
            break;
        case 4:
            d.incomeBracket = panels_.control("cbRendimentoNumMedioPessoas").hasSelection()
                ? index("cbRendimentoNumMedioPessoas") + 1 : 0;
            break;
        case 8: d.occupiedPopulation = index("cbTipoPopulacao") != 0; break;
        case 11:
            d.position = std::max(0, index("cbPosicaoPopOcupada"));
            d.contributes = panels_.ticked("chkContribui");
            break;
        case 12:
            d.incomeType = index("cbTipoRendMedio12");
            d.position = d.incomeType != 1 ? std::max(0, index("cbPosicaoRendMedio")) : 0;
            break;
        case 13: {
            const bool shows1991 = panels_.control("cbDeficiencia1991").visible;
            d.census = shows1991 ? 1991 : 2000;
            d.deficiency = index(shows1991 ? "cbDeficiencia1991" : "cbDeficiencia2000");
            break;
        }
        default: break;
        }
        return d;
    }

    void setRow(int row, const RowShape& shape)
    {
        Definition d = base_;
        d.sex = shape.sex == 1 ? Sex::Male : shape.sex == 2 ? Sex::Female : Sex::All;
        d.colour = shape.colour == 1 ? Colour::White : shape.colour == 2 ? Colour::BlackOrBrown : Colour::All;
        d.spouse = shape.spouse == 1 ? Spouse::With : shape.spouse == 2 ? Spouse::Without : Spouse::All;
        d.lowerCase = shape.kind == Kind::Base && r_.TemIdade;
        std::vector<Definition> terms;
        if (r_.TemIdade) {
            for (const AgeGroup& group : groups_) {
                d.agePhrase = group.phrase;
                d.ageMin = group.min;
                d.ageMax = group.max;
                terms.push_back(d);
            }
        } else if (!(usesAge() && n_ >= 7 && n_ <= 11 && shape.kind != Kind::Base)) {
            terms.push_back(d);
        }
        if (terms.empty()) return;
        const auto r = static_cast<std::size_t>(row);
        std::string condition;
        for (std::size_t k = 0; k < terms.size(); ++k) {
            const std::string t = term(definitionText(terms[k]), terms[k].lowerCase);
            condition += (k ? " or" : "") + t;
            if (r_.TemIdade && k < IndicatorRows::MaxAgeGroups) r_.FiltroLinhaIdade[r][k + 1] = t;
        }
        r_.FiltroLinha[r] = condition;
        r_.DefinicoesLinha[r] = std::move(terms);
        r_.CampoLinha[r] = column(shape);
        r_.RotuloLinha[r] = label(shape);
    }

    std::string column(const RowShape& s) const
    {
        switch (s.kind) {
        case Kind::Base: return "Total";
        case Kind::SexRow: return r_.SiglaSexo[s.sex];
        case Kind::ColourRow: return r_.SiglaCor[s.colour];
        case Kind::ColourSex: return r_.SiglaCor[s.colour] + r_.SiglaSexo[s.sex];
        case Kind::SpouseRow: return r_.SiglaConjuge[s.spouse];
        case Kind::ColourSpouse: return r_.SiglaConjuge[s.spouse] + r_.SiglaCor[s.colour];
        }
        return "";
    }

    std::string label(const RowShape& s) const
    {
        switch (s.kind) {
        case Kind::Base: return n_ == 0 ? "total" : n_ == 6 ? "da população total" : "Total";
        case Kind::SexRow: return r_.RotuloSexo[s.sex];
        case Kind::ColourRow: return r_.RotuloCor[s.colour] + (n_ == 1 ? " Total" : "");
        case Kind::ColourSex:
            return r_.RotuloSexo[s.sex] + " " + CorConcordante(r_.RotuloCor[s.colour], r_.RotuloSexo[s.sex]);
        case Kind::SpouseRow: return r_.RotuloConjuge[s.spouse];
        case Kind::ColourSpouse: return r_.RotuloCor[s.colour] + " " + r_.RotuloConjuge[s.spouse];
        }
        return "";
    }

    // Sex rows (or the base row), then per colour its colour row and its
    // colour-by-sex rows.
    void layoutUsual()
    {
        const bool fixedSexRows = n_ == 2 || n_ == 4 || n_ == 5 || n_ == 13;
        int next = 1;
        for (int j = 1; j <= 3; ++j)
            if (!r_.SiglaSexo[j].empty()) setRow(fixedSexRows ? j : next++, {Kind::SexRow, j, 0, 0});
        if (!r_.TemCor) {
            if (!r_.TemSexo) setRow(1, {Kind::Base});
            return;
        }
        if (fixedSexRows) next = r_.TemSexo ? 4 : 1;
        const bool colourRows = n_ != 4 && n_ != 6;
        for (int p = 1; p <= 2; ++p) {
            if (r_.SiglaCor[p].empty()) continue;
            if (colourRows) setRow(next++, {Kind::ColourRow, 0, p, 0});
            for (int j = 1; j <= 2; ++j)
                if (!r_.SiglaSexo[j].empty()) setRow(next++, {Kind::ColourSex, j, p, 0});
        }
    }

    void layoutHeadsOfFamily()
    {
        for (int a = 1; a <= 3; ++a)
            if (!r_.SiglaConjuge[a].empty()) setRow(a, {Kind::SpouseRow, 0, 0, a});
        if (!r_.TemConjuge && !r_.TemCor) setRow(1, {Kind::Base});
        if (!r_.TemCor) return;
        int next = r_.TemConjuge ? 4 : 1;
        for (int p = 1; p <= 2; ++p) {
            if (r_.SiglaCor[p].empty()) continue;
            setRow(next++, {Kind::ColourRow, 0, p, 0});
            for (int a = 1; a <= 2; ++a)
                if (!r_.SiglaConjuge[a].empty()) setRow(next++, {Kind::ColourSpouse, 0, p, a});
        }
    }

    void layoutFamilies()
    {
        if (!r_.TemCor) {
            for (int j = 1; j <= 3; ++j)
                if (!r_.SiglaSexo[j].empty()) setRow(j, {Kind::SexRow, j, 0, 0});
            if (!r_.TemSexo) setRow(1, {Kind::Base});
            return;
        }
        int next = 1;
        for (int p = 1; p <= 2; ++p)
            for (int j = 1; j <= 2; ++j)
                if (!r_.SiglaCor[p].empty() && !r_.SiglaSexo[j].empty()) setRow(next++, {Kind::ColourSex, j, p, 0});
    }

    void layoutMigration()
    {
        const bool entry = panels_.ticked("chkEntrada"), exit = panels_.ticked("chkSaida");
        const bool both = entry == exit;
        int next = 1;
        auto add = [&](bool isEntry, int j, bool leadingBlank) {
            Definition d = base_;
            d.entry = isEntry;
            d.sex = j == 1 ? Sex::Male : j == 2 ? Sex::Female : Sex::All;
            const auto r = static_cast<std::size_t>(next++);
            r_.FiltroLinha[r] = term(definitionText(d), false, leadingBlank);
            r_.CampoLinha[r] = (isEntry ? "entrada" : "saida") + (j ? r_.SiglaSexo[j] : "");
            r_.RotuloLinha[r] = isEntry ? "Entrada" : "Saída";
            if (j) r_.RotuloLinha[r] += " " + r_.RotuloSexo[j];
            r_.DefinicoesLinha[r] = {d};
        };
        auto direction = [&](int j) {
            if (both || entry) add(true, j, false);
            if (both || exit) add(false, j, both);
        };
        if (!r_.TemSexo) {
            direction(0);
            return;
        }
        for (int j = 1; j <= 3; ++j)
            if (!r_.SiglaSexo[j].empty()) direction(j);
    }

    void fillRequestedColumns()
    {
        auto& out = r_.CamposPedidos;
        const auto& second = n_ == 1 ? r_.SiglaConjuge : r_.SiglaSexo;
        const bool hasSecond = n_ == 1 ? r_.TemConjuge : r_.TemSexo;
        if (r_.TemCor) {
            for (int p = 1; p <= 2; ++p) {
                if (r_.SiglaCor[p].empty()) continue;
                if (!hasSecond) {
                    out.push_back(r_.SiglaCor[p]);
                    continue;
                }
                for (int j = 1; j <= 3; ++j)
                    if (!second[j].empty())
                        out.push_back(n_ == 1 ? second[j] + r_.SiglaCor[p] : r_.SiglaCor[p] + second[j]);
            }
        } else if (hasSecond) {
            for (int j = 1; j <= 3; ++j)
                if (!second[j].empty()) out.push_back(second[j]);
        } else {
            out.push_back("Total");
        }
    }

    IndicatorPanels& panels_;
    IndicatorRows& r_;
    const int n_;
    Definition base_;
    std::vector<AgeGroup> groups_;
};

} // namespace

std::string CorConcordante(const std::string& rotuloCor, const std::string& rotuloSexo)
{
    const bool men = rotuloSexo == "Homens", women = rotuloSexo == "Mulheres";
    if (rotuloCor == "Branca" && (men || women)) return men ? "Brancos" : "Brancas";
    if (rotuloCor == "Preta ou Parda" && (men || women)) return men ? "Pretos ou Pardos" : "Pretas ou Pardas";
    return "Total";
}

IndicatorRows MontaLinhasIndicador(IndicatorPanels& panels)
{
    IndicatorRows rows;
    if (panels.indicatorIndex() < 0) return rows;
    RowBuilder(panels, rows).build();
    return rows;
}

} // namespace daxo::indicators
