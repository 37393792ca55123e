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

CDimLineDlg::CDimLineDlg(QWidget* parent)
    : CZqLinkDialog("IDD_S_015", fieldTable(), parent),
      CElementLinkParts({kItemPenTable, kItemColourTable, kItemTipTable, 0, kItemPenExTable},
                        {kPenList, kColourList, kItemColour, kItemLayerFlag, kItemLayerColour})
{
    addPenChoice(kItemPen, kPenList);
    addColourChoice(kItemColour, kColourList);
    for (int i = 0; i < kTips; ++i) addTipChoice(kItemFirstTip + i, kFirstTipList + i);
}

CDimLineDlg::~CDimLineDlg() = default;

int CDimLineDlg::SetPageData(int item, std::intptr_t value)
{
    return takeTable(item, value) ? 1 : 0;
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
