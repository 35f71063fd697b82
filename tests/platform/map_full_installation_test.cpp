// The national municipality layer of the full sample installation: every
// polygon read, drawn, and found again by a point inside it.
#include "platform/map_control.h"
#include "platform/map_layer.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace daxo::platform {
namespace {

// ctest writes the installation once for the tests that need it; run alone,
// the program writes it when it is missing.
fs::path municipalities()
{
    const fs::path folder = DAXO_FULL_INSTALLATION;
    if (!fs::exists(folder / "Mapas" / "MUNICIPIOS.shp")) {
        const std::string command = std::string(DAXO_GENERATE) + " " + folder.string() + " > /dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
    }
    return folder / "Mapas" / "MUNICIPIOS.shp";
}

TEST(FullInstallationMap, MunicipalityLayerLoadsDrawsAndIdentifies)
{
    auto layer = std::make_shared<MapLayer>();
    layer->setFile(municipalities());
    ASSERT_EQ(layer->featureCount(), 5507u);

    MapControl map;
    map.resize(477, 298);
    map.Layers().add(layer);
    const QImage picture = map.grab().toImage();
    int inked = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            inked += picture.pixelColor(x, y) != QColor(Qt::white);
    EXPECT_GT(inked, picture.width() * picture.height() / 10) << "the country covers a good part of the map";

    const MapPoint centre = layer->extent().center();
    int found = 0;
    for (int i = 0; i < 100; ++i)
        found += static_cast<int>(layer->searchShape({centre.x + i * 0.01, centre.y}).size());
    EXPECT_GT(found, 0);
}

} // namespace
} // namespace daxo::platform
