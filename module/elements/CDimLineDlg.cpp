#include "elements/CDimLineDlg.h"

#include <climits>

#include "frame/HostApi.h"
#include "mobrcctl/ZqFieldBinder.h"

const std::vector<ZqField>& CDimLineDlg::fieldTable()
{
    static const std::vector<ZqField> fields = elemlists::joined({
        {ZqField::check(kItemAuxiliaryEnds, kAuxiliaryEnds).withReceipt(ZqReceipt::Clamp)},
        elemlists::layerFields(kItemLayerFlag, kItemLayerColour),
    });
    return fields;
}

CDimLineDlg::CDimLineDlg(QWidget* parent) : CZqLinkDialog("IDD_S_015", fieldTable(), parent)
{
    choices_.add(kItemPen, kPenList, [this](const std::string& n) { return elemlists::penNumber(pens_, n); });
    choices_.add(kItemColour, kColourList, [this](const std::string& n) { return elemlists::colourNumber(colours_, n); });
    for (int i = 0; i < kTips; ++i) {
        choices_.add(kItemFirstTip + i, kFirstTipList + i,
                     [this](const std::string& n) { return elemlists::tipNumber(tips_, n); });
    }
}

CDimLineDlg::~CDimLineDlg() = default;

int CDimLineDlg::SetPageData(int item, std::intptr_t value)
{
    void* table = reinterpret_cast<void*>(value);
    switch (item) {
    case kItemPenTable: pens_ = table; return 1;
    case kItemColourTable: colours_ = table; return 1;
    case kItemTipTable: tips_ = table; return 1;
    case kItemPenExTable: penEx_ = table; return 1;
    default: return 0;
    }
}

int CDimLineDlg::SetPageInt(int item, int value)
{
    if (item >= kItemFirstTip && item < kItemFirstTip + kTips)
        return choices_.set(item, elemlists::isNoTip(value) ? 0 : value) ? 1 : 0;
    if (choices_.set(item, value)) return 1;
    return CZqLinkDialog::SetPageInt(item, value);
}

int CDimLineDlg::GetPageInt(int item, int* value)
{
    if (!value) return 0;
    if (choices_.get(item, value)) return 1;
    return CZqLinkDialog::GetPageInt(item, value);
}

elemlists::ColourFollowsPen CDimLineDlg::colourFollowsPen() const
{
    return {kPenList, kColourList, kItemColour, kItemLayerFlag, kItemLayerColour, colours_, penEx_, pens_};
}

void CDimLineDlg::enableAuxiliaryEnds()
{
    const bool on = IsDlgButtonChecked(kAuxiliaryEnds);
    for (int id : {kThirdTipList, kFourthTipList, kThirdTipLabel, kFourthTipLabel}) EnableItem(id, on);
}

bool CDimLineDlg::OnInitDialog()
{
    elemlists::fillPens(*this, kPenList, pens_, choices_.value(kItemPen), elemlists::PenFilter::Usable);
    colourFollowsPen().show(*this, fieldSet(), choices_, choices_.value(kItemPen));
    for (int i = 0; i < kTips; ++i)
        elemlists::fillTips(*this, kFirstTipList + i, tips_, choices_.value(kItemFirstTip + i));
    binder_ = std::make_unique<CZqFieldBinder>(*this, fieldSet());
    binder_->attach();
    enableAuxiliaryEnds();
    return true;
}

bool CDimLineDlg::OnCommand(int id)
{
    if (id == kAuxiliaryEnds) {
        enableAuxiliaryEnds();
        return true;
    }
    return CZqLinkDialog::OnCommand(id);
}

void CDimLineDlg::OnSelChange(int id)
{
    colourFollowsPen().picked(*this, fieldSet(), choices_, id);
}

void CDimLineDlg::OnOK()
{
    if (!binder_->checkAll() || !choices_.resolve(*this)) return;
    EndDialog(ZQ_RESULT_OK);
}

void CDimLineDlg::OnHelp()
{
    hostapi::aapRunDlgHelp(kHelpTopic);
}
