#include "elements/CDimTextDlg.h"

#include <climits>
#include <cstring>

#include "frame/HostApi.h"
#include "mobrcctl/ZqFieldBinder.h"
#include "platform/CodePage.h"

namespace {

constexpr double kMaxSlant = 45.0;

}  // namespace

const std::vector<ZqField>& CDimTextDlg::fieldTable()
{
    using elemlists::realField;
    static const std::vector<ZqField> fields = elemlists::joined({
        elemlists::textSizeFields(kItemSize1, kHeight),
        {ZqField::text(kItemFirstText, kFirstText, kTextChars),
        ZqField::text(kItemFirstText + 1, kFirstText + 1, kTextChars),
        ZqField::text(kItemFirstText + 2, kFirstText + 2, kTextChars),
        realField(kItemHundredths1, kHundredths1, -kMaxSlant, kMaxSlant).withConversion(ZqConversion::Hundredths),
        realField(kItemHundredths2, kHundredths2, -kMaxSlant, kMaxSlant).withConversion(ZqConversion::Hundredths),
        ZqField::check(kItemSwitch1, kSwitch1).withReceipt(ZqReceipt::Clamp),
        ZqField::check(kItemSwitch2, kSwitch2).withReceipt(ZqReceipt::Clamp),
        ZqField::check(kItemSwitch3, kSwitch3).withReceipt(ZqReceipt::Clamp)},
        elemlists::layerFields(kItemLayerFlag, kItemLayerColour),
    });
    return fields;
}

CDimTextDlg::CDimTextDlg(QWidget* parent)
    : CZqLinkDialog("IDD_S_016", fieldTable(), parent),
      CElementLinkParts({kItemPenTable, kItemColourTable, 0, kItemFontTable, kItemPenExTable},
                        {kPenList, kColourList, kItemColour, kItemLayerFlag, kItemLayerColour}),
      placement_(kPlacement, {0, 1}), orientation_(kOrientation, {1, 0})
{
    addColourChoice(kItemColour, kColourList);
    addFontChoice(kItemFont, kFontList);
    addPenChoice(kItemPen, kPenList);
}

CDimTextDlg::~CDimTextDlg() = default;

int CDimTextDlg::SetPageData(int item, std::intptr_t value)
{
    if (takeTable(item, value)) return 1;
    void* table = reinterpret_cast<void*>(value);
    const int text = item - kItemFirstText;
    if (text < 0 || text >= kTexts || !table) return 0;
    // The field need not end with a NUL: read no further than its 22 bytes.
    char* field = static_cast<char*>(table);
    textFields_[static_cast<std::size_t>(text)] = field;
    const std::string received(field, strnlen(field, kTextBytes));
    textsReceived_[static_cast<std::size_t>(text)] = mobr::cp932::cut(received, kTextChars);
    return SetPageString(item, textsReceived_[static_cast<std::size_t>(text)].c_str());
}

int CDimTextDlg::SetPageInt(int item, int value)
{
    if (item == kItemPlacement) {
        placement_.receive(value);
        return 1;
    }
    if (item == kItemOrientation) {
        orientation_.receive(value);
        return 1;
    }
    if (choices_.set(item, value)) return 1;
    return CZqLinkDialog::SetPageInt(item, value);
}

int CDimTextDlg::GetPageInt(int item, int* value)
{
    if (!value) return 0;
    if (item == kItemPlacement || item == kItemOrientation) {
        *value = (item == kItemPlacement ? placement_ : orientation_).hostValue();
        return 1;
    }
    if (choices_.get(item, value)) return 1;
    return CZqLinkDialog::GetPageInt(item, value);
}

bool CDimTextDlg::OnInitDialog()
{
    elemlists::fillPens(*this, kPenList, pens_, choices_.value(kItemPen), elemlists::PenFilter::PlotStyle1);
    elemlists::fillFonts(*this, kFontList, fonts_, choices_.value(kItemFont));
    colourFollowsPen().show(*this, fieldSet(), choices_, choices_.value(kItemPen));
    binder_ = std::make_unique<CZqFieldBinder>(*this, fieldSet());
    binder_->attach();
    placement_.show(*this);
    orientation_.show(*this);
    EnableItem(kSwitch3, IsDlgButtonChecked(kPlacementSecond));
    return true;
}

bool CDimTextDlg::OnCommand(int id)
{
    if (placement_.owns(id)) {
        EnableItem(kSwitch3, id == kPlacementSecond);
        return true;
    }
    return CZqLinkDialog::OnCommand(id);
}

void CDimTextDlg::OnSelChange(int id)
{
    colourFollowsPen().picked(*this, fieldSet(), choices_, id);
}

void CDimTextDlg::writeTexts()
{
    for (int i = 0; i < kTexts; ++i) {
        char* field = textFields_[static_cast<std::size_t>(i)];
        const std::string& text = fieldSet().text(*fieldSet().byItem(kItemFirstText + i));
        // An unchanged text leaves its field's bytes as they were.
        if (!field || text == textsReceived_[static_cast<std::size_t>(i)]) continue;
        std::memset(field, 0, kTextBytes);
        mobr::cp932::copyToBuffer(text, field, kTextBytes);
    }
}

void CDimTextDlg::OnOK()
{
    if (!binder_->checkAll() || !choices_.resolve(*this)) return;
    placement_.take(*this);
    orientation_.take(*this);
    writeTexts();
    EndDialog(ZQ_RESULT_OK);
}

void CDimTextDlg::OnHelp()
{
    hostapi::aapRunDlgHelp(kHelpTopic);
}
