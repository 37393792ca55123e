#include "elements/ElementSheet.h"

#include <cmath>
#include <cstring>

#include "elements/CSysElem1.h"
#include "elements/CSysElem2.h"
#include "elements/CSysElem3.h"
#include "elements/CSysElem4.h"
#include "frame/HostApi.h"
#include "frame/ModuleLog.h"
#include "mobr/Bytes.h"
#include "mobr/host_blocks.h"
#include "mobr/host_types.h"
#include "mobrdlg/ZqPropertySheet.h"

namespace {

namespace bytes = mobr::bytes;
namespace aw = mobr::attrword;

constexpr int32_t kFigureNumber = 82;
constexpr int32_t kReadBlock = 114;
constexpr int32_t kReadPen = 0, kWritePen = 1;
constexpr int32_t kRefreshAll = -2;
constexpr double kMinRatio = 0.01, kMaxRatio = 999999.0;
constexpr double kHundredths = 100.0;

}  // namespace

CElementSheet::CElementSheet() = default;
CElementSheet::~CElementSheet() = default;

double CElementSheet::hatchRatio(double stored, int32_t numerator, int32_t denominator)
{
    if (stored >= kMinRatio && stored <= kMaxRatio) return stored;
    const double ratio = static_cast<double>(numerator) / static_cast<double>(denominator);
    // A zero denominator or numerator would give infinity or zero.
    return std::isfinite(ratio) && ratio > 0.0 ? ratio : 1.0;
}

int CElementSheet::run()
{
    try {
        runSteps();
    } catch (...) {
        logCaughtException("element settings sheet");
    }
    return 0;
}

void CElementSheet::runSteps()
{
    hostapi::aatSysInfCFigno(kFigureNumber, &figure_);
    buildSheet();
    readLayerColour();
    unsigned char mode[mobr::kHostSettingsBlockBytes] = {};
    if (hostapi::aatSysInfCharSizeMode(kReadBlock, mode) == 0) charSizeMode_ = bytes::i16(mode, 0);
    if (!loadTables() || !loadPage1() || !loadPage2() || !loadPage3() || !loadPage4()) {
        qCInfo(lcModule) << "element settings: reading the figure failed; no sheet";
        return;
    }
    const int result = runSheet();
    if (result == -1 || result == 3) {
        hostapi::aapLcom_mwar(kWarnFailed);
        return;
    }
    if (result == 1 && !(applyPage1() && applyPage2() && applyPage3() && applyPage4())) {
        qCWarning(lcModule) << "element settings: writing to the figure failed part-way";
        hostapi::aapLcom_mwar(kWarnFailed);
    }
    hostapi::aatAtrDisp(kRefreshAll);
}

void CElementSheet::buildSheet()
{
    sheet_ = std::make_unique<CZqPropertySheet>(kCaption, nullptr, 0);
    sheet_->ShowHelpButton(true);
    page1_ = std::make_unique<CSysElem1>();
    page2_ = std::make_unique<CSysElem2>();
    page3_ = std::make_unique<CSysElem3>();
    page4_ = std::make_unique<CSysElem4>();
    sheet_->AddPage(page1_.get());
    sheet_->AddPage(page2_.get());
    sheet_->AddPage(page3_.get());
    sheet_->AddPage(page4_.get());
}

int CElementSheet::runSheet()
{
    return sheet_->DoModal();
}

void CElementSheet::readLayerColour()
{
    char mode = 'P';
    hostapi::aatAtrColMod(kReadBlock, figure_, &mode);
    layerFlag_ = mode == 'L' ? 1 : 0;
    short current = 0;
    hostapi::aatSysInfCFigno(kFigureNumber, &current);
    int32_t group = 0, layer = 0;
    void* layers = hostapi::aatFigLayGetInfo(current);
    hostapi::aatFigGetLayActiveNo(current, &group, &layer);
    layerColour_ = layers ? hostapi::aatLayGetColor(layers, group, layer) : 0;
}

double CElementSheet::toPaper(double real) const
{
    double paper = real;
    return paperUnits() && hostapi::aatRealSizeToPaperSize(figure_, real, &paper) == 0 ? paper : real;
}

double CElementSheet::toReal(double paper) const
{
    double real = paper;
    return paperUnits() && hostapi::aatPaperSizeToRealSize(figure_, paper, &real) == 0 ? real : paper;
}

