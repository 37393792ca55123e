#include "DxfRecorder.h"

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <type_traits>
#include <utility>

namespace mobrdxf {

class DxfRecorder::Call {
public:
    virtual ~Call() = default;
    virtual void playOn(DL_CreationInterface& target) const = 0;
};

namespace {

// One callback with a copy of its arguments.
template <typename... Params>
class CallOf final : public DxfRecorder::Call {
public:
    using Callback = void (DL_CreationInterface::*)(Params...);

    template <typename... Args>
    explicit CallOf(Callback callback, const Args&... args) : callback_(callback), arguments_(args...)
    {
    }

    void playOn(DL_CreationInterface& target) const override
    {
        std::apply([&](const auto&... args) { (target.*callback_)(args...); }, arguments_);
    }

private:
    Callback callback_;
    std::tuple<std::decay_t<Params>...> arguments_;
};

// dxflib's hatch edges leave the members of the other edge kinds unset, so an
// edge is never copied: the fields the reader uses for its kind (line, arc,
// elliptic arc, spline) are kept and the edge is made anew when played. An
// edge of another kind, or one not defined, is played with only its kind.
class HatchEdgeCall final : public DxfRecorder::Call {
public:
    explicit HatchEdgeCall(const DL_HatchEdgeData& e) : defined_(e.defined), type_(e.defined ? e.type : 0)
    {
        if (type_ == 1) values_ = {e.x1, e.y1, e.x2, e.y2};
        if (type_ == 2) values_ = {e.cx, e.cy, e.radius, e.angle1, e.angle2};
        if (type_ == 3) values_ = {e.cx, e.cy, e.mx, e.my, e.ratio, e.angle1, e.angle2};
        if (type_ == 2 || type_ == 3) ccw_ = e.ccw;
        if (type_ == 4) {
            degree_ = e.degree;
            knots_ = e.knots;
            controlPoints_ = e.controlPoints;
            fitPoints_ = e.fitPoints;
            weights_ = e.weights;
        }
    }

    void playOn(DL_CreationInterface& target) const override
    {
        const auto& v = values_;
        if (type_ == 1) target.addHatchEdge(DL_HatchEdgeData(v[0], v[1], v[2], v[3]));
        else if (type_ == 2) target.addHatchEdge(DL_HatchEdgeData(v[0], v[1], v[2], v[3], v[4], ccw_));
        else if (type_ == 3) target.addHatchEdge(DL_HatchEdgeData(v[0], v[1], v[2], v[3], v[4], v[5], v[6], ccw_));
        else if (type_ == 4) target.addHatchEdge(splineEdge());
        else target.addHatchEdge(kindOnly());
    }

private:
    DL_HatchEdgeData splineEdge() const
    {
        const auto count = [](const auto& list) { return static_cast<unsigned>(list.size()); };
        return DL_HatchEdgeData(degree_, !weights_.empty(), false, count(knots_), count(controlPoints_), count(fitPoints_),
                                knots_, controlPoints_, fitPoints_, weights_, 0.0, 0.0, 0.0, 0.0);
    }

    DL_HatchEdgeData kindOnly() const
    {
        DL_HatchEdgeData edge;
        edge.defined = defined_;
        edge.type = type_;
        return edge;
    }

