#pragma once

// The callbacks dxflib makes while it parses the second part of a drawing
// read in two parts, kept in order to be played on the drawing reader once
// that has read the first part: the reader then sees what one parse of the
// whole file would have shown it, and resolves tables in the same order.
//
// The part is parsed with the drawing's header and a SECTION ENTITIES before
// it; everything up to that section's name is the parser's preparation and
// is not kept. Only the callbacks the drawing reader overrides are kept
// (keep the two lists in step: the two-part test reads every entity kind the
// reader maps), processCodeValuePair for group codes 0 and 2 and for every
// group inside a HATCH, with the entity attributes dxflib set before each
// callback and the extrusion it set before each (a plain member dxflib sets
// without a virtual call, so it is copied, not recorded).

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <dxflib/dl_creationadapter.h>

namespace mobrdxf {

class DxfRecorder : public DL_CreationAdapter {
public:
    // Keeps at most `maxCalls` calls; one more ends the parse (an exception
    // of type Full) and marks the recording as overflowed.
    explicit DxfRecorder(std::size_t maxCalls);
    // Passes each call on to `target` at once instead of keeping it.
    explicit DxfRecorder(DL_CreationInterface& target);
    ~DxfRecorder() override;

    struct Full {};

    bool overflowed() const { return overflowed_; }
    std::size_t size() const { return calls_.size(); }
    void replay(DL_CreationInterface& target) const;

    void processCodeValuePair(unsigned int code, const std::string& value) override;
    void setVariableString(const std::string& key, const std::string& value, int code) override;
    void setVariableInt(const std::string& key, int value, int code) override;
    void addLinetype(const DL_LinetypeData& d) override;
    void addLinetypeDash(double length) override;
    void addLayer(const DL_LayerData& d) override;
    void addTextStyle(const DL_StyleData& d) override;
    void addBlock(const DL_BlockData& d) override;
    void endBlock() override;
    void endSection() override;
    void endSequence() override;
    void addPoint(const DL_PointData& d) override;
    void addLine(const DL_LineData& d) override;
    void addArc(const DL_ArcData& d) override;
    void addCircle(const DL_CircleData& d) override;
    void addText(const DL_TextData& d) override;
    void addAttribute(const DL_AttributeData& d) override;
    void addMTextChunk(const std::string& text) override;
    void addMText(const DL_MTextData& d) override;
    void addPolyline(const DL_PolylineData& d) override;
    void addVertex(const DL_VertexData& d) override;
    void addHatch(const DL_HatchData& d) override;
    void addHatchEdge(const DL_HatchEdgeData& d) override;
    void addEllipse(const DL_EllipseData& d) override;
    void addSpline(const DL_SplineData& d) override;
    void addControlPoint(const DL_ControlPointData& d) override;
    void addFitPoint(const DL_FitPointData& d) override;
    void addKnot(const DL_KnotData& d) override;
    void addInsert(const DL_InsertData& d) override;
    // The dimension callbacks, each with the data of its kind.
#define MOBR_DXF_DIMENSION_CALLBACKS(X)                                                                        \
    X(addDimAlign, DL_DimAlignedData)                                                                          \
    X(addDimLinear, DL_DimLinearData)                                                                          \
    X(addDimRadial, DL_DimRadialData)                                                                          \
    X(addDimDiametric, DL_DimDiametricData)                                                                    \
    X(addDimAngular, DL_DimAngular2LData)                                                                      \
    X(addDimAngular3P, DL_DimAngular3PData)                                                                    \
    X(addDimOrdinate, DL_DimOrdinateData)
#define MOBR_DXF_DECLARE_DIMENSION(name, Data) void name(const DL_DimensionData& d, const Data& e) override;
    MOBR_DXF_DIMENSION_CALLBACKS(MOBR_DXF_DECLARE_DIMENSION)
#undef MOBR_DXF_DECLARE_DIMENSION

    class Call;

private:
    struct Kept {
        // Indices into attributes_ and extrusions_ (fewer than 2^32 calls are kept).
        std::uint32_t attributes, extrusion;
        std::unique_ptr<Call> call;
    };

    template <typename... Params, typename... Args>
    void keep(void (DL_CreationInterface::*callback)(Params...), const Args&... args);
    void keepCall(std::unique_ptr<Call> call);
    std::size_t keepAttributes();
    std::size_t keepExtrusion();
    static void passExtrusion(DL_CreationInterface& target, const std::array<double, 4>& extrusion);
    std::array<double, 4> currentExtrusion();

    DL_CreationInterface* target_ = nullptr;
    std::size_t maxCalls_ = 0;
    bool started_ = false, sawSection_ = false, overflowed_ = false, inHatch_ = false;
    std::vector<Kept> calls_;
    // Consecutive entities mostly share their attributes; each distinct run is kept once.
    std::vector<DL_Attributes> attributes_;
    // Direction and elevation, each distinct run kept once.
    std::vector<std::array<double, 4>> extrusions_;
};

}  // namespace mobrdxf
