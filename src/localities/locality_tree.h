#pragma once
// The fixed locality trees of the locality page: the hierarchy tree
// TreeView1 (715 nodes) and the migration tree TreeView2 (34 nodes), as
// plain data in display (pre-order) order.
#include "geography.h"

#include <span>
#include <string>

namespace daxo::localities {

enum class NodeKind {
    Brasil,             // "Brasil" and its Rural/Urbano children
    RegionsGroup,       // "Regiões"
    Region,             // a region and its Rural/Urbano children
    StatesGroup,        // "Unidade da Federação"
    State,              // a state under "Unidade da Federação" and its children
    MicroregionsGroup,  // "Microrregião"
    MicroregionState,   // a state under "Microrregião"
    Microregion,
    MunicipalitiesGroup,  // "Município"
    MunicipalityState,    // a state under "Município": opens the chooser
};

enum class NodePart { Whole, Rural, Urbano };

constexpr int kAllRegions = 987654321;
constexpr int kAllStates = 12345678;
constexpr int kGroupCode = 101;

constexpr int kMicroregionsGroupPosition = 101;
constexpr int kMunicipalitiesGroupPosition = 687;

struct TreeNode {
    std::string text;
    int position = 0;
    int parent = -1;        // position of the parent, -1 at the top
    int sentinel = 0;       // kAllRegions / kAllStates on the two group nodes
    NodeKind kind = NodeKind::Brasil;
    NodePart part = NodePart::Whole;
    const Region* region = nullptr;   // the region concerned, when any
    const State* state = nullptr;     // the state concerned, when any
    int microregion = 0;              // number within the state
    // CodigoLocal after the node is handled; empty: left as it was.
    std::string code;
};

// TreeView1, node i at position i.
std::span<const TreeNode> hierarchyTree();

struct MigrationNode {
    std::string text;
    int position = 0;
    int parent = -1;
    int code = 0;      // locality code, kGroupCode on the two groups
};

// TreeView2, node i at position i.
std::span<const MigrationNode> migrationTree();

} // namespace daxo::localities
