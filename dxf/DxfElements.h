#pragma once

// Entities of a drawing as shapes the figure can hold, and their placement
// into the element database: block insertions are exploded into groups,
// transformed by the insertion's position, scale and rotation.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "DxfTables.h"

namespace mobrdxf {

struct Insertion {
    std::string block;      // upper-case name
    double x = 0, y = 0, scaleX = 1, scaleY = 1, angleDeg = 0;
    int columns = 1, rows = 1;
    double columnSpacing = 0, rowSpacing = 0;
};

struct Shape {
    uint16_t kind = 0;                 // element kind; 0 a block insertion
    std::array<double, 8> geometry{};  // as the element kind keeps it
    std::string text;                  // texts, host code page
    std::string style;                 // texts, the style's name
    RawAttributes attributes;
    bool paperSpace = false;           // the entity was in paper space
    // The shapes this one owns: a hatch's boundary lines and arcs, the lines
    // of a curve drawn as a group.
    std::vector<Shape> boundary;
    Insertion insertion;               // kind 0
};

struct Block {
    double baseX = 0, baseY = 0;
    std::vector<Shape> shapes;
};

// An affine map x' = a x + b y + tx, y' = c x + d y + ty.
struct Transform {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
    std::array<double, 2> apply(double x, double y) const { return {a * x + b * y + tx, c * x + d * y + ty}; }
    Transform then(const Transform& outer) const;
    double determinant() const { return a * d - b * c; }
    bool uniform() const;
    // The direction angleDeg maps to, in degrees.
    double angle(double angleDeg) const;
    static Transform ofInsertion(const Insertion& insertion, double baseX, double baseY, double dx, double dy);
};

class ElementBuilder {
public:
    ElementBuilder(mobrhost::Figure& figure, DxfTables& tables, DxfReport& report, long maxElements, int maxDepth);

    // Places a shape; false once the element limit is reached.
    bool place(const Shape& shape, const Transform& transform, const Resolved& byBlock, int32_t owner, int depth);
    void defineBlock(const std::string& name, Block block) { blocks_[name] = std::move(block); }
    Block* block(const std::string& name);
    bool overLimit() const { return overLimit_; }

private:
    bool placeInsertion(const Shape& shape, const Transform& transform, const Resolved& byBlock, int32_t owner, int depth);
    int32_t append(const Shape& shape, const Resolved& resolved, const std::array<double, 8>& geometry, int32_t owner);
    std::array<double, 8> transformed(const Shape& shape, const Transform& t);

    mobrhost::Figure& figure_;
    DxfTables& tables_;
    DxfReport& report_;
    long maxElements_;
    int maxDepth_;
    long placed_ = 0;
    bool overLimit_ = false;
    std::map<std::string, Block> blocks_;
    std::vector<std::string> inserting_;   // blocks being exploded, against cycles
};

// Kind names of the report.
const char* kindName(uint16_t kind);

}  // namespace mobrdxf
