#pragma once

// HATCH boundaries given as polyline paths. dxflib hands a hatch's edge
// paths (lines, arcs) as typed edges, but a polyline path only as loose
// vertices mixed with the hatch's seed points and without its vertex count
// or closed flag; this reader takes such paths from the hatch's group codes
// instead, as processCodeValuePair receives them.
//
// A polyline path: 92 with bit 2 set, then 72 (has bulges), 73 (closed),
// 93 (vertex count), then 10, 20 and, with bulges, 42 per vertex. The path
// ends with its last declared vertex or at the first other group code.

#include <cstdint>
#include <string>
#include <vector>

#include "DxfReport.h"

namespace mobrdxf {

struct PathVertex {
    double x = 0, y = 0, bulge = 0;
};

struct PolylinePath {
    std::vector<PathVertex> vertices;
};

class HatchPolylinePaths {
public:
    // A new HATCH entity starts: paths of the previous one are dropped.
    void startHatch();
    // One group of the hatch entity, in file order.
    void group(unsigned int code, const std::string& value);
    // The paths read since startHatch(); problems found are reported once
    // per path ("HATCH polyline boundary ...").
    std::vector<PolylinePath> take(DxfReport& report);

private:
    enum class State { Outside, Header, Vertices };
    void endPath();
    void addVertex(const std::string& value);
    void setY(const std::string& value);
    void setBulge(const std::string& value);

    State state_ = State::Outside;
    long declared_ = -1;         // vertex count as the file gives it, -1 none or unreadable
    bool hasBulge_ = false;
    PolylinePath current_;
    std::vector<bool> bad_;        // per vertex of current_: a value not a finite number
    std::vector<bool> missingY_;   // per vertex of current_: its 20 not (yet) given
    std::vector<PolylinePath> paths_;
    long shortPaths_ = 0, damagedPaths_ = 0;
};

// Whether a text is a finite number within the coordinates a drawing can
// hold, read as dxflib reads numbers (surrounding blanks allowed).
bool parseCoordinate(const std::string& text, double* value);

}  // namespace mobrdxf
