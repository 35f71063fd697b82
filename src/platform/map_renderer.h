#pragma once
// How a layer's features are painted: symbols, the class-breaks and
// value-map renderers and the label placer, as plain rules the map control
// asks "which symbol does feature i take".
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace daxo::platform {

class DbfTable;

// Colours are 0xRRGGBB.
struct Symbol {
    std::uint32_t fillColour = 0xC0C0C0;
    bool outline = true;
    std::uint32_t outlineColour = 0x000000;
    // Features with a higher emphasis are drawn after the others, so that a
    // highlighted outline is not covered by its neighbours.
    int emphasis = 0;
    // Outline width in pixels.
    int outlineWidth = 1;
};

struct TextSymbol {
    std::string font = "Arial";
    int size = 8;              // points, used when height is 0
    double height = 0;         // map units; 0 leaves the size in points
    std::uint32_t colour = 0x000000;
    bool bold = false;
};

class MapRenderer {
public:
    virtual ~MapRenderer() = default;
    // The symbol of every record of `table`; null where the layer's default
    // symbol applies.
    virtual std::vector<const Symbol*> symbolsFor(const DbfTable& table) const = 0;
};

// Symbol 0 below break 0, symbol i from break i-1 up to (not including)
// break i, the last symbol from the last break up; when `notPositive` is
// set, values of 0 or less and missing ones take it instead.
class ClassBreaksRenderer : public MapRenderer {
public:
    std::string field;
    std::optional<Symbol> notPositive;
    int breakCount() const { return static_cast<int>(breaks_.size()); }
    void setBreakCount(int count);
    double breakValue(int i) const { return breaks_.at(i); }
    void setBreak(int i, double value) { breaks_.at(i) = value; }
    Symbol& symbol(int i) { return symbols_.at(i); }
    int classOf(double value) const;
    std::vector<const Symbol*> symbolsFor(const DbfTable& table) const override;

private:
    std::vector<double> breaks_;
    std::vector<Symbol> symbols_{Symbol{}};
};

// A feature whose field text equals value i takes symbol i.
class ValueMapRenderer : public MapRenderer {
public:
    std::string field;
    int valueCount() const { return static_cast<int>(values_.size()); }
    void setValueCount(int count);
    const std::string& value(int i) const { return values_.at(i); }
    void setValue(int i, std::string value) { values_.at(i) = std::move(value); }
    Symbol& symbol(int i) { return symbols_.at(i); }
    // Index of the first value equal to `text`, -1 for none.
    int indexOf(const std::string& text) const;
    std::vector<const Symbol*> symbolsFor(const DbfTable& table) const override;

private:
    std::vector<std::string> values_;
    std::vector<Symbol> symbols_;
};

// Draws the renderer beneath, then each feature's field text.
class LabelPlacer : public MapRenderer {
public:
    std::string field;
    TextSymbol defaultSymbol;
    std::shared_ptr<MapRenderer> beneath;
    // First switch: a label that would overlap one already placed moves just
    // above or below its place, or is left out when both are taken too.
    bool dropOverlapping = false;
    // Second switch: labels get a thin halo in the contrasting colour.
    bool halo = false;

    std::vector<const Symbol*> symbolsFor(const DbfTable& table) const override;
    // Field text of every record (empty where the field is missing).
    std::vector<std::string> labelsFor(const DbfTable& table) const;
};

class StringList {
public:
    void add(std::string text) { items_.push_back(std::move(text)); }
    int count() const { return static_cast<int>(items_.size()); }
    const std::string& item(int i) const { return items_.at(i); }

private:
    std::vector<std::string> items_;
};

} // namespace daxo::platform