// ---- Loading ---------------------------------------------------------------------

bool CElementSheet::loadTables()
{
    tables_ = {hostapi::aatFigGetPenInfo(figure_), hostapi::aatFigGetColInfo(figure_),
               hostapi::aatFigGetTipInfo(figure_), hostapi::aatFigGetFntInfo(figure_),
               hostapi::aatFigGetPenExInfo(figure_)};
    for (void* t : tables_) {
        if (!t) return false;
    }
    return page1_->SetPageData(CSysElem1::kItemPenTable, table(kPens)) &&
           page2_->SetPageData(CSysElem2::kItemPenTable, table(kPens)) &&
           page3_->SetPageData(CSysElem3::kItemPenTable, table(kPens)) &&
           page1_->SetPageData(CSysElem1::kItemColourTable, table(kColours)) &&
           page2_->SetPageData(CSysElem2::kItemColourTable, table(kColours)) &&
           page3_->SetPageData(CSysElem3::kItemColourTable, table(kColours)) &&
           page4_->SetPageData(CSysElem4::kItemColourTable, table(kColours)) &&
           page1_->SetPageData(CSysElem1::kItemTipTable, table(kTips)) &&
           page2_->SetPageData(CSysElem2::kItemTipTable, table(kTips)) &&
           page2_->SetPageData(CSysElem2::kItemFontTable, table(kFonts)) &&
           page3_->SetPageData(CSysElem3::kItemFontTable, table(kFonts)) &&
           page1_->SetPageData(CSysElem1::kItemPenExTable, table(kPenEx)) &&
           page2_->SetPageData(CSysElem2::kItemPenExTable, table(kPenEx)) &&
           page3_->SetPageData(CSysElem3::kItemPenExTable, table(kPenEx));
}

bool CElementSheet::loadPage1()
{
    using P = CSysElem1;
    unsigned char line[mobr::kHostLineAttribBytes] = {}, point[mobr::kHostPointAttribBytes] = {};
    if (hostapi::aatFigGetLineAttrib(figure_, line) != 0) return false;
    const uint32_t lw = bytes::u32(line, 0);
    if (!page1_->SetPageInt(P::kItemPen, aw::get(lw, aw::kPen)) ||
        !page1_->SetPageInt(P::kItemColour, aw::get(lw, aw::kColour)))
        return false;
    if (layerFlag_ == 1 && !page1_->SetPageInt(P::kItemLayerColour, layerColour_)) return false;
    if (!page1_->SetPageInt(P::kItemLayerFlag, layerFlag_) ||
        !page1_->SetPageInt(P::kItemFirstTip, aw::get(lw, aw::kFirstTip)) ||
        !page1_->SetPageInt(P::kItemSecondTip, aw::get(lw, aw::kSecondTip)))
        return false;
    if (hostapi::aatFigGetPntAttrib(figure_, point) != 0 ||
        !page1_->SetPageInt(P::kItemPointType, aw::get(bytes::u32(point, 0), aw::kPointType)))
        return false;
    int32_t kind = 0, divisions = 0, tolerance = 0;
    if (hostapi::aatFigGetCurvInfo(figure_, &kind, &divisions) != 0 || !page1_->SetPageInt(P::kItemCurveKind, kind) ||
        !page1_->SetPageInt(P::kItemDivisions, divisions))
        return false;
    // The host keeps the tolerance negated.
    if (hostapi::aatFigGetCurvTole(figure_, &tolerance) != 0 || !page1_->SetPageInt(P::kItemTolerance, -tolerance))
        return false;
    double ratio = 0.0;
    if (hostapi::aatFigGetHatPtnRatu(figure_, &ratio) != 0) return false;
    if (!(ratio >= kMinRatio && ratio <= kMaxRatio)) {
        int32_t numerator = 0, denominator = 0;
        if (hostapi::aatFigGetScale(figure_, &numerator, &denominator) != 0) return false;
        ratio = hatchRatio(ratio, numerator, denominator);
    }
    int32_t centrePen = 0;
    return page1_->SetPageDouble(P::kItemHatchRatio, ratio) &&
           hostapi::aauFigCLinePen(kReadPen, figure_, &centrePen) == 0 &&
           page1_->SetPageInt(P::kItemCentrePen, centrePen);
}

