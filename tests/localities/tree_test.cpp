#include "localities/locality_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace daxo::localities {
namespace {

const TreeNode& at(int position) { return hierarchyTree()[static_cast<std::size_t>(position)]; }

TEST(HierarchyTree, FixedPositions)
{
    const auto tree = hierarchyTree();
    ASSERT_EQ(tree.size(), 715u);
    for (int i = 0; i < 715; ++i)
        ASSERT_EQ(tree[static_cast<std::size_t>(i)].position, i);

    EXPECT_EQ(at(0).text, "Brasil");
    EXPECT_EQ(at(1).text, "Brasil Rural");
    EXPECT_EQ(at(2).text, "Brasil Urbano");
    EXPECT_EQ(at(3).text, "Regiões");
    EXPECT_EQ(at(3).sentinel, kAllRegions);
    EXPECT_EQ(at(4).text, "Norte");
    EXPECT_EQ(at(5).text, "Norte Rural");
    EXPECT_EQ(at(6).text, "Norte Urbano");
    EXPECT_EQ(at(10).text, "Centro-Oeste");
    EXPECT_EQ(at(16).text, "Sul");
    EXPECT_EQ(at(19).text, "Unidade da Federação");
    EXPECT_EQ(at(19).sentinel, kAllStates);
    EXPECT_EQ(at(20).text, "Acre");
    EXPECT_EQ(at(20 + 3 * 26).text, "Tocantins");
    EXPECT_EQ(at(100).text, "Tocantins Urbano");
    EXPECT_EQ(at(101).text, "Microrregião");
    EXPECT_EQ(at(102).text, "Acre");
    EXPECT_EQ(at(103).text, "Brasiléia");
    EXPECT_EQ(at(678).text, "Tocantins");
    EXPECT_EQ(at(686).text, "Rio Formoso");
    EXPECT_EQ(at(687).text, "Município");
    EXPECT_EQ(at(688).text, "Acre");
    EXPECT_EQ(at(714).text, "Tocantins");

    const int sentinels = static_cast<int>(std::ranges::count_if(tree, [](const TreeNode& n) { return n.sentinel; }));
    EXPECT_EQ(sentinels, 2);
}

TEST(HierarchyTree, StateChildrenWithUrbanFirstForThree)
{
    for (int k = 0; k < 27; ++k) {
        const TreeNode& state = at(20 + 3 * k);
        const bool urbanFirst = state.text == "Goiás" || state.text == "Maranhão" || state.text == "Paraná";
        EXPECT_EQ(at(21 + 3 * k).text, state.text + (urbanFirst ? " Urbano" : " Rural"));
        EXPECT_EQ(at(22 + 3 * k).text, state.text + (urbanFirst ? " Rural" : " Urbano"));
        EXPECT_EQ(at(21 + 3 * k).parent, state.position);
        EXPECT_EQ(at(688 + k).text, state.text);
        EXPECT_EQ(at(688 + k).parent, 687);
    }
    // Regions always list Rural first.
    EXPECT_EQ(at(11).text, "Centro-Oeste Rural");
}

TEST(HierarchyTree, RuralAndUrbanOnlyInTheSixtySixChildren)
{
    int parts = 0;
    for (const TreeNode& n : hierarchyTree()) {
        const bool mentions = n.text.find("Rural") != std::string::npos || n.text.find("Urbano") != std::string::npos;
        EXPECT_EQ(mentions, n.part != NodePart::Whole) << n.position << " " << n.text;
        parts += n.part != NodePart::Whole;
    }
    EXPECT_EQ(parts, 66);
}

TEST(HierarchyTree, MicroregionsCarryTheirCodesUnderTheirState)
{
    int micro = 0;
    for (const TreeNode& n : hierarchyTree()) {
        if (n.kind != NodeKind::Microregion)
            continue;
        ++micro;
        const TreeNode& parent = at(n.parent);
        EXPECT_EQ(parent.kind, NodeKind::MicroregionState);
        EXPECT_EQ(parent.state, n.state);
        EXPECT_EQ(n.code, microregionCode(*n.state, n.microregion));
        EXPECT_EQ(n.code.size(), 5u);
    }
    EXPECT_EQ(micro, 558);
    EXPECT_EQ(at(104).text, "Cruzeiro do Sul");
    EXPECT_EQ(at(104).code, "12001");
}

TEST(HierarchyTree, ParentsPrecedeChildren)
{
    for (const TreeNode& n : hierarchyTree()) {
        EXPECT_LT(n.parent, n.position);
        if (n.parent < 0) {
            EXPECT_TRUE(n.position == 0 || n.position == 3 || n.position == 19 || n.position == 101 ||
                        n.position == 687)
                << n.position;
        }
    }
}

TEST(MigrationTree, ThirtyFourNodes)
{
    const auto tree = migrationTree();
    ASSERT_EQ(tree.size(), 34u);
    EXPECT_EQ(tree[0].text, "Regiões");
    EXPECT_EQ(tree[0].code, kGroupCode);
    const int regionCodes[] = {1, 2, 5, 4, 3};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(tree[1 + i].code, regionCodes[i]);
        EXPECT_EQ(tree[1 + i].parent, 0);
    }
    EXPECT_EQ(tree[3].text, "Centro-Oeste");
    EXPECT_EQ(tree[6].text, "Unidade da Federação");
    EXPECT_EQ(tree[6].code, kGroupCode);
    EXPECT_EQ(tree[7].text, "Acre");
    EXPECT_EQ(tree[7].code, 12);
    EXPECT_EQ(tree[33].text, "Tocantins");
    EXPECT_EQ(tree[33].code, 17);
    EXPECT_EQ(tree[33].parent, 6);
}

} // namespace
} // namespace daxo::localities
