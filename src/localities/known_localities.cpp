#include "known_localities.h"

#include "locality_selection.h"
#include "municipality_chooser.h"

namespace daxo::localities {
namespace {

// The trees' double clicks with every side effect left out.
class NoEffects : public SelectionEffects {
public:
    void Pintaqui(const std::string&, const std::string&, std::uint32_t) override {}
    void PintaquiEstado(const std::string&, const std::string&, std::uint32_t) override {}
    void setTreeHint(const std::string&) override {}
    void showChosenList() override {}
    void openMunicipalityChooser(const State&, const std::string&) override {}
    void selectionTouched() override {}
    void rebuildCaption() override {}
    int indicatorIndex() const override { return -1; }
    void untickShowNames() override {}
    void setMapToolbarVisible(bool) override {}
};

using Entries = std::set<std::pair<std::string, std::string>>;

Entries hierarchyEntries()
{
    Entries entries;
    NoEffects effects;
    for (const TreeNode& node : hierarchyTree()) {
        LocalitySelection selection(effects);
        try {
            selection.TreeView1DblClick(node.position);
        } catch (const LocalityRefusal&) {
            continue;
        }
        for (int i = 0; i < selection.chosen().size(); ++i)
            entries.emplace(selection.chosen().texts()[i], selection.chosen().codes()[i]);
    }
    return entries;
}

Entries migrationEntries()
{
    Entries entries;
    for (const MigrationNode& node : migrationTree()) {
        if (node.code == kGroupCode)
            continue;
        // The first of the list is the origin, whichever it is.
        entries.emplace(node.text, std::to_string(node.code));
        entries.emplace(node.text + kOriginMark, std::to_string(node.code));
    }
    return entries;
}

} // namespace

std::string KnownLocalities::problem(const std::string& text, const std::string& code, int indicator)
{
    if (fromTrees(text, code, indicator) || (indicator != kMigrationIndicator && fromChooser(text, code)))
        return {};
    return "a localidade «" + text + "» de código " + code + " não existe nesta instalação" +
           (indicator == kMigrationIndicator ? " para a migração" : "");
}

bool KnownLocalities::fromTrees(const std::string& text, const std::string& code, int indicator) const
{
    static const Entries hierarchy = hierarchyEntries();
    static const Entries migration = migrationEntries();
    return (indicator == kMigrationIndicator ? migration : hierarchy).count({text, code}) > 0;
}

bool KnownLocalities::fromChooser(const std::string& text, const std::string& code)
{
    const std::string uf = code.substr(0, 2);
    if (siglaOfUf(uf).empty())
        return false;
    if (loadedStates_.insert(uf).second) {
        MunicipalityChooser chooser;
        chooser.load(query_, uf);
        for (const Municipality& m : chooser.rows())
            municipalities_.emplace(m.nome, m.codigo);
    }
    return municipalities_.count({text, code}) > 0;
}

} // namespace daxo::localities
