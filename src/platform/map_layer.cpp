#include "map_layer.h"

#include "dbf_table.h"
#include "file_lookup.h"
#include "names.h"
#include "shapefile.h"
#include "system_errors.h"

#include <algorithm>
#include <cmath>

namespace daxo::platform {

namespace {

MapShape readShape(SHPObject& obj)
{
    MapShape shape;
    shape.bounds = {obj.dfXMin, obj.dfYMin, obj.dfXMax, obj.dfYMax};
    const int parts = std::max(obj.nParts, 1);
    for (int p = 0; p < parts; ++p) {
        const int from = obj.nParts > 0 ? obj.panPartStart[p] : 0;
        const int to = p + 1 < obj.nParts ? obj.panPartStart[p + 1] : obj.nVertices;
        std::vector<MapPoint> points;
        points.reserve(std::max(to - from, 0));
        for (int v = from; v < to; ++v)
            points.push_back({obj.padfX[v], obj.padfY[v]});
        if (!points.empty())
            shape.parts.push_back(std::move(points));
    }
    return shape;
}

ShapeKind kindOf(int shpType)
{
    switch (shpType % 10) {
    case SHPT_POLYGON: return ShapeKind::Polygon;
    case SHPT_ARC: return ShapeKind::Line;
    default: return ShapeKind::Point;
    }
}

std::string trim(const std::string& s)
{
    const auto b = s.find_first_not_of(' ');
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

} // namespace

Recordset::Recordset(std::shared_ptr<const DbfTable> table, std::vector<std::size_t> records)
    : table_(std::move(table)), records_(std::move(records))
{
}

int Recordset::fieldOrThrow(const std::string& field) const
{
    const int f = table_->fieldIndex(field);
    if (f < 0)
        throw MapError("Campo inexistente na camada do mapa: " + field);
    return f;
}

Value Recordset::value(const std::string& field) const { return table_->value(record(), fieldOrThrow(field)); }

Value Recordset::valueAt(int position) const
{
    if (position < 0 || position >= static_cast<int>(table_->fields().size()))
        throw MapError("Campo inexistente na camada do mapa: posição " + std::to_string(position));
    return table_->value(record(), position);
}

std::string Recordset::fieldName(int position) const { return table_->fields().at(position).name; }

FieldStatistics Recordset::statistics(const std::string& field) const
{
    const int f = fieldOrThrow(field);
    FieldStatistics s;
    for (std::size_t r : records_) {
        const auto n = table_->value(r, f).number();
        if (!n)
            continue;
        s.minimum = s.count == 0 ? *n : std::min(s.minimum, *n);
        s.maximum = s.count == 0 ? *n : std::max(s.maximum, *n);
        ++s.count;
    }
    return s;
}

void MapLayer::setFile(const std::filesystem::path& shapefile)
{
    const std::filesystem::path shp = findPath(shapefile);
    if (const ShapefileFault fault = shapefileFault(shp); fault != ShapefileFault::None)
        throw MapError(shapefileFaultMessage(fault, shapefile.string()));
    const ShapefileHandle handle = openShapefile(shp);
    if (!handle)
        throw MapError(shapefileFaultMessage(ShapefileFault::Damaged, shapefile.string()));
    int entities = 0, type = 0;
    double lo[4], hi[4];
    SHPGetInfo(handle.get(), &entities, &type, lo, hi);

    std::vector<MapShape> shapes;
    shapes.reserve(entities);
    for (int i = 0; i < entities; ++i) {
        SHPObject* obj = SHPReadObject(handle.get(), i);
        if (!obj)
            throw MapError(shapefileFaultMessage(ShapefileFault::Damaged, shapefile.string()));
        shapes.push_back(readShape(*obj));
        SHPDestroyObject(obj);
    }
    std::filesystem::path dbf = shp;
    std::shared_ptr<DbfTable> table;
    try {
        table = std::make_shared<DbfTable>(DbfTable::open(findPath(dbf.replace_extension(".dbf"))));
    } catch (const std::exception& e) {
        // Callers catch map errors: the table's own failure is told as one.
        throw MapError("Tabela do mapa " + shapefile.string() + ": " + userMessage(e));
    }
    if (table->recordCount() != shapes.size())
        throw MapError("Tabela do mapa não corresponde às formas: " + shapefile.string());

    name_ = shapefile.stem().string();
    kind_ = kindOf(type);
    shapes_ = std::move(shapes);
    extent_ = {lo[0], lo[1], hi[0], hi[1]};
    table_ = std::move(table);
    drawCache.reset();
}

int MapLayer::shapeType() const
{
    switch (kind_) {
    case ShapeKind::Polygon: return kPolygonShapes;
    case ShapeKind::Line: return 21;
    default: return 20;
    }
}

const DbfTable& MapLayer::table() const
{
    if (!table_)
        throw MapError("Camada do mapa sem arquivo");
    return *table_;
}

Recordset MapLayer::records() const
{
    std::vector<std::size_t> all(table().recordCount());
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = i;
    return Recordset(table_, std::move(all));
}

Recordset MapLayer::searchExpression(const std::string& filter) const
{
    const auto eq = filter.find('=');
    const auto open = filter.find('\'', eq == std::string::npos ? 0 : eq);
    const auto close = filter.rfind('\'');
    if (eq == std::string::npos || open == std::string::npos || close <= open ||
        !trim(filter.substr(close + 1)).empty() || !trim(filter.substr(eq + 1, open - eq - 1)).empty())
        throw MapError("Expressão de busca inválida: " + filter);
    const std::string field = trim(filter.substr(0, eq));
    std::string wanted;
    for (std::size_t i = open + 1; i < close; ++i) {
        wanted += filter[i];
        if (filter[i] == '\'' && i + 1 < close && filter[i + 1] == '\'')
            ++i;
    }
    const int f = table().fieldIndex(field);
    if (f < 0)
        throw MapError("Campo inexistente na camada do mapa: " + field);
    std::vector<std::size_t> found;
    for (std::size_t r = 0; r < table_->recordCount(); ++r)
        if (!table_->isDeleted(r) && table_->value(r, f).asString() == wanted)
            found.push_back(r);
    return Recordset(table_, std::move(found));
}

Recordset MapLayer::searchShape(MapPoint p) const
{
    std::vector<std::size_t> found;
    if (kind_ == ShapeKind::Polygon)
        for (std::size_t i = 0; i < shapes_.size(); ++i)
            if (polygonContains(shapes_[i], p))
                found.push_back(i);
    return Recordset(table_, std::move(found));
}

Recordset MapLayer::searchByDistance(MapPoint p, double distance) const
{
    std::vector<std::size_t> found;
    const bool filled = kind_ == ShapeKind::Polygon;
    for (std::size_t i = 0; i < shapes_.size(); ++i) {
        const MapRectangle& b = shapes_[i].bounds;
        if (p.x < b.left() - distance || p.x > b.right() + distance || p.y < b.bottom() - distance ||
            p.y > b.top() + distance)
            continue;
        if (distanceTo(shapes_[i], p, filled) <= distance)
            found.push_back(i);
    }
    return Recordset(table_, std::move(found));
}

MapLayer* MapLayers::find(const std::string& name)
{
    for (const auto& layer : layers_)
        if (sameName(layer->name(), name))
            return layer.get();
    return nullptr;
}

MapLayer& MapLayers::item(int index) const
{
    if (layers_.empty())
        throw MapError("Nenhuma camada foi carregada no mapa");
    if (index < 0 || index >= count())
        throw MapError("O mapa não tem camada na posição " + std::to_string(index));
    return *layers_[static_cast<std::size_t>(index)];
}

MapLayer& MapLayers::item(const std::string& name)
{
    if (MapLayer* layer = find(name))
        return *layer;
    throw MapError("Camada não encontrada no mapa: " + name);
}

void MapLayers::add(std::shared_ptr<MapLayer> layer) { layers_.insert(layers_.begin(), std::move(layer)); }

MapRectangle MapLayers::fullExtent() const
{
    MapRectangle all;
    for (const auto& layer : layers_)
        all = all.united(layer->extent());
    return all;
}

} // namespace daxo::platform