bool CElementSheet::loadPage2()
{
    unsigned char dim[mobr::kHostDimBlockBytes] = {};
    if (hostapi::aatFigGetDimInfo(figure_, dim) != 0) return false;
    for (std::size_t offset : mobr::dimblock::kTextSizes)
        bytes::setF32(dim, offset, static_cast<float>(toPaper(bytes::f32(dim, offset))));
    if (!page2_->SetPageData(CSysElem2::kItemBlock, reinterpret_cast<std::intptr_t>(dim))) return false;
    if (layerFlag_ == 1 && !page2_->SetPageInt(CSysElem2::kItemLayerColour, layerColour_)) return false;
    return page2_->SetPageInt(CSysElem2::kItemLayerFlag, layerFlag_);
}

bool CElementSheet::loadPage3()
{
    using P = CSysElem3;
    unsigned char attrib[mobr::kHostCharAttribBytes] = {}, info[mobr::kHostCharInfoBytes] = {};
    double slant = 0.0;
    if (hostapi::aatFigGetCharAttrib(figure_, attrib) != 0 || hostapi::aatFigGetCharInfo(figure_, info) != 0 ||
        hostapi::aatFigGetFontSlant(figure_, &slant) != 0)
        return false;
    const int type = hostapi::aatFigGetFontType(figure_);
    if (type != 0 && type != 1) return false;
    const uint32_t cw = bytes::u32(attrib, 0);
    bool loaded = page3_->SetPageInt(P::kItemColour, aw::get(cw, aw::kColour)) &&
                  page3_->SetPageInt(P::kItemFont, aw::get(cw, aw::kFont)) &&
                  page3_->SetPageInt(P::kItemDirection, aw::get(cw, aw::kCharBits19)) &&
                  page3_->SetPageInt(P::kItemAlignment, aw::get(cw, aw::kCharBits17)) &&
                  page3_->SetPageInt(P::kItemFontType, type) && page3_->SetPageInt(P::kItemPen, aw::get(cw, aw::kPen));
    for (int i = 0; i < 4; ++i) {
        const double size = toPaper(bytes::f32(info, mobr::charblock::kSizes[static_cast<std::size_t>(i)]));
        loaded = loaded && page3_->SetPageDouble(P::kItemSize1 + i, size);
    }
    loaded = loaded && page3_->SetPageDouble(P::kItemSlant, slant) &&
             page3_->SetPageDouble(P::kItemHundredths, bytes::i16(info, mobr::charblock::kHundredths) / kHundredths) &&
             page3_->SetPageInt(P::kItemLayerFlag, layerFlag_);
    return loaded && (layerFlag_ != 1 || page3_->SetPageInt(P::kItemLayerColour, layerColour_));
}

bool CElementSheet::loadPage4()
{
    for (int k = 0; k < CSysElem4::kColours; ++k) {
        if (!page4_->SetPageInt(CSysElem4::kItemFirstColour + k, hostapi::aatFigGetDispColor(figure_, k))) return false;
    }
    return true;
}

// ---- Applying --------------------------------------------------------------------

bool CElementSheet::applyPage1()
{
    using P = CSysElem1;
    unsigned char line[mobr::kHostLineAttribBytes] = {}, point[mobr::kHostPointAttribBytes] = {};
    if (hostapi::aatFigGetLineAttrib(figure_, line) != 0 || hostapi::aatFigGetPntAttrib(figure_, point) != 0)
        return false;
    int pen = 0, colour = 0, tip1 = 0, tip2 = 0, type = 0, kind = 0, divisions = 0, tolerance = 0, centrePen = 0;
    double ratio = 0.0;
    if (!page1_->GetPageInt(P::kItemPen, &pen) || !page1_->GetPageInt(P::kItemColour, &colour) ||
        !page1_->GetPageInt(P::kItemFirstTip, &tip1) || !page1_->GetPageInt(P::kItemSecondTip, &tip2) ||
        !page1_->GetPageInt(P::kItemPointType, &type) || !page1_->GetPageInt(P::kItemCurveKind, &kind) ||
        !page1_->GetPageInt(P::kItemDivisions, &divisions) || !page1_->GetPageInt(P::kItemTolerance, &tolerance) ||
        !page1_->GetPageDouble(P::kItemHatchRatio, &ratio) || !page1_->GetPageInt(P::kItemCentrePen, &centrePen))
        return false;
    uint32_t lw = bytes::u32(line, 0);
    lw = aw::put(aw::put(lw, aw::kPen, pen), aw::kColour, colour);
    lw = aw::put(aw::put(lw, aw::kFirstTip, tip1), aw::kSecondTip, tip2);
    bytes::setU32(line, 0, lw);
    // The colour of new lines is also the colour of new points.
    bytes::setU32(point, 0, aw::put(aw::put(bytes::u32(point, 0), aw::kColour, colour), aw::kPointType, type));
    return hostapi::aatFigSetLineAttrib(figure_, line) == 0 && hostapi::aatFigSetPntAttrib(figure_, point) == 0 &&
           hostapi::aatFigSetCurvInfo(figure_, kind, divisions) == 0 &&
           hostapi::aatFigSetCurvTole(figure_, -tolerance) == 0 &&
           hostapi::aatFigSetHatPtnRatu(figure_, ratio) == 0 &&
           hostapi::aauFigCLinePen(kWritePen, figure_, &centrePen) == 0;
}

