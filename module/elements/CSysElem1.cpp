#include "elements/CSysElem1.h"

#include <climits>

#include <QAbstractButton>
#include <QIcon>

#include "frame/HostApi.h"
#include "mobrcctl/ZqFieldBinder.h"
#include "mobrdlg/ZqResources.h"

namespace {

constexpr int kMinDivisions = 2, kMaxDivisions = 20;
constexpr int kMinTolerance = -8, kMaxTolerance = 8;
constexpr double kMinRatio = 0.01, kMaxRatio = 999999.0;
constexpr int kRatioDecimals = 2;
constexpr int kFirstPointImage = 7455;   // 7455-7458, one per point type
constexpr int kPointTypes = 4;

}  // namespace

const std::vector<ZqField>& CSysElem1::fieldTable()
{
    static const std::vector<ZqField> fields = elemlists::joined({{
        ZqField::integer(kItemDivisions, kDivisions, kMinDivisions, kMaxDivisions)
            .asSpin(1)
            .withReceipt(ZqReceipt::Clamp)
            .withCheckDigits(2),
        ZqField::integer(kItemTolerance, kTolerance, kMinTolerance, kMaxTolerance)
            .asSpin(1)
            .withReceipt(ZqReceipt::Clamp)
            .withCheckDigits(1),
        ZqField::real(kItemHatchRatio, kHatchRatio, kMinRatio, kMaxRatio)
            .withDecimals(kRatioDecimals)
            .withFormat("%-.2f")
            .withReceipt(ZqReceipt::Clamp)},
        elemlists::layerFields(kItemLayerFlag, kItemLayerColour),
    });
    return fields;
}

CSysElem1::CSysElem1()
    : CZqPropertyPage("IDD_PROPS_010"), CZqFieldLink(fieldTable()),
      CElementLinkParts({kItemPenTable, kItemColourTable, kItemTipTable, 0, kItemPenExTable},
                        {kPenList, kColourList, kItemColour, kItemLayerFlag, kItemLayerColour}),
      pointType_(kPointType, {1, 2, 5, 6}), curveKind_(kCurveKind, {2, 3, 4})
{
    addPenChoice(kItemPen, kPenList);
    addColourChoice(kItemColour, kColourList);
    addTipChoice(kItemFirstTip, kFirstTipList);
    addTipChoice(kItemSecondTip, kSecondTipList);
    // The centre-line pen is kept as a pen number (the host's 0-based value
    // plus 1).
    addPenChoice(kItemCentrePen, kCentrePenList);
}

CSysElem1::~CSysElem1() = default;

// ---- Data link --------------------------------------------------------------

int CSysElem1::SetPageData(int item, std::intptr_t value)
{
    if (item == kItemCentrePen) return 1;   // accepted as a table id and not used
    return takeTable(item, value) ? 1 : 0;
}

int CSysElem1::SetPageInt(int item, int value)
{
    switch (item) {
    case kItemPointType: pointType_.receive(value); return 1;
    case kItemCurveKind: curveKind_.receive(value); return 1;
    case kItemCentrePen: return choices_.set(item, value + 1) ? 1 : 0;
    case kItemFirstTip:
    case kItemSecondTip:
        // A reserved tip is shown as "no tip" and goes back as 0.
        return choices_.set(item, elemlists::isNoTip(value) ? 0 : value) ? 1 : 0;
    default: break;
    }
    if (choices_.set(item, value)) return 1;
    return CZqFieldLink::SetPageInt(item, value);
}

int CSysElem1::GetPageInt(int item, int* value)
{
    if (!value) return 0;
    switch (item) {
    case kItemPointType: *value = pointType_.hostValue(); return 1;
    case kItemCurveKind: *value = curveKind_.hostValue(); return 1;
    case kItemCentrePen: {
        int pen = 0;
        if (!choices_.get(item, &pen)) return 0;
        *value = pen - 1;
        return 1;
    }
    default: break;
    }
    if (choices_.get(item, value)) return 1;
    return CZqFieldLink::GetPageInt(item, value);
}

// ---- Opening -----------------------------------------------------------------

bool CSysElem1::OnInitDialog()
{
    using elemlists::PenFilter;
    elemlists::fillPens(*this, kPenList, pens_, choices_.value(kItemPen), PenFilter::Usable);
    colourFollowsPen().show(*this, fieldSet(), choices_, choices_.value(kItemPen));
    elemlists::fillTips(*this, kFirstTipList, tips_, choices_.value(kItemFirstTip));
    elemlists::fillTips(*this, kSecondTipList, tips_, choices_.value(kItemSecondTip));
    elemlists::fillPens(*this, kCentrePenList, pens_, choices_.value(kItemCentrePen), PenFilter::All);
    binder_ = std::make_unique<CZqFieldBinder>(*this, fieldSet());
    binder_->attach();
    for (int i = 0; i < kPointTypes; ++i) {
        if (auto* button = item<QAbstractButton>(kPointType + i)) button->setIcon(QIcon(ZqLoadImage(kFirstPointImage + i)));
    }
    pointType_.show(*this);
    curveKind_.show(*this);
    return true;
}

// ---- Changes -------------------------------------------------------------------

void CSysElem1::OnSelChange(int id)
{
    colourFollowsPen().picked(*this, fieldSet(), choices_, id);
}

bool CSysElem1::OnKillActive()
{
    return !IsCreated() || binder_->checkAll();
}

void CSysElem1::OnOK()
{
    if (!IsCreated()) return;
    pointType_.take(*this);
    curveKind_.take(*this);
    choices_.resolve(*this);
}

void CSysElem1::OnHelp()
{
    hostapi::aapRunDlgHelp(kHelpTopic);
}
