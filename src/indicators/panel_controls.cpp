#include "catalogue.h"
#include "controls.h"

namespace daxo::indicators {

namespace {

class PanelBuilder {
public:
    explicit PanelBuilder(std::vector<Control>& out) : out_(out) {}

    void panel(int indicator) { indicator_ = indicator; }

    Control& add(ControlKind kind, std::string name, std::string caption, std::string group,
                 ControlAction action = ControlAction::None)
    {
        Control c;
        c.kind = kind;
        c.name = std::move(name);
        c.caption = std::move(caption);
        c.group = std::move(group);
        c.action = action;
        c.indicator = indicator_;
        out_.push_back(std::move(c));
        return out_.back();
    }
    Control& check(std::string name, std::string caption, std::string group)
    {
        return add(ControlKind::CheckBox, std::move(name), std::move(caption), std::move(group), ControlAction::Rules);
    }
    Control& label(std::string name, std::string caption, std::string group)
    {
        return add(ControlKind::Label, std::move(name), std::move(caption), std::move(group));
    }
    Control& combo(std::string name, std::vector<std::string> items, std::string hint, std::string group,
                   ControlAction action = ControlAction::Rules)
    {
        Control& c = add(ControlKind::ComboBox, std::move(name), "", std::move(group), action);
        c.items = std::move(items);
        c.hint = std::move(hint);
        return c;
    }
    Control& radioGroup(std::string name, std::string caption, std::vector<std::string> items, std::string group,
                        ControlAction action)
    {
        Control& c = add(ControlKind::RadioGroup, std::move(name), std::move(caption), std::move(group), action);
        c.items = std::move(items);
        return c;
    }

    // The designed form names indicator 0's role controls plainly.
    std::string indexed(const std::string& role) const
    {
        return indicator_ == 0 ? role : role + std::to_string(indicator_);
    }

    void head(const std::string& caption) { label("lbChefe" + std::to_string(indicator_), caption, "chefe"); }

    void sexBoxes(const std::string& totalName = "chkTodos")
    {
        check(indexed("chkMasculino"), "Homens", "sexo");
        check(indexed("chkFeminino"), "Mulheres", "sexo");
        check(indicator_ == 0 ? totalName : totalName + std::to_string(indicator_), "Total", "sexo");
    }

    void colourBoxes(const std::string& totalName = "chkTodas")
    {
        check(indexed("chkBranco"), "Branca", "cor");
        check(indexed("chkPreto"), "Preta ou Parda", "cor");
        check(indicator_ == 0 ? totalName : totalName + std::to_string(indicator_), "Total", "cor").visible = false;
    }

    void ageRange(int labelNumber, const AgeLists& lists)
    {
        label("lbFaixaEtaria" + std::to_string(labelNumber), "Faixa Etária", "idade");
        agePair(indexed(""), lists);
    }

