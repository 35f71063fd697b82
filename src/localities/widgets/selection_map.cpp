#include "selection_map.h"

#include "locality_page_widget.h"
#include "localities/geography.h"
#include "platform/shapefile.h"
#include "selection_map_rules.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QToolButton>

namespace daxo::localities {

using platform::MapControl;
using platform::MapLayer;

namespace {
constexpr std::uint32_t kGrey = 0x808080;
constexpr std::uint32_t kBlack = 0x000000;
constexpr const char* kNationalLayers[] = {"Mapas/Brasil.shp", "Mapas/Estados.shp", "Mapas/Regioes.shp"};

void showOnly(MapControl& map, MapLayer& layer)
{
    for (int i = 0; i < map.Layers().count(); ++i)
        map.Layers().item(i).visible = false;
    layer.visible = true;
}

QString u(const char* text) { return QString::fromUtf8(text); }
} // namespace

SelectionMapWidget::SelectionMapWidget(LocalityPageWidget& page, std::function<std::string()> codigoLocal,
                                       Runner run)
    : page_(page), codigoLocal_(std::move(codigoLocal)), run_(std::move(run))
{
    Map1 = new MapControl(page.mapArea);
    Map1->setObjectName("Map1");
    // Shorter than designed by the tool bar's overlap, so the whole map shows above it.
    Map1->setGeometry(0, 7, 481, 293);
    Map2 = new MapControl(page.mapArea);
    Map2->setObjectName("Map2");
    Map2->setGeometry(1, 0, 477, 298);
    Map1->hide();
    Map2->hide();

    confirm = [&page](const QString& text) {
        return QMessageBox::question(&page, "Velmora", text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    inform = [&page](const QString& text) { QMessageBox::information(&page, "Velmora", text); };
    print = [](MapControl& map, const std::string& name) { map.printMap(name); };
    connectToolbar();
}

void SelectionMapWidget::connectToolbar()
{
    QObject::connect(page_.btVisualTotal, &QToolButton::clicked, Map1, [this] { btVisualTotalClick(); });
    QObject::connect(page_.btZoomMais, &QToolButton::clicked, Map1, [this] { btZoomMaisClick(); });
    QObject::connect(page_.btZoomMenos, &QToolButton::clicked, Map1, [this] { btZoomMenosClick(); });
    QObject::connect(page_.btImpMapa, &QToolButton::clicked, Map1, [this] { run_([this] { btImpMapaClick(); }); });
    Map1->onMouseDown = [this](Qt::MouseButton, int, int) { MapMouseDown(*Map1); };
    Map2->onMouseDown = [this](Qt::MouseButton, int, int) { MapMouseDown(*Map2); };
    Map2->onMouseMove = [this](int x, int y) { Map2MouseMove(x, y); };
}

std::vector<std::string> SelectionMapWidget::loadLayers(const std::filesystem::path& installation)
{
    std::vector<std::string> missing;
    auto load = [&](MapControl& map, const std::string& relative) {
        auto layer = std::make_shared<MapLayer>();
        try {
            layer->setFile(installation / relative);
            map.Layers().add(std::move(layer));
        } catch (const std::exception&) {
            // Sound shapes beside a damaged table are a damaged layer too.
            missing.push_back(relative + " (" + platform::faultWord(platform::shapefileFault(installation / relative)) +
                              ")");
        }
    };
    for (const char* file : kNationalLayers)
        load(*Map1, file);
    for (const State& state : states())
        load(*Map2, std::string(state.layerFile));
    return missing;
}

MapLayer& SelectionMapWidget::showLayer(MapControl& shown, MapControl& hidden, const std::string& camada)
{
    // Looked up first: a missing layer leaves the map as it was.
    MapLayer& layer = shown.Layers().item(camada);
    hidden.hide();
    shown.show();
    camadaAtual_ = camada;
    showOnly(shown, layer);
    return layer;
}

MapHighlight SelectionMapWidget::highlight(MapControl& map, MapLayer& layer, const std::string& field,
                                           const std::string& valor, std::uint32_t cor, std::uint32_t outline)
{
    MapHighlight h = highlightRenderer(layer, field, valor, cor, outline);
    highlight_ = h.renderer;
    layer.renderer = highlight_;
    map.refresh();
    return h;
}

void SelectionMapWidget::Pintaqui(const std::string& valor, const std::string& camada, std::uint32_t cor)
{
    MapLayer& layer = showLayer(*Map1, *Map2, camada);
    highlight(*Map1, layer, "NAME2_", valor, cor, kGrey);
}

void SelectionMapWidget::PintaquiEstado(const std::string& valor, const std::string& camada, std::uint32_t cor)
{
    MapLayer& layer = showLayer(*Map2, *Map1, camada);
    Map2->setExtent(layer.extent());
    Map2->setScrollBars(false);
    const MapHighlight h = highlight(*Map2, layer, "MICRO", valor, cor, kBlack);
    page_.LabelMunicipio->setText(
        QString::fromStdString(municipioStatus(page_.LabelMunicipio->text().toStdString(), h)));
}

void SelectionMapWidget::ckMostrarMunicipioClick(bool ticked)
{
    const bool national = Map1->isVisible();
    MapControl& map = national ? *Map1 : *Map2;
    MapLayer& layer = map.Layers().item(camadaAtual_);
    auto placer = std::make_shared<platform::LabelPlacer>();
    placer->field = labelField(codigoLocal_(), camadaAtual_);
    if (ticked) {
        placer->defaultSymbol = {"Verdana", 8, 0, 0x000000, false};
        placer->dropOverlapping = true;
    } else {
        placer->defaultSymbol = {national ? "Verdana" : "Arial", 1, 0, 0xFFFFFF, false};
        // White one-point text would still leave specks on a highlight.
        placer->field.clear();
    }
    placer->halo = true;
    placer->beneath = highlight_;
    layer.renderer = placer;
    if (!ticked && national)
        layer.defaultSymbol().fillColour = 0xFFFFFF;
    map.refresh();
}

void SelectionMapWidget::btVisualTotalClick()
{
    MapControl& map = visibleMap();
    if (MapLayer* layer = map.Layers().find(camadaAtual_))
        map.setExtent(layer->extent());
    map.setScrollBars(false);
}

void SelectionMapWidget::zoom(double factor)
{
    MapControl& map = visibleMap();
    platform::MapRectangle r = map.Extent();
    r.scaleInPlace(factor);
    map.setExtent(r);
}

void SelectionMapWidget::btImpMapaClick()
{
    if (!confirm(u("Sua impressora está conectada e pronta ?")))
        return;
    inform("Imprimindo");
    print(visibleMap(), camadaAtual_);
}

void SelectionMapWidget::MapMouseDown(MapControl& map)
{
    if (page_.btMoveMapa->isChecked())
        map.pan();
    else if (page_.btZoomMouse->isChecked())
        map.trackRectangle();
}

void SelectionMapWidget::Map2MouseMove(int x, int y)
{
    identify(x, y);
    if (page_.btMoveMapa->isChecked()) {
        if (Map2->mousePointer() != MapControl::kPanPointer) {
            Map2->setMousePointer(MapControl::kPanPointer);
            Map2->setHint("Clique e arraste o mouse para mover o mapa");
        }
    } else if (page_.btZoomMouse->isChecked()) {
        Map2->setMousePointer(MapControl::kZoomPointer);
        Map2->setHint("Clique e arraste o mouse para definir a área a ser ampliada");
    }
}

void SelectionMapWidget::identify(int x, int y)
try {
    MapLayer* layer = Map2->Layers().find(camadaAtual_);
    if (!layer || layer->layerType() != MapLayer::kFeatureLayer)
        return;
    const platform::MapPoint p = Map2->toMapPoint(x, y);
    platform::Recordset rows = layer->shapeType() == MapLayer::kPolygonShapes ? layer->searchShape(p)
                                                                              : layer->searchByDistance(p, 0.5);
    if (rows.eof())
        return;
    page_.LabelMunicipio->setText(
        QString::fromStdString(rows.valueAt(1).asString() + " - " + rows.valueAt(2).asString()));
} catch (const platform::MapError&) {
    // A layer without the name fields identifies nothing.
}

std::string missingMapsMessage(const std::vector<std::string>& missing)
{
    if (missing.empty())
        return {};
    std::string text = "Arquivos de mapa não encontrados ou corrompidos; o mapa de seleção não os mostrará:";
    for (const std::string& file : missing)
        text += "\n" + file;
    return text;
}

} // namespace daxo::localities
