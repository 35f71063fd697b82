#include "geometry.h"
#include "text.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace daxo::generator;

namespace {
// An L-shaped, non-convex outline, clockwise like the source outlines.
const Ring LShape{{0, 0}, {0, 2}, {1, 2}, {1, 1}, {2, 1}, {2, 0}};
}

TEST(Geometry, AreaAndOrientation)
{
    EXPECT_DOUBLE_EQ(signedArea(LShape), -3.0);
    EXPECT_DOUBLE_EQ(area({LShape}), 3.0);
    EXPECT_TRUE(contains({LShape}, {0.5, 1.5}));
    EXPECT_FALSE(contains({LShape}, {1.5, 1.5}));
}

TEST(Geometry, ClippingANonConvexOutlineByAConvexCell)
{
    const Ring rightHalf{{1, -1}, {3, -1}, {3, 3}, {1, 3}};   // counter-clockwise
    const auto parts = clipConvex(LShape, rightHalf);
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_NEAR(std::fabs(signedArea(parts[0])), 1.0, 1e-12);
    EXPECT_LT(signedArea(parts[0]), 0);   // orientation kept
    const Ring far{{5, 5}, {6, 5}, {6, 6}, {5, 6}};
    EXPECT_TRUE(clipConvex(LShape, far).empty());
}

TEST(Geometry, ACutThroughAConcavityGivesSeparatePartsWithoutBridges)
{
    // A U open at the top, clockwise; the band y >= 1.5 meets both arms.
    const Ring u{{0, 0}, {0, 3}, {1, 3}, {1, 1}, {2, 1}, {2, 3}, {3, 3}, {3, 0}};
    const Ring band{{-1, 1.5}, {4, 1.5}, {4, 4}, {-1, 4}};
    const auto parts = clipConvex(u, band);
    ASSERT_EQ(parts.size(), 2u);
    for (const Ring& part : parts) {
        EXPECT_NEAR(std::fabs(signedArea(part)), 1.5, 1e-12);
        for (const Point& p : part) EXPECT_TRUE(p.x <= 1 + 1e-12 || p.x >= 2 - 1e-12) << p.x;
    }
}

TEST(Geometry, VoronoiCellsTileTheOutlineExactly)
{
    const std::vector<Point> seeds{{0.2, 0.3}, {1.7, 0.4}, {0.5, 1.6}, {0.9, 0.9}, {1.2, 0.2}};
    const Box bounds{-1, -1, 3, 3};
    double cells = 0, clipped = 0;
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        const Ring cell = voronoiCell(seeds, i, bounds);
        EXPECT_GT(signedArea(cell), 0);
        cells += signedArea(cell);
        const Shape piece = clipShape({LShape}, cell);
        clipped += area(piece);
        EXPECT_TRUE(contains(piece, seeds[i])) << "seed " << i;
    }
    EXPECT_NEAR(cells, 16.0, 1e-9);
    EXPECT_NEAR(clipped, 3.0, 1e-9);
}

TEST(Text, CapitalsWithoutAccents)
{
    EXPECT_EQ(capitalsWithoutAccents("São Félix do Xingu"), "SAO FELIX DO XINGU");
    EXPECT_EQ(capitalsWithoutAccents("Ilhéus-Itabuna"), "ILHEUS-ITABUNA");
    EXPECT_EQ(capitalsWithoutAccents("Alvorada d'Oeste"), "ALVORADA D'OESTE");
    EXPECT_EQ(capitalsWithoutAccents("Mogi-Mirim Çãõ"), "MOGI-MIRIM CAO");
}
