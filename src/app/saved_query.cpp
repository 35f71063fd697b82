#include "saved_query.h"

#include "localities/known_localities.h"
#include "platform/safe_files.h"
#include "refusal.h"
#include "wizard.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <map>

namespace daxo::app {

using indicators::Control;
using indicators::ControlKind;

namespace {

const char* const kFormato = "DAXO consulta";

bool isToggle(ControlKind kind) { return kind == ControlKind::CheckBox || kind == ControlKind::RadioButton; }

QString q(const std::string& text) { return QString::fromStdString(text); }

std::string guillemets(const std::string& text) { return "«" + text + "»"; }

[[noreturn]] void badFile(const std::string& why) { throw QueryFileError("O arquivo não é uma consulta válida: " + why + "."); }

std::string text(const QJsonObject& o, const char* key)
{
    if (!o.value(key).isString())
        badFile(std::string("falta o campo de texto \"") + key + "\"");
    return o.value(key).toString().toStdString();
}

int integer(const QJsonObject& o, const char* key)
{
    const QJsonValue v = o.value(key);
    if (!v.isDouble() || v.toDouble() != static_cast<int>(v.toDouble()))
        badFile(std::string("falta o número inteiro \"") + key + "\"");
    return static_cast<int>(v.toDouble());
}

QJsonArray list(const QJsonObject& o, const char* key)
{
    if (!o.value(key).isArray())
        badFile(std::string("falta a lista \"") + key + "\"");
    return o.value(key).toArray();
}

bool matches(const Control& c, const PanelSetting& s) { return s.toggle ? c.checked == s.checked : c.itemIndex == s.item; }

// The user's action that takes `c` to the saved choice.
void replay(indicators::IndicatorPanels& panels, const Control& c, const PanelSetting& s)
{
    switch (c.kind) {
    case ControlKind::CheckBox:
        panels.clickCheckBox(s.control);
        break;
    case ControlKind::RadioButton:
        if (s.checked)
            panels.clickRadioButton(s.control);
        break;
    case ControlKind::ComboBox:
        panels.selectComboItem(s.control, s.item);
        break;
    case ControlKind::RadioGroup:
        panels.selectRadioItem(s.control, s.item);
        break;
    case ControlKind::Label:
        break;
    }
}

} // namespace

SavedQuery captureQuery(const indicators::IndicatorPanels& panels, const std::vector<std::string>& names,
                        const std::vector<std::string>& codes)
{
    SavedQuery query{.census = panels.census(),
                     .indicator = panels.indicatorIndex(),
                     .indicatorName = panels.indicatorText(),
                     .panel = {},
                     .names = names,
                     .codes = codes};
    for (const Control& c : panels.controls()) {
        if (c.indicator != query.indicator || c.kind == ControlKind::Label)
            continue;
        query.panel.push_back({.control = c.name, .toggle = isToggle(c.kind), .checked = c.checked, .item = c.itemIndex});
    }
    return query;
}

std::string queryJson(const SavedQuery& query)
{
    QJsonArray panel;
    for (const auto& s : query.panel) {
        QJsonObject o{{"controle", q(s.control)}};
        if (s.toggle)
            o.insert("marcado", s.checked);
        else
            o.insert("item", s.item);
        panel.append(o);
    }
    QJsonArray places;
    for (std::size_t i = 0; i < query.names.size(); ++i)
        places.append(QJsonObject{{"nome", q(query.names[i])}, {"codigo", q(query.codes.at(i))}});
    const QJsonObject root{{"formato", kFormato},
                           {"versao", kVersaoConsulta},
                           {"censo", q(query.census)},
                           {"indicador", query.indicator},
                           {"nomeIndicador", q(query.indicatorName)},
                           {"painel", panel},
                           {"localidades", places}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

SavedQuery parseQuery(const std::string& json)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
    if (doc.isNull())
        badFile("o texto JSON tem um erro na posição " + std::to_string(error.offset));
    if (!doc.isObject() || doc.object().value("formato").toString() != kFormato)
        badFile(std::string("falta \"formato\": \"") + kFormato + "\"");
    const QJsonObject root = doc.object();
    const int versao = integer(root, "versao");
    if (versao < 1)
        badFile("a versão " + std::to_string(versao) + " não existe");
    if (versao > kVersaoConsulta)
        throw QueryFileError("A consulta foi salva por uma versão mais nova do programa (versão " +
                             std::to_string(versao) + " do arquivo; esta versão lê até a " +
                             std::to_string(kVersaoConsulta) + ").");
    SavedQuery query;
    query.census = text(root, "censo");
    if (std::find(kCensos.begin(), kCensos.end(), query.census) == kCensos.end())
        badFile("o censo " + guillemets(query.census) + " não existe (use \"1991\", \"2000\" ou \"1991 e 2000\")");
    query.indicator = integer(root, "indicador");
    if (query.indicator < 0 || query.indicator > kMigracao)
        badFile("o indicador " + std::to_string(query.indicator) + " não existe (de 0 a 14)");
    query.indicatorName = text(root, "nomeIndicador");
    for (const QJsonValue& v : list(root, "painel")) {
        const QJsonObject o = v.toObject();
        PanelSetting s{.control = text(o, "controle")};
        s.toggle = o.contains("marcado");
        if (s.toggle && !o.value("marcado").isBool())
            badFile("\"marcado\" de " + guillemets(s.control) + " deve ser true ou false");
        if (s.toggle)
            s.checked = o.value("marcado").toBool();
        else
            s.item = integer(o, "item");
        query.panel.push_back(std::move(s));
    }
    for (const QJsonValue& v : list(root, "localidades")) {
        const QJsonObject o = v.toObject();
        query.names.push_back(text(o, "nome"));
        query.codes.push_back(text(o, "codigo"));
    }
    return query;
}

void writeQueryFile(const std::filesystem::path& path, const SavedQuery& query)
{
    platform::writeFileSafely(path, queryJson(query));
}

SavedQuery readQueryFile(const std::filesystem::path& path)
{
    QFile file(q(path.string()));
    if (!file.open(QIODevice::ReadOnly))
        throw QueryFileError("Não foi possível abrir a consulta " + path.string() + ".");
    return parseQuery(file.readAll().toStdString());
}

std::vector<std::string> applyPanel(indicators::IndicatorPanels& panels, const SavedQuery& query)
{
    // Only the chosen indicator's controls: names are searched over every panel.
    const auto ownControl = [&](const std::string& name) {
        Control* c = panels.find(name);
        return c && c->indicator == query.indicator ? c : nullptr;
    };
    // A choice the rules undo or refuse (a total ticked before its parts, an
    // age range's start beyond its end not yet moved) is made again on the
    // next pass; a refusal that remains is told as the reason.
    std::map<std::string, std::string> refusals;
    for (int pass = 0; pass < 3; ++pass) {
        for (const auto& s : query.panel) {
            Control* c = ownControl(s.control);
            if (!c || matches(*c, s))
                continue;
            try {
                replay(panels, *c, s);
            } catch (const Refusal& refusal) {
                refusals[s.control] = refusal.what();
            }
        }
    }
    std::vector<std::string> issues;
    for (const auto& s : query.panel) {
        const Control* c = ownControl(s.control);
        if (!c) {
            issues.push_back("o controle " + guillemets(s.control) + " não existe no painel deste indicador");
        } else if (!matches(*c, s)) {
            const std::string what = s.toggle ? (s.checked ? "marcar " : "desmarcar ") + guillemets(c->caption)
                                              : "escolher o item " + std::to_string(s.item + 1) + " em " +
                                                    guillemets(s.control);
            const auto refused = refusals.find(s.control);
            issues.push_back("não foi possível " + what +
                             (refused != refusals.end()      ? " (" + refused->second + ")"
                              : !c->enabled || !c->visible ? " (a opção está desabilitada com as outras escolhas)"
                                                           : " (as regras do painel não permitem)"));
        }
    }
    return issues;
}

namespace {
[[noreturn]] void notRestored(const std::vector<std::string>& issues)
{
    std::string message = "A consulta não pôde ser restaurada por inteiro:";
    for (const auto& issue : issues)
        message += "\n- " + issue;
    throw QueryFileError(message + ".");
}
} // namespace

void checkLocalities(const SavedQuery& query, daxo::platform::Query& table)
{
    localities::KnownLocalities known(table);
    std::vector<std::string> issues;
    for (std::size_t i = 0; i < query.names.size(); ++i)
        if (auto problem = known.problem(query.names[i], query.codes.at(i), query.indicator); !problem.empty())
            issues.push_back(std::move(problem));
    if (!issues.empty())
        notRestored(issues);
}

void restorePanels(indicators::IndicatorPanels& panels, const SavedQuery& query)
{
    // From the start state, as in a window just opened: choices left on the
    // panel would otherwise stay where the file names no control, and the
    // same file would give another query than on the command line.
    panels.reset();
    panels.setCensus(query.census);
    panels.chooseIndicator(query.indicator);
    if (panels.indicatorText() != query.indicatorName)
        throw QueryFileError("A consulta foi salva para o indicador " + guillemets(query.indicatorName) +
                             ", mas a posição " + std::to_string(query.indicator) + " é " +
                             guillemets(panels.indicatorText()) + " nesta versão.");
    if (const auto issues = applyPanel(panels, query); !issues.empty())
        notRestored(issues);
}

} // namespace daxo::app
