#include "DxfImport.h"

#include "DxfAngles.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <set>
#include <thread>

#include <dxflib/dl_creationadapter.h>

#include "DxfCurves.h"
#include "DxfElements.h"
#include "DxfHatchPaths.h"
#include "DxfLog.h"
#include "DxfOcs.h"
#include "DxfParts.h"
#include "model/Extents.h"
#include "store/FigureJson.h"

using mobrhost::Figure;
namespace element = mobrhost::element;

namespace mobrdxf {
namespace {


std::string upperName(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// Entity types this reader maps; every other one is counted as skipped.
const std::set<std::string>& mappedTypes()
{
    static const std::set<std::string> types = {"LINE", "ARC", "CIRCLE", "POINT", "TEXT", "MTEXT", "ATTRIB",
                                                "LWPOLYLINE", "POLYLINE", "VERTEX", "SEQEND", "HATCH",
                                                "DIMENSION", "INSERT", "BLOCK", "ENDBLK", "ELLIPSE", "SPLINE"};
    return types;
}

// An entity type as the report names it: types are short ASCII words, so
// anything else (a damaged file) is not echoed into messages.
std::string printableType(const std::string& type)
{
    const bool plain = !type.empty() && type.size() <= 32
                       && std::all_of(type.begin(), type.end(), [](unsigned char c) { return c > 0x20 && c < 0x7F; });
    return plain ? type : std::string("entities of an unreadable type");
}

// One polyline segment from p to q with p's bulge (the tangent of a quarter
// of the included angle, negative clockwise): a line, or an arc when the
// bulge is not zero. `base` gives the attributes.
Shape bulgeSegment(Shape s, const PathVertex& p, const PathVertex& q)
{
    const double b = p.bulge;
    if (!std::isfinite(b) || std::fabs(b) < 1e-12) {
        s.kind = element::Line;
        s.geometry = {p.x, p.y, q.x, q.y};
        return s;
    }
    const double dx = q.x - p.x, dy = q.y - p.y;
    const double k = (1.0 - b * b) / (4.0 * b);
    const double cx = (p.x + q.x) / 2.0 - dy * k, cy = (p.y + q.y) / 2.0 + dx * k;
    const double r = std::hypot(dx, dy) * (1.0 + b * b) / (4.0 * std::fabs(b));
    double a1 = std::atan2(p.y - cy, p.x - cx) * 180.0 / kPi, a2 = std::atan2(q.y - cy, q.x - cx) * 180.0 / kPi;
    if (b < 0) std::swap(a1, a2);
    s.kind = element::Arc;
    s.geometry = {cx, cy, r, a1, a2};
    return s;
}

// Polyline flags that make it a 3D polyline, a mesh or a face list.
constexpr int kNotPlanarPolyline = 8 | 16 | 64;

class DxfReader : public DL_CreationAdapter {
public:
    DxfReader(Figure& figure, DxfReport& report, const ReadLimits& limits)
        : tables_(figure, report), builder_(figure, tables_, report, limits.maxElements, limits.maxBlockDepth), report_(report)
    {
    }

    bool sawEnd() const { return sawEnd_; }
    bool overLimit() const { return builder_.overLimit(); }
    void finish()
    {
        flushPending();
        tables_.finish();
    }

    void processCodeValuePair(unsigned int code, const std::string& value) override
    {
        if (inHatch_ && code != 0) {
            hatchPaths_.group(code, value);
            return;
        }
        if (code == 0) {
            // dxflib hands the hatch that ends here only after this call.
            if (inHatch_) finishedHatchPaths_ = hatchPaths_.take(report_);
            inHatch_ = value == "HATCH" && (section_ == "ENTITIES" || section_ == "BLOCKS");
            if (inHatch_) hatchPaths_.startHatch();
            entityType_ = value;
            if (value == "EOF") sawEnd_ = true;
            if (value == "SECTION") expectSectionName_ = true;
            else if ((section_ == "ENTITIES" || section_ == "BLOCKS") && !mappedTypes().count(value) && value != "ENDSEC" && value != "EOF")
                report_.skip(printableType(value));
        } else if (code == 2 && expectSectionName_) {
            section_ = value;
            expectSectionName_ = false;
        } else if (code == 2 && entityType_ == "DIMENSION") {
            dimensionBlock_ = upperName(value);
        }
    }

    void setVariableString(const std::string& key, const std::string& value, int) override
    {
        if (key == "$ACADVER") version_ = value;
        if (key == "$DWGCODEPAGE") codePage_ = value;
        tables_.setEncoding(encodingFor(version_, codePage_));
    }
    void setVariableInt(const std::string& key, int value, int) override
    {
        if (key == "$LWDEFAULT") tables_.setDefaultLineWeight(value);
    }

    // dxflib hands a line type's dashes before the line type itself.
    void addLinetype(const DL_LinetypeData& data) override
    {
        const std::size_t count = std::min(pattern_.size(), static_cast<std::size_t>(std::max(0, data.numberOfDashes)));
        tables_.addLineType(data.name, std::vector<double>(pattern_.end() - static_cast<std::ptrdiff_t>(count), pattern_.end()),
                            data.description);
        pattern_.clear();
    }
    void addLinetypeDash(double length) override { pattern_.push_back(length); }
    void addLayer(const DL_LayerData& data) override
    {
        tables_.addLayer(data.name, raw());
    }
    void addTextStyle(const DL_StyleData& data) override
    {
        tables_.addTextStyle(data.name, data.primaryFontFile, data.bold, data.italic);
    }

    void addBlock(const DL_BlockData& data) override
    {
        flushPending();
        blockName_ = upperName(data.name);
        block_ = Block{};
        block_.baseX = finiteOr(data.bpx);
        block_.baseY = finiteOr(data.bpy);
        inBlock_ = true;
    }
    void endBlock() override
    {
        flushPending();
        if (inBlock_) builder_.defineBlock(blockName_, std::move(block_));
        inBlock_ = false;
    }
    // dxflib also reports the end of a VERTEX this way; the polyline it
    // belongs to goes on until its SEQEND.
    void endSection() override
    {
        if (entityType_ != "VERTEX") flushPending();
    }
    void endSequence() override { flushPending(); }

    void addPoint(const DL_PointData& d) override { take(shape(element::Point, {d.x, d.y})); }
    void addLine(const DL_LineData& d) override { take(shape(element::Line, {d.x1, d.y1, d.x2, d.y2})); }
    void addArc(const DL_ArcData& d) override
    {
        take(inWorld(extrusion(), "ARC", shape(element::Arc, {d.cx, d.cy, d.radius, d.angle1, d.angle2})));
    }
    void addCircle(const DL_CircleData& d) override
    {
        take(inWorld(extrusion(), "CIRCLE", shape(element::Circle, {d.cx, d.cy, d.radius})));
    }

    void addText(const DL_TextData& d) override
    {
        Shape s = shape(element::Text, {d.ipx, d.ipy, d.height, d.angle * 180.0 / kPi});
        s.text = tables_.toHost(resolvePercentCodes(decodeToUtf8(d.text, tables_.encoding())), "texts");
        s.style = d.style;
        take(inWorld(extrusion(), "TEXT", std::move(s)));
    }
    void addAttribute(const DL_AttributeData& d) override { addText(d); }
    void addMTextChunk(const std::string& text) override { mtext_ += text; }
    void addMText(const DL_MTextData& d) override
    {
        const std::string all = mtext_ + d.text;
        mtext_.clear();
        // The direction vector, when given, decides; else the angle in degrees.
        // The insertion point and the vector are world coordinates; the angle
        // is taken in the entity's own system, read upright like a TEXT's.
        const bool byVector = d.dirx != 0 || d.diry != 0;
        const bool mirroredAngle = !byVector && extrusion() == Extrusion::Down;
        const double angle = byVector ? std::atan2(d.diry, d.dirx) * 180.0 / kPi : (mirroredAngle ? -d.angle : d.angle);
        const double step = d.height * 5.0 / 3.0 * (d.lineSpacingFactor > 0 ? d.lineSpacingFactor : 1.0);
        const double down = (angle - 90.0) * kPi / 180.0;
        const std::string plain = stripMTextFormatting(decodeToUtf8(all, tables_.encoding()));
        std::size_t start = 0;
        for (int line = 0; start <= plain.size(); ++line) {
            const std::size_t end = std::min(plain.find('\n', start), plain.size());
            const double x = d.ipx + std::cos(down) * step * line, y = d.ipy + std::sin(down) * step * line;
            Shape s = shape(element::Text, {x, y, d.height, angle});
            s.text = tables_.toHost(plain.substr(start, end - start), "texts");
            s.style = d.style;
            if (!s.text.empty()) take(std::move(s));
            start = end + 1;
        }
    }

    void addPolyline(const DL_PolylineData& d) override
    {
        flushPending();
        polyline_ = shape(element::Line, {});
        polylineClosed_ = (d.flags & 1) != 0;
        polylineSkipped_ = (d.flags & kNotPlanarPolyline) != 0;
        // Its VERTEX entities come with an extrusion of their own (the default).
        polylineExtrusion_ = extrusion();
        if (polylineSkipped_) report_.skip("POLYLINE that is 3D, a mesh or a face list");
        vertices_.clear();
        pending_ = Pending::Polyline;
    }
    void addVertex(const DL_VertexData& d) override
    {
        if (pending_ == Pending::Polyline && !polylineSkipped_) vertices_.push_back(d);
    }

    void addHatch(const DL_HatchData& d) override
    {
        flushPending();
        hatch_ = shape(element::Hatch, {d.angle, d.solid ? 0.0 : d.scale});
        hatchExtrusion_ = extrusion();
        pending_ = Pending::Hatch;
        for (const PolylinePath& path : finishedHatchPaths_) addPolylinePath(path);
        finishedHatchPaths_.clear();
    }
    void addHatchEdge(const DL_HatchEdgeData& e) override
    {
        if (pending_ != Pending::Hatch) return;
        Shape edge;
        edge.attributes = hatch_.attributes;
        // Polyline paths come from the hatch's group codes (addPolylinePath).
        if (e.defined && e.type == 0) return;
        if (e.defined && e.type == 1) {
            edge.kind = element::Line;
            edge.geometry = {e.x1, e.y1, e.x2, e.y2};
        } else if (e.defined && e.type == 2) {
            // Clockwise edges run the other way round the circle.
            const double a1 = e.angle1 * 180.0 / kPi, a2 = e.angle2 * 180.0 / kPi;
            edge.kind = element::Arc;
            edge.geometry = {e.cx, e.cy, e.radius, e.ccw ? a1 : -a2, e.ccw ? a2 : -a1};
        } else if (e.defined && (e.type == 3 || e.type == 4)) {
            addCurvedHatchEdge(e);
            return;
        } else {
            report_.skip("HATCH boundary edge of an unknown type");
            return;
        }
        hatch_.boundary.push_back(std::move(edge));
    }

    // Elliptic and spline edges become lines of the boundary, as the
    // entities of those types do.
    void addCurvedHatchEdge(const DL_HatchEdgeData& e)
    {
        const bool ellipse = e.type == 3;
        std::vector<CurvePoint> points;
        if (ellipse) {
            // Clockwise edges run the other way round, as arcs do.
            const EllipseCurve curve{e.cx, e.cy, e.mx, e.my, e.ratio, e.ccw ? e.angle1 : -e.angle2, e.ccw ? e.angle2 : -e.angle1};
            points = ellipsePoints(curve);
        } else {
            points = splinePoints(hatchEdgeSpline(e), nullptr);
        }
        const char* type = ellipse ? "HATCH boundary ellipse" : "HATCH boundary spline";
        if (points.size() < 2) {
            report_.skip(std::string(type) + " that cannot be drawn (degenerate or damaged)");
            return;
        }
        Shape base;
        base.attributes = hatch_.attributes;
        appendLines(points, base, hatch_.boundary);
        report_.approximate(type);
    }

    static SplineCurve hatchEdgeSpline(const DL_HatchEdgeData& e)
    {
        SplineCurve s;
        s.degree = static_cast<int>(std::min(e.degree, 1000u));
        s.knots = e.knots;
        for (std::size_t i = 0; i < e.controlPoints.size(); ++i) {
            const std::vector<double>& c = e.controlPoints[i];
            const double w = i < e.weights.size() ? e.weights[i] : 1.0;
            s.control.push_back(c.size() >= 2 ? WeightedPoint{c[0], c[1], w} : WeightedPoint{NAN, NAN, w});
        }
        for (const std::vector<double>& f : e.fitPoints) s.fit.push_back(f.size() >= 2 ? CurvePoint{f[0], f[1]} : CurvePoint{NAN, NAN});
        return s;
    }

    // The lines of a chain of points, each a copy of `base`.
    static void appendLines(const std::vector<CurvePoint>& points, Shape base, std::vector<Shape>& out)
    {
        base.kind = element::Line;
        for (std::size_t i = 0; i + 1 < points.size(); ++i) {
            base.geometry = {points[i].x, points[i].y, points[i + 1].x, points[i + 1].y};
            out.push_back(base);
        }
    }

    void addEllipse(const DL_EllipseData& d) override
    {
        flushPending();
        // Centre and major axis are world coordinates, but the minor axis is
        // the extrusion times the major one: pointing down, it turns the
        // sweep round, so the parameters change sign and swap.
        const Extrusion along = extrusion();
        if (along == Extrusion::Tilted) reportTilted("ELLIPSE");
        const bool down = along == Extrusion::Down;
        const EllipseCurve e{d.cx, d.cy, d.mx, d.my, d.ratio, down ? -d.angle2 : d.angle1, down ? -d.angle1 : d.angle2};
        if (e.isCircular()) {
            const CircularArc a = e.asArc();
            take(a.full ? shape(element::Circle, {a.cx, a.cy, a.radius}) : shape(element::Arc, {a.cx, a.cy, a.radius, a.startDeg, a.endDeg}));
            return;
        }
        takeCurve("ELLIPSE", ellipsePoints(e));
    }

    // dxflib hands a spline's control points, fit points and knots right
    // after the spline; it is complete when the next entity comes.
    void addSpline(const DL_SplineData& d) override
    {
        flushPending();
        spline_ = SplineCurve{};
        spline_.degree = static_cast<int>(std::min(d.degree, 1000u));
        splineShape_ = shape(element::Group, {});
        pending_ = Pending::Spline;
    }
    void addControlPoint(const DL_ControlPointData& d) override
    {
        if (pending_ == Pending::Spline) spline_.control.push_back(WeightedPoint{d.x, d.y, d.w});
    }
    void addFitPoint(const DL_FitPointData& d) override
    {
        if (pending_ == Pending::Spline) spline_.fit.push_back(CurvePoint{d.x, d.y});
    }
    void addKnot(const DL_KnotData& d) override
    {
        if (pending_ == Pending::Spline) spline_.knots.push_back(d.k);
    }

    void addInsert(const DL_InsertData& d) override
    {
        Shape s = shape(0, {});
        s.insertion = Insertion{upperName(d.name), d.ipx, d.ipy, d.sx, d.sy, d.angle, d.cols, d.rows, d.colSp, d.rowSp};
        // A huge array is refused by the element limit; nonsense counts are one.
        s.insertion.columns = std::clamp(d.cols, 1, 1 << 20);
        s.insertion.rows = std::clamp(d.rows, 1, 1 << 20);
        take(inWorld(extrusion(), "INSERT", std::move(s)));
    }

    void addDimAlign(const DL_DimensionData& d, const DL_DimAlignedData& a) override
    {
        addDimension(d, a.epx1, a.epy1, a.epx2, a.epy2);
    }
    void addDimLinear(const DL_DimensionData& d, const DL_DimLinearData& l) override
    {
        addDimension(d, l.dpx1, l.dpy1, l.dpx2, l.dpy2);
    }
    void addDimRadial(const DL_DimensionData&, const DL_DimRadialData&) override { addDimensionBlock(); }
    void addDimDiametric(const DL_DimensionData&, const DL_DimDiametricData&) override { addDimensionBlock(); }
    void addDimAngular(const DL_DimensionData&, const DL_DimAngular2LData&) override { addDimensionBlock(); }
    void addDimAngular3P(const DL_DimensionData&, const DL_DimAngular3PData&) override { addDimensionBlock(); }
    void addDimOrdinate(const DL_DimensionData&, const DL_DimOrdinateData&) override { addDimensionBlock(); }

private:
    enum class Pending { None, Polyline, Hatch, Spline };

    static double finiteOr(double v) { return std::isfinite(v) ? v : 0.0; }

    // The extrusion dxflib set before the current callback.
    Extrusion extrusion()
    {
        const double* direction = getExtrusion()->getDirection();
        return mobrdxf::extrusionOf(direction[0], direction[1], direction[2]);
    }

    void reportTilted(const std::string& type) { report_.count(type + " placed as if seen from above (tilted extrusion)"); }

    // A shape given in its entity's own system, in world coordinates. A
    // tilted entity cannot lie in the drawing plane: it keeps its own
    // coordinates, and the report says so (unless `type` is null: the
    // caller reports the entity once for all its shapes).
    Shape inWorld(Extrusion along, const char* type, Shape s)
    {
        if (along == Extrusion::Down) return mobrdxf::mirroredX(std::move(s));
        if (along == Extrusion::Tilted && type) reportTilted(type);
        return s;
    }

    RawAttributes raw()
    {
        const DL_Attributes a = getAttributes();
        return RawAttributes{a.getLayer(), a.getColor(), a.getColor24(), a.getLinetype(), a.getWidth()};
    }

    Shape shape(uint16_t kind, std::initializer_list<double> values)
    {
        Shape s;
        s.kind = kind;
        std::copy(values.begin(), values.end(), s.geometry.begin());
        s.attributes = raw();
        s.paperSpace = getAttributes().isInPaperSpace();
        return s;
    }

    void take(Shape s)
    {
        flushPending();
        takeShape(std::move(s));
    }

    void takeShape(Shape s)
    {
        // Entities that are kept until the next one begins carry their own flag.
        if (!inBlock_ && s.paperSpace) {
            report_.skip("entities in paper space");
            return;
        }
        if (inBlock_) block_.shapes.push_back(std::move(s));
        else builder_.place(s, Transform{}, tables_.topLevel(), -1, 0);
    }

    void addDimension(const DL_DimensionData& d, double x1, double y1, double x2, double y2)
    {
        // The offset is the signed distance of the dimension line (through
        // the definition point) from the measured points.
        const double length = std::hypot(x2 - x1, y2 - y1);
        const double offset = length > 0 ? ((x2 - x1) * (d.dpy - y1) - (y2 - y1) * (d.dpx - x1)) / length : 0.0;
        take(shape(element::Dimension, {x1, y1, x2, y2, offset}));
    }

    // Dimensions the model has no element for are drawn as their block.
    void addDimensionBlock()
    {
        if (dimensionBlock_.empty()) {
            report_.skip("DIMENSION without its block");
            return;
        }
        Shape s = shape(0, {});
        s.insertion.block = dimensionBlock_;
        dimensionBlock_.clear();
        take(std::move(s));
    }

    void flushPending()
    {
        // dxflib may end a POLYLINE's header before its VERTEX entities
        // arrive; they still belong to it until its SEQEND.
        if (pending_ == Pending::Polyline && vertices_.empty() && entityType_ == "VERTEX") return;
        const Pending pending = pending_;
        pending_ = Pending::None;
        if (pending == Pending::Hatch) take(inWorld(hatchExtrusion_, "HATCH", std::move(hatch_)));
        if (pending == Pending::Polyline && !polylineSkipped_) placePolyline();
        if (pending == Pending::Spline) placeSpline();
    }

    void placeSpline()
    {
        std::string problem;
        std::vector<CurvePoint> points = splinePoints(spline_, &problem);
        if (!problem.empty()) report_.count("SPLINE " + problem);
        Shape group = std::move(splineShape_);
        takeCurve("SPLINE", std::move(points), &group);
    }

    // A curve the model has no element for, as a group of lines with the
    // entity's attributes; `group` carries them when the entity is already
    // over (a spline ends when the next entity begins).
    void takeCurve(const char* type, std::vector<CurvePoint> points, Shape* group = nullptr)
    {
        if (points.size() < 2) {
            report_.skip(std::string(type) + " that cannot be drawn (degenerate or damaged)");
            return;
        }
        Shape s = group ? std::move(*group) : shape(element::Group, {});
        s.kind = element::Group;
        appendLines(points, s, s.boundary);
        report_.approximate(type);
        takeShape(std::move(s));
    }

    void placePolyline()
    {
        const std::size_t n = vertices_.size();
        if (polylineExtrusion_ == Extrusion::Tilted) reportTilted("POLYLINE");
        for (std::size_t i = 0; i + 1 < n || (polylineClosed_ && n > 2 && i < n); ++i) {
            const DL_VertexData& p = vertices_[i];
            const DL_VertexData& q = vertices_[(i + 1) % n];
            take(inWorld(polylineExtrusion_, nullptr, bulgeSegment(polyline_, {p.x, p.y, p.bulge}, {q.x, q.y, 0})));
        }
    }

    // A hatch boundary path of vertices and bulges: a closed loop of lines
    // and arcs the hatch owns.
    void addPolylinePath(const PolylinePath& path)
    {
        const std::size_t n = path.vertices.size();
        if (n < 2) {
            report_.skip("HATCH polyline boundary with fewer than 2 vertices");
            return;
        }
        Shape base;
        base.attributes = hatch_.attributes;
        for (std::size_t i = 0; i < n; ++i) hatch_.boundary.push_back(bulgeSegment(base, path.vertices[i], path.vertices[(i + 1) % n]));
    }

    DxfTables tables_;
    ElementBuilder builder_;
    DxfReport& report_;
    std::string version_, codePage_;
    std::string section_, entityType_, dimensionBlock_;
    bool expectSectionName_ = false;
    bool sawEnd_ = false;
    std::vector<double> pattern_;
    bool inBlock_ = false;
    std::string blockName_;
    Block block_;
    std::string mtext_;
    Pending pending_ = Pending::None;
    Shape polyline_, hatch_, splineShape_;
    SplineCurve spline_;
    bool inHatch_ = false;
    HatchPolylinePaths hatchPaths_;
    std::vector<PolylinePath> finishedHatchPaths_;
    bool polylineClosed_ = false, polylineSkipped_ = false;
    Extrusion polylineExtrusion_ = Extrusion::Up, hatchExtrusion_ = Extrusion::Up;
    std::vector<DL_VertexData> vertices_;
};

std::unique_ptr<Figure> emptyFigure()
{
    std::unique_ptr<Figure> f = Figure::makeDefault();
    f->pens = std::make_unique<mobrhost::PenTable>();
    f->penColours = std::make_unique<mobrhost::PenColourTable>();
    f->widths = std::make_unique<mobrhost::WidthTable>();
    f->colours = std::make_unique<mobrhost::ColourTable>();
    f->fonts = std::make_unique<mobrhost::FontTable>();
    f->sketch.clear();
    f->centreLinePen = 0;
    return f;
}

// The display colours are colour numbers of the default figure's table:
// each becomes the colour of the drawing's own table nearest to it.
void fitDisplayColours(Figure& figure)
{
    const std::unique_ptr<Figure> defaults = Figure::makeDefault();
    for (std::size_t i = 0; i < figure.displayColours.size(); ++i) {
        const mobrhost::Colour* wanted = defaults->colours->at(defaults->displayColours[i]);
        int best = 1;
        long bestDistance = -1;
        for (int n = 1; wanted && n <= figure.colours->count(); ++n) {
            const mobrhost::Colour* c = figure.colours->at(n);
            const long dr = c->red - wanted->red, dg = c->green - wanted->green, db = c->blue - wanted->blue;
            const long distance = dr * dr + dg * dg + db * db;
            if (bestDistance < 0 || distance < bestDistance) {
                best = n;
                bestDistance = distance;
            }
        }
        figure.displayColours[i] = best;
    }
}

// A drawing larger than the default paper gets a paper of its own size
// (drawing units taken as millimetres), so that it is drawn and printed whole.
void fitPaper(Figure& figure, DxfReport& report)
{
    const mobrhost::Extents e = mobrhost::drawingExtents(figure.elements);
    if (e.empty || (e.maxX <= figure.paperWidth && e.maxY <= figure.paperHeight)) return;
    constexpr double kMaxPaper = 1e12;
    figure.paperIndex = 6;
    figure.paperWidth = std::clamp(std::ceil(std::max(e.maxX, figure.paperWidth)), 1.0, kMaxPaper);
    figure.paperHeight = std::clamp(std::ceil(std::max(e.maxY, figure.paperHeight)), 1.0, kMaxPaper);
    report.note("paper set to " + std::to_string(static_cast<long long>(figure.paperWidth)) + " x "
                + std::to_string(static_cast<long long>(figure.paperHeight)) + " mm to hold the drawing");
}

std::string_view nextLine(std::string_view& text)
{
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    return line;
}

}  // namespace

bool isBinaryDxf(std::string_view head)
{
    // The binary form starts with a fixed 22-byte sentinel ending in "Binary DXF\r\n\x1a\0".
    return head.size() >= 22 && head.substr(0, 22).find("Binary DXF\r\n\x1a") != std::string_view::npos;
}

bool looksLikeDxf(std::string_view head)
{
    if (head.size() >= 3 && head.substr(0, 3) == "\xEF\xBB\xBF") head.remove_prefix(3);
    for (int pair = 0; pair < 16 && !head.empty(); ++pair) {
        const std::string_view code = nextLine(head);
        const std::string_view value = nextLine(head);
        if (code == "999") continue;   // comments may come first
        return code == "0" && value == "SECTION";
    }
    return false;
}

std::unique_ptr<Figure> readDxfFile(const std::string& path, DxfReport& report, std::string* error, const ReadLimits& limits)
{
    const auto fail = [&](const std::string& problem) -> std::unique_ptr<Figure> {
        if (error) *error = path + ": " + problem;
        qCInfo(lcDxf) << "refused" << path.c_str() << problem.c_str();
        return nullptr;
    };
    std::ifstream in(path, std::ios::binary);
    if (!in) return fail("cannot be opened");
    char headBytes[512] = {};
    in.read(headBytes, sizeof headBytes);
    const std::string_view head(headBytes, static_cast<std::size_t>(in.gcount()));
    if (isBinaryDxf(head)) return fail("is a binary DXF file; only ASCII DXF is read (save it as ASCII DXF)");
    if (!looksLikeDxf(head)) return fail("is not a DXF file (it does not start with a SECTION)");
    in.close();

    std::unique_ptr<Figure> figure = emptyFigure();
    DxfReader reader(*figure, report, limits);
    try {
        // dxflib's file reader (unlike its stream reader) hands every group
        // to processCodeValuePair, which the skip counts and the end check need.
        const bool split = std::thread::hardware_concurrency() > 1
                           && readInTwoParts(path, reader, PartsLimits{limits.splitFrom, limits.maxRecordedCalls});
        if (!split && !parseDxf(path, reader)) return fail("cannot be read");
        reader.finish();
    } catch (const std::bad_alloc&) {
        return fail("asks for more memory than a drawing can take (a count in it is damaged)");
    } catch (const std::exception& e) {
        return fail(std::string("is damaged (") + e.what() + ")");
    }
    if (reader.overLimit())
        return fail("has more than " + std::to_string(limits.maxElements) + " elements (block insertions counted)");
    if (!reader.sawEnd()) return fail("is cut short: it ends before its EOF mark");
    std::string problem;
    if (!mobrhost::FigureJson::checkElements(*figure, &problem)) return fail("gives a figure that breaks a rule: " + problem);
    fitPaper(*figure, report);
    fitDisplayColours(*figure);
    return figure;
}

}  // namespace mobrdxf
