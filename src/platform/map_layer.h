#pragma once
// A shapefile layer of the map component with its dBASE attribute table,
// the rows its searches return, and the ordered layer list of a map.
#include "map_geometry.h"
#include "map_renderer.h"
#include "value.h"

#include <any>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace daxo::platform {

class DbfTable;

class MapError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct FieldStatistics {
    double minimum = 0;
    double maximum = 0;
    int count = 0;   // records with a number in the field
};

// Rows of a layer's table, walked with eof()/moveNext().
class Recordset {
public:
    Recordset(std::shared_ptr<const DbfTable> table, std::vector<std::size_t> records);

    bool eof() const { return pos_ >= records_.size(); }
    void moveNext() { ++pos_; }
    std::size_t size() const { return records_.size(); }
    std::size_t record() const { return records_.at(pos_); }
    Value value(const std::string& field) const;   // throws MapError on an unknown field
    std::string text(const std::string& field) const { return value(field).asString(); }
    Value valueAt(int position) const;
    std::string fieldName(int position) const;
    FieldStatistics statistics(const std::string& field) const;

private:
    int fieldOrThrow(const std::string& field) const;
    std::shared_ptr<const DbfTable> table_;
    std::vector<std::size_t> records_;
    std::size_t pos_ = 0;
};

enum class ShapeKind { Point = 1, Line = 3, Polygon = 5 };

class MapLayer {
public:
    static constexpr int kFeatureLayer = 0;
    static constexpr int kPolygonShapes = 23;

    // Reads the shapefile and its table (letter case of the path ignored).
    // Throws MapError naming the file when it is missing or unreadable.
    void setFile(const std::filesystem::path& shapefile);
    const std::string& name() const { return name_; }

    bool visible = true;
    const MapRectangle& extent() const { return extent_; }
    int layerType() const { return kFeatureLayer; }
    // 23 for polygons, 21 for lines, 20 for points.
    int shapeType() const;
    ShapeKind shapeKind() const { return kind_; }

    std::size_t featureCount() const { return shapes_.size(); }
    const MapShape& shape(std::size_t i) const { return shapes_.at(i); }
    const DbfTable& table() const;

    Recordset records() const;
    // "FIELD = 'value'" (blanks around allowed, '' for a quote).
    Recordset searchExpression(const std::string& filter) const;
    // Polygons containing the point.
    Recordset searchShape(MapPoint p) const;
    // Features within `distance` map units of the point.
    Recordset searchByDistance(MapPoint p, double distance) const;

    std::shared_ptr<MapRenderer> renderer;
    Symbol& defaultSymbol() { return symbol_; }
    const Symbol& defaultSymbol() const { return symbol_; }

    // Whatever the drawing side keeps per layer (its paths), rebuilt when
    // the file changes.
    mutable std::any drawCache;

private:
    std::string name_;
    ShapeKind kind_ = ShapeKind::Polygon;
    std::vector<MapShape> shapes_;
    MapRectangle extent_;
    std::shared_ptr<DbfTable> table_;
    Symbol symbol_;
};

// The layers of one map; index 0 is drawn last (on top).
class MapLayers {
public:
    int count() const { return static_cast<int>(layers_.size()); }
    // Throws MapError when there is no layer at `index`. A copy of the list
    // shares its layers.
    MapLayer& item(int index) const;
    // First match from index 0, letter case ignored; throws MapError when
    // there is none.
    MapLayer& item(const std::string& name);
    MapLayer* find(const std::string& name);
    // The new layer goes to index 0.
    void add(std::shared_ptr<MapLayer> layer);
    // Union of all layer extents.
    MapRectangle fullExtent() const;

private:
    std::vector<std::shared_ptr<MapLayer>> layers_;
};

} // namespace daxo::platform