bool CElementSheet::applyPage2()
{
    unsigned char dim[mobr::kHostDimBlockBytes] = {};
    if (!page2_->GetPageData(CSysElem2::kItemBlock, dim, static_cast<int>(sizeof dim))) return false;
    for (std::size_t offset : mobr::dimblock::kTextSizes)
        bytes::setF32(dim, offset, static_cast<float>(toReal(bytes::f32(dim, offset))));
    return hostapi::aatFigSetDimInfo(figure_, dim) == 0;
}

bool CElementSheet::applyPage3()
{
    using P = CSysElem3;
    unsigned char attrib[mobr::kHostCharAttribBytes] = {}, info[mobr::kHostCharInfoBytes] = {};
    if (hostapi::aatFigGetCharAttrib(figure_, attrib) != 0 || hostapi::aatFigGetCharInfo(figure_, info) != 0)
        return false;
    int colour = 0, font = 0, direction = 0, alignment = 0, type = 0, pen = 0;
    double slant = 0.0, hundredths = 0.0;
    bool read = page3_->GetPageInt(P::kItemColour, &colour) && page3_->GetPageInt(P::kItemFont, &font) &&
                page3_->GetPageInt(P::kItemDirection, &direction) && page3_->GetPageInt(P::kItemAlignment, &alignment) &&
                page3_->GetPageInt(P::kItemFontType, &type) && page3_->GetPageInt(P::kItemPen, &pen) &&
                page3_->GetPageDouble(P::kItemSlant, &slant) && page3_->GetPageDouble(P::kItemHundredths, &hundredths);
    for (int i = 0; i < 4 && read; ++i) {
        double size = 0.0;
        read = page3_->GetPageDouble(P::kItemSize1 + i, &size);
        bytes::setF32(info, mobr::charblock::kSizes[static_cast<std::size_t>(i)], static_cast<float>(toReal(size)));
    }
    if (!read) return false;
    uint32_t cw = bytes::u32(attrib, 0);
    cw = aw::put(aw::put(aw::put(cw, aw::kColour, colour), aw::kFont, font), aw::kPen, pen);
    cw = aw::put(aw::put(cw, aw::kCharBits19, direction), aw::kCharBits17, alignment);
    bytes::setU32(attrib, 0, cw);
    // Rounded, not cut: 1.15 is 114.99999... hundredths as a double.
    bytes::setI16(info, mobr::charblock::kHundredths, static_cast<int16_t>(std::lround(hundredths * kHundredths)));
    return hostapi::aatFigSetFontSlant(figure_, slant) == 0 && hostapi::aatFigSetFontType(figure_, type) == 0 &&
           hostapi::aatFigSetCharAttrib(figure_, attrib) == 0 && hostapi::aatFigSetCharInfo(figure_, info) == 0;
}

bool CElementSheet::applyPage4()
{
    for (int k = 0; k < CSysElem4::kColours; ++k) {
        int colour = 0;
        if (!page4_->GetPageInt(CSysElem4::kItemFirstColour + k, &colour) ||
            hostapi::aatFigSetDispColor(figure_, k, colour) != 0)
            return false;
    }
    return true;
}