    bool defined_;
    int type_;
    std::vector<double> values_;
    bool ccw_ = false;
    unsigned degree_ = 0;
    std::vector<double> knots_, weights_;
    std::vector<std::vector<double>> controlPoints_, fitPoints_;
};

// dxflib's dimension data leaves its arrow flags unset, so it is not copied
// as it is: the copy is made from the values its constructor sets, with the
// arrows not flipped (the reader does not use them).
DL_DimensionData dimensionCopy(const DL_DimensionData& d)
{
    DL_DimensionData copy(d.dpx, d.dpy, d.dpz, d.mpx, d.mpy, d.mpz, d.type, d.attachmentPoint, d.lineSpacingStyle,
                          d.lineSpacingFactor, d.text, d.style, d.angle, d.linearFactor, d.dimScale);
    copy.arrow1Flipped = false;
    copy.arrow2Flipped = false;
    return copy;
}

bool sameAttributes(const DL_Attributes& a, const DL_Attributes& b)
{
    return a.getLayer() == b.getLayer() && a.getColor() == b.getColor() && a.getColor24() == b.getColor24()
           && a.getWidth() == b.getWidth() && a.getLinetype() == b.getLinetype()
           && a.getLinetypeScale() == b.getLinetypeScale() && a.isInPaperSpace() == b.isInPaperSpace();
}

}  // namespace

// Calls are indexed by 32 bits; a larger limit is held to what they can count.
DxfRecorder::DxfRecorder(std::size_t maxCalls) : maxCalls_(std::min<std::size_t>(maxCalls, UINT32_MAX)) {}

DxfRecorder::DxfRecorder(DL_CreationInterface& target) : target_(&target) {}

DxfRecorder::~DxfRecorder() = default;

std::size_t DxfRecorder::keepAttributes()
{
    DL_Attributes current = getAttributes();
    // The handle is not kept: the reader does not use it, and without it
    // runs of entities on one layer in one colour share one entry.
    current.setHandle(-1);
    if (attributes_.empty() || !sameAttributes(attributes_.back(), current)) attributes_.push_back(std::move(current));
    return attributes_.size() - 1;
}

std::array<double, 4> DxfRecorder::currentExtrusion()
{
    const double* direction = getExtrusion()->getDirection();
    return {direction[0], direction[1], direction[2], getExtrusion()->getElevation()};
}

std::size_t DxfRecorder::keepExtrusion()
{
    const std::array<double, 4> current = currentExtrusion();
    if (extrusions_.empty() || extrusions_.back() != current) extrusions_.push_back(current);
    return extrusions_.size() - 1;
}

void DxfRecorder::passExtrusion(DL_CreationInterface& target, const std::array<double, 4>& e)
{
    target.setExtrusion(e[0], e[1], e[2], e[3]);
}

template <typename... Params, typename... Args>
void DxfRecorder::keep(void (DL_CreationInterface::*callback)(Params...), const Args&... args)
{
    if (!started_) return;
    if (target_) {
        target_->setAttributes(getAttributes());
        passExtrusion(*target_, currentExtrusion());
        (target_->*callback)(args...);
    } else {
        keepCall(std::make_unique<CallOf<Params...>>(callback, args...));
    }
}

void DxfRecorder::keepCall(std::unique_ptr<Call> call)
{
    if (!started_) return;
    if (calls_.size() >= maxCalls_) {
        overflowed_ = true;
        throw Full{};
    }
    const auto attributes = static_cast<std::uint32_t>(keepAttributes());
    calls_.push_back(Kept{attributes, static_cast<std::uint32_t>(keepExtrusion()), std::move(call)});
}

void DxfRecorder::replay(DL_CreationInterface& target) const
{
    for (const Kept& kept : calls_) {
        target.setAttributes(attributes_[kept.attributes]);
        passExtrusion(target, extrusions_[kept.extrusion]);
        kept.call->playOn(target);
    }
}

void DxfRecorder::processCodeValuePair(unsigned int code, const std::string& value)
{
    if (!started_) {
        // The part's own entities begin after the SECTION ENTITIES put before them.
        started_ = sawSection_ && code == 2 && value == "ENTITIES";
        sawSection_ = code == 0 && value == "SECTION";
        return;
    }
    // The reader needs entity and section names (codes 0 and 2) and, inside
    // a HATCH, every group: it reads polyline boundary paths from them.
    if (code == 0) inHatch_ = value == "HATCH";
    if (code == 0 || code == 2 || inHatch_) keep(&DL_CreationInterface::processCodeValuePair, code, value);
}

void DxfRecorder::setVariableString(const std::string& key, const std::string& value, int code)
{
    keep(&DL_CreationInterface::setVariableString, key, value, code);
}
void DxfRecorder::setVariableInt(const std::string& key, int value, int code)
{
    keep(&DL_CreationInterface::setVariableInt, key, value, code);
}
void DxfRecorder::addLinetype(const DL_LinetypeData& d) { keep(&DL_CreationInterface::addLinetype, d); }
void DxfRecorder::addLinetypeDash(double length) { keep(&DL_CreationInterface::addLinetypeDash, length); }
void DxfRecorder::addLayer(const DL_LayerData& d) { keep(&DL_CreationInterface::addLayer, d); }
void DxfRecorder::addTextStyle(const DL_StyleData& d) { keep(&DL_CreationInterface::addTextStyle, d); }
void DxfRecorder::addBlock(const DL_BlockData& d) { keep(&DL_CreationInterface::addBlock, d); }
void DxfRecorder::endBlock() { keep(&DL_CreationInterface::endBlock); }
void DxfRecorder::endSection() { keep(&DL_CreationInterface::endSection); }
void DxfRecorder::endSequence() { keep(&DL_CreationInterface::endSequence); }
void DxfRecorder::addPoint(const DL_PointData& d) { keep(&DL_CreationInterface::addPoint, d); }
void DxfRecorder::addLine(const DL_LineData& d) { keep(&DL_CreationInterface::addLine, d); }
void DxfRecorder::addArc(const DL_ArcData& d) { keep(&DL_CreationInterface::addArc, d); }
void DxfRecorder::addCircle(const DL_CircleData& d) { keep(&DL_CreationInterface::addCircle, d); }
void DxfRecorder::addText(const DL_TextData& d) { keep(&DL_CreationInterface::addText, d); }
void DxfRecorder::addAttribute(const DL_AttributeData& d) { keep(&DL_CreationInterface::addAttribute, d); }
void DxfRecorder::addMTextChunk(const std::string& text) { keep(&DL_CreationInterface::addMTextChunk, text); }
void DxfRecorder::addMText(const DL_MTextData& d) { keep(&DL_CreationInterface::addMText, d); }
void DxfRecorder::addPolyline(const DL_PolylineData& d) { keep(&DL_CreationInterface::addPolyline, d); }
void DxfRecorder::addVertex(const DL_VertexData& d) { keep(&DL_CreationInterface::addVertex, d); }
void DxfRecorder::addHatch(const DL_HatchData& d) { keep(&DL_CreationInterface::addHatch, d); }
void DxfRecorder::addHatchEdge(const DL_HatchEdgeData& d)
{
    if (target_) keep(&DL_CreationInterface::addHatchEdge, d);   // passed on, not copied
    else keepCall(std::make_unique<HatchEdgeCall>(d));
}
void DxfRecorder::addEllipse(const DL_EllipseData& d) { keep(&DL_CreationInterface::addEllipse, d); }
void DxfRecorder::addSpline(const DL_SplineData& d) { keep(&DL_CreationInterface::addSpline, d); }
void DxfRecorder::addControlPoint(const DL_ControlPointData& d) { keep(&DL_CreationInterface::addControlPoint, d); }
void DxfRecorder::addFitPoint(const DL_FitPointData& d) { keep(&DL_CreationInterface::addFitPoint, d); }
void DxfRecorder::addKnot(const DL_KnotData& d) { keep(&DL_CreationInterface::addKnot, d); }
void DxfRecorder::addInsert(const DL_InsertData& d) { keep(&DL_CreationInterface::addInsert, d); }
#define MOBR_DXF_KEEP_DIMENSION(name, Data)                                                                    \
    void DxfRecorder::name(const DL_DimensionData& d, const Data& e)                                                  \
    {                                                                                                                 \
        keep(&DL_CreationInterface::name, dimensionCopy(d), e);                                                       \
    }
MOBR_DXF_DIMENSION_CALLBACKS(MOBR_DXF_KEEP_DIMENSION)
#undef MOBR_DXF_KEEP_DIMENSION

}  // namespace mobrdxf
