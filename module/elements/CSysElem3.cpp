#include "elements/CSysElem3.h"

#include <climits>

#include "frame/HostApi.h"
#include "mobrcctl/ZqFieldBinder.h"

namespace {

constexpr double kMaxSlant = 45.0;
constexpr int kSlantChars = 6;

}  // namespace

const std::vector<ZqField>& CSysElem3::fieldTable()
{
    using elemlists::realField;
    static const std::vector<ZqField> fields = elemlists::joined({
        elemlists::textSizeFields(kItemSize1, kHeight),
        {realField(kItemSlant, kSlant, -kMaxSlant, kMaxSlant).withMaxChars(kSlantChars),
         realField(kItemHundredths, kHundredths, -kMaxSlant, kMaxSlant).withMaxChars(kSlantChars)},
        elemlists::layerFields(kItemLayerFlag, kItemLayerColour),
    });
    return fields;
}

CSysElem3::CSysElem3()
    : CZqPropertyPage("IDD_PROPS_012"), CZqFieldLink(fieldTable()),
      CElementLinkParts({kItemPenTable, kItemColourTable, 0, kItemFontTable, kItemPenExTable},
                        {kPenList, kColourList, kItemColour, kItemLayerFlag, kItemLayerColour}),
      direction_(kDirection, {0, 1, 2}), alignment_(kAlignment, {0, 1, 2}), fontType_(kFontType, {1, 0})
{
    addColourChoice(kItemColour, kColourList);
    addFontChoice(kItemFont, kFontList);
    addPenChoice(kItemPen, kPenList);
}

CSysElem3::~CSysElem3() = default;

// ---- Data link --------------------------------------------------------------

int CSysElem3::SetPageData(int item, std::intptr_t value)
{
    return takeTable(item, value) ? 1 : 0;
}

CCodedRadio* CSysElem3::radioOf(int item)
{
    switch (item) {
    case kItemDirection: return &direction_;
    case kItemAlignment: return &alignment_;
    case kItemFontType: return &fontType_;
    default: return nullptr;
    }
}

int CSysElem3::SetPageInt(int item, int value)
{
    if (CCodedRadio* radio = radioOf(item)) {
        radio->receive(value);
        return 1;
    }
    if (choices_.set(item, value)) return 1;
    return CZqFieldLink::SetPageInt(item, value);
}

int CSysElem3::GetPageInt(int item, int* value)
{
    if (!value) return 0;
    if (CCodedRadio* radio = radioOf(item)) {
        *value = radio->hostValue();
        return 1;
    }
    if (choices_.get(item, value)) return 1;
    return CZqFieldLink::GetPageInt(item, value);
}

// ---- The page ------------------------------------------------------------------

// The slant is for fonts that can slant (attribute bit 0x10) only. A name
// that is not found changes nothing.
void CSysElem3::followFont()
{
    const int font = elemlists::fontNumber(fonts_, GetDlgItemText(kFontList));
    if (font < 0) return;
    const bool slants = (hostapi::aatFntGetAttrib(fonts_, font) & kSlantFontBit) != 0;
    elemlists::switchEdit(*this, *binder_, fieldSet(), kSlant, {kSlantLabel1, kSlantLabel2}, slants);
}

bool CSysElem3::OnInitDialog()
{
    binder_ = std::make_unique<CZqFieldBinder>(*this, fieldSet());
    elemlists::fillPens(*this, kPenList, pens_, choices_.value(kItemPen), elemlists::PenFilter::PlotStyle1);
    elemlists::fillFonts(*this, kFontList, fonts_, choices_.value(kItemFont));
    colourFollowsPen().show(*this, fieldSet(), choices_, choices_.value(kItemPen));
    binder_->attach();
    direction_.show(*this);
    alignment_.show(*this);
    fontType_.show(*this);
    followFont();
    return true;
}

void CSysElem3::OnSelChange(int id)
{
    colourFollowsPen().picked(*this, fieldSet(), choices_, id);
    if (id == kFontList) followFont();
}

bool CSysElem3::OnKillActive()
{
    return !IsCreated() || binder_->checkAll();
}

void CSysElem3::OnOK()
{
    if (!IsCreated()) return;
    direction_.take(*this);
    alignment_.take(*this);
    fontType_.take(*this);
    choices_.resolve(*this);
}

void CSysElem3::OnHelp()
{
    hostapi::aapRunDlgHelp(kHelpTopic);
}
