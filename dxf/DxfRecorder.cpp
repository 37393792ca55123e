#include "DxfRecorder.h"

#include <array>
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
// edge is never copied: the fields of line and arc edges are kept and the
// edge is made anew when played. Other kinds are played as an edge that is
// not defined, which the reader reports as skipped like the kind itself.
class HatchEdgeCall final : public DxfRecorder::Call {
public:
    explicit HatchEdgeCall(const DL_HatchEdgeData& e) : type_(e.defined && (e.type == 1 || e.type == 2) ? e.type : 0)
    {
        if (type_ == 1) values_ = {e.x1, e.y1, e.x2, e.y2, 0.0};
        if (type_ == 2) {
            values_ = {e.cx, e.cy, e.radius, e.angle1, e.angle2};
            ccw_ = e.ccw;
        }
    }

    void playOn(DL_CreationInterface& target) const override
    {
        const auto& v = values_;
        if (type_ == 1) target.addHatchEdge(DL_HatchEdgeData(v[0], v[1], v[2], v[3]));
        else if (type_ == 2) target.addHatchEdge(DL_HatchEdgeData(v[0], v[1], v[2], v[3], v[4], ccw_));
        else target.addHatchEdge(DL_HatchEdgeData());
    }

private:
    int type_;
    std::array<double, 5> values_{};
    bool ccw_ = false;
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

DxfRecorder::DxfRecorder(std::size_t maxCalls) : maxCalls_(maxCalls) {}

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

template <typename... Params, typename... Args>
void DxfRecorder::keep(void (DL_CreationInterface::*callback)(Params...), const Args&... args)
{
    if (!started_) return;
    if (target_) {
        target_->setAttributes(getAttributes());
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
    calls_.push_back(Kept{keepAttributes(), std::move(call)});
}

void DxfRecorder::replay(DL_CreationInterface& target) const
{
    for (const Kept& kept : calls_) {
        target.setAttributes(attributes_[kept.attributes]);
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
    if (code == 0 || code == 2) keep(&DL_CreationInterface::processCodeValuePair, code, value);
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
void DxfRecorder::addInsert(const DL_InsertData& d) { keep(&DL_CreationInterface::addInsert, d); }
#define MOBR_DXF_KEEP_DIMENSION(name, Data)                                                                    \
    void DxfRecorder::name(const DL_DimensionData& d, const Data& e)                                                  \
    {                                                                                                                 \
        keep(&DL_CreationInterface::name, dimensionCopy(d), e);                                                       \
    }
MOBR_DXF_DIMENSION_CALLBACKS(MOBR_DXF_KEEP_DIMENSION)
#undef MOBR_DXF_KEEP_DIMENSION

}  // namespace mobrdxf