    void agePair(const std::string& suffix, const AgeLists& lists)
    {
        label("lbDe" + suffix, "De", "idade");
        combo("cbFaixaInicialPopulacao" + suffix, lists.first, "", "idade");
        label("lbA" + suffix, "a", "idade");
        combo("cbFaixaFinalPopulacao" + suffix, lists.last, "", "idade");
    }

private:
    std::vector<Control>& out_;
    int indicator_ = 0;
};

void sanitation(PanelBuilder& b, const std::string& radio, const std::string& caption, const std::string& comboName,
                const std::vector<std::string>& items, const std::string& hint)
{
    b.add(ControlKind::RadioButton, radio, caption, "saneamento", ControlAction::Sanitation);
    Control& c = b.combo(comboName, items, hint, "saneamento");
    c.enabled = false;
    c.colour = ColourDisabledGrey;
}

} // namespace

std::vector<Control> buildPanelControls()
{
    std::vector<Control> controls;
    controls.reserve(256);
    PanelBuilder b(controls);

    b.panel(0);
    b.sexBoxes();
    b.colourBoxes();
    b.ageRange(1, ageLists(0, 2000));

    b.panel(1);
    b.colourBoxes();
    b.ageRange(2, ageLists(1, 2000));
    b.label("lbConjuge1", "Cônjuge", "conjuge");
    // The designed form names these plainly as well.
    b.check("chkConjuge", "Com cônjuge", "conjuge");
    b.check("chkSemConjuge", "Sem cônjuge", "conjuge");
    b.check("chkTotalConjuge", "Total", "conjuge");

    b.panel(2);
    b.head("  Chefiados por ");
    b.sexBoxes();
    b.colourBoxes();
    sanitation(b, "RadioLixoColetado", GarbageCaption, "cbLixoColetado", garbageItems(),
               "Diretamente, indiretamente, outro destino");
    sanitation(b, "RadioAguaCanalizada", WaterCaption, "cbAguaCanalizada", waterItems(),
               "Por poço ou nascente, por rede geral,  por outra forma de abastecimento");
    sanitation(b, "RadioEsgotamentoSanitario", SewageCaption, "cbEsgotamentoSanitario", sewageItems(),
               "Fossa rudimentar, vala, rio, outro,  fossa séptica, rede geral");
    b.add(ControlKind::CheckBox, "Desmarca", "Desmarcar", "saneamento", ControlAction::Desmarca);

    b.panel(3);
    b.head("  Chefiadas por ");
    b.sexBoxes();
    b.colourBoxes();
    b.label("Label20", IncomeLabelCaption, "rendimento");
    b.combo("cbRendimentoTotalFamilias", familyIncomeItems(),
            "Rendimento - Até 1/2 salário mínimo, mais de 2 salários mínimos", "rendimento");
    b.check("ckCriancasTotalFamilias", ChildrenCaption, "rendimento").hint = "Com crianças de 0 a 6 anos";

    b.panel(4);
    b.head("  Chefiados por ");
    b.sexBoxes("chktodos");
    b.colourBoxes();
    b.label("Label21", IncomeLabelCaption, "rendimento");
    b.combo("cbRendimentoNumMedioPessoas", meanPersonsIncomeItems(), "", "rendimento");

    b.panel(5);
    b.head("  Chefiados por ");
    b.sexBoxes("chktodos");
    b.colourBoxes();

    b.panel(6);
    b.sexBoxes();
    b.colourBoxes();
    b.ageRange(3, ageLists(6, 2000));

    b.panel(7);
    b.sexBoxes();
    b.colourBoxes();
    b.label("lbFaixaEtaria4", "Faixa Etária", "idade");
    b.agePair("7_1991", ageLists(7, 1991));
    b.agePair("7_2000", ageLists(7, 2000));

    b.panel(8);
    b.radioGroup("cbTipoPopulacao", "População", populationTypeItems(), "tipo", ControlAction::PopulationType);
    b.sexBoxes();
    b.colourBoxes();
    b.ageRange(5, ageLists(8, 2000));

    b.panel(9);
    b.sexBoxes();
    b.colourBoxes();
    b.ageRange(6, ageLists(9, 2000));

    b.panel(10);
    b.sexBoxes();
    b.colourBoxes("chktodas");
    b.ageRange(7, ageLists(10, 2000));

    b.panel(11);
    b.sexBoxes();
    b.colourBoxes();
    b.ageRange(8, ageLists(11, 2000));
    b.label("lbPosicaoPopOcupada", "Posição na ocupação", "posicao");
    b.combo("cbPosicaoPopOcupada", occupiedPositionItems(), "Posição", "posicao");
    b.label("gbContribui", " Contribui para Previdência Social ?", "previdencia").hint =
        "que contribui para a previdência social";
    b.check("chkContribui", "Sim", "previdencia");

    b.panel(12);
    b.radioGroup("cbTipoRendMedio12", "Tipo de Rendimento", incomeTypeItems(), "tipo", ControlAction::Rules).itemIndex = 0;
    b.sexBoxes();
    b.colourBoxes();
    // Position or age range: "<- ou ->" stands between the two.
    b.label("lblPosicaoRendMedio", "Posição na ocupação", "posicao");
    b.combo("cbPosicaoRendMedio", incomePositionItems(), "Posição", "posicao");
    b.label("lbOu", "<- ou ->", "posicao");
    b.ageRange(9, ageLists(12, 2000));

    b.panel(13);
    b.label("lbDeficiencia", "Deficiência", "deficiencia");
    b.combo("cbDeficiencia1991", deficiencyItems(1991), "Deficiência Física", "deficiencia");
    b.combo("cbDeficiencia2000", deficiencyItems(2000), "Deficiência Física", "deficiencia");
    b.sexBoxes();

    b.panel(14);
    b.label("lbDatasFixas", "Informação Entre duas Datas Fixas", "migracao");
    b.check("chkEntrada", "Entrada", "migracao");
    b.check("chkSaida", "Saída", "migracao");
    b.sexBoxes();
    return controls;
}

} // namespace daxo::indicators
