#include "locality_tree.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace daxo::localities {
namespace {

// Under "Unidade da Federação" these states list their "Urbano" child first.
constexpr std::string_view kUrbanFirst[] = {"52", "21", "41"};

class TreeBuilder {
public:
    int add(TreeNode node, int parent)
    {
        node.position = static_cast<int>(nodes.size());
        node.parent = parent;
        nodes.push_back(std::move(node));
        return nodes.back().position;
    }

    // The node followed by its " Rural" and " Urbano" children.
    void addWithParts(const TreeNode& whole, int parent, bool urbanFirst)
    {
        const int at = add(whole, parent);
        const NodePart order[2] = {urbanFirst ? NodePart::Urbano : NodePart::Rural,
                                   urbanFirst ? NodePart::Rural : NodePart::Urbano};
        for (NodePart part : order) {
            TreeNode child = whole;
            child.text += part == NodePart::Rural ? " Rural" : " Urbano";
            child.part = part;
            add(child, at);
        }
    }

    std::vector<TreeNode> nodes;
};

TreeNode group(std::string text, NodeKind kind, int sentinel, std::string code)
{
    TreeNode n;
    n.text = std::move(text);
    n.kind = kind;
    n.sentinel = sentinel;
    n.code = std::move(code);
    return n;
}

TreeNode stateNode(const State& state, NodeKind kind)
{
    TreeNode n;
    n.text = std::string(state.text);
    n.kind = kind;
    n.state = &state;
    n.region = &regionOf(state);
    n.code = std::string(state.uf);
    return n;
}

std::vector<TreeNode> buildHierarchy()
{
    TreeBuilder b;
    b.addWithParts(group("Brasil", NodeKind::Brasil, 0, "0"), -1, false);

    const int regions = b.add(group("Regiões", NodeKind::RegionsGroup, kAllRegions, ""), -1);
    for (const Region& region : daxo::localities::regions()) {
        TreeNode n = group(std::string(region.text), NodeKind::Region, 0, std::string(region.code));
        n.region = &region;
        b.addWithParts(n, regions, false);
    }

    const int ufs = b.add(group("Unidade da Federação", NodeKind::StatesGroup, kAllStates, "101"), -1);
    for (const State& state : states())
        b.addWithParts(stateNode(state, NodeKind::State), ufs, std::ranges::count(kUrbanFirst, state.uf) > 0);

    const int micro = b.add(group("Microrregião", NodeKind::MicroregionsGroup, 0, "101"), -1);
    for (const State& state : states()) {
        const int at = b.add(stateNode(state, NodeKind::MicroregionState), micro);
        for (const Microregion& m : microregionsOf(state)) {
            TreeNode n = stateNode(state, NodeKind::Microregion);
            n.text = std::string(m.text);
            n.microregion = m.number;
            n.code = microregionCode(state, m.number);
            b.add(n, at);
        }
    }

    const int municipalities = b.add(group("Município", NodeKind::MunicipalitiesGroup, 0, ""), -1);
    for (const State& state : states())
        b.add(stateNode(state, NodeKind::MunicipalityState), municipalities);
    return std::move(b.nodes);
}

std::vector<MigrationNode> buildMigration()
{
    std::vector<MigrationNode> nodes;
    auto add = [&nodes](std::string_view text, int parent, int code) {
        nodes.push_back({std::string(text), static_cast<int>(nodes.size()), parent, code});
        return nodes.back().position;
    };
    const int regionsGroup = add("Regiões", -1, kGroupCode);
    for (const Region& region : regions())
        add(region.text, regionsGroup, std::stoi(std::string(region.code)));
    const int statesGroup = add("Unidade da Federação", -1, kGroupCode);
    for (const State& state : states())
        add(state.text, statesGroup, std::stoi(std::string(state.uf)));
    return nodes;
}

} // namespace

std::span<const TreeNode> hierarchyTree()
{
    static const std::vector<TreeNode> nodes = buildHierarchy();
    return nodes;
}

std::span<const MigrationNode> migrationTree()
{
    static const std::vector<MigrationNode> nodes = buildMigration();
    return nodes;
}

} // namespace daxo::localities
