#include "attributes/WidthEditDlg.h"

#include "frame/HostApi.h"
#include "mobr/host_types.h"

namespace {

// Captions 7056 (new) and 7057 (modify), help topic 459, name messages
// 7245 (blank), 7250 (too long), 7251 (forbidden character), 7252 (taken).
constexpr CAttributeEditDlg::Texts kTexts{7056, 7057, 459, {7245, 7250, 7251, 7252}};
constexpr int kMsgWidth = 7253;
constexpr int kMsgPlotPen = 7254;

// A width read from the host may lie a rounding error outside the range.
constexpr double kWidthTolerance = 2.220446049250313e-15;
constexpr double kWidthStep = 0.01;
constexpr double kDefaultWidth = 0.25;

}  // namespace

const std::vector<ZqField>& CWidthEditDlg::fieldTable()
{
    // Values from the host are brought into the fields' ranges.
    static const std::vector<ZqField> fields = {
        ZqField::real(0, kWidthEdit, kMinWidth, kMaxWidth)
            .asSpin(kWidthStep)
            .withFormat("%.2lf")
            .withMessage(kMsgWidth)
            .withSlack(kWidthTolerance)
            .withReceipt(ZqReceipt::Clamp)
            .withInitial(kDefaultWidth),
        ZqField::integer(0, kPlotPenEdit, kMinPlotPen, kMaxPlotPen)
            .asSpin(1)
            .withMessage(kMsgPlotPen)
            .withReceipt(ZqReceipt::Clamp),
    };
    return fields;
}

CWidthEditDlg::CWidthEditDlg(void* widths, int entry, Mode mode, QWidget* parent)
    : CAttributeEditDlg("IDD_S_011", fieldTable(), kTexts, &hostapi::aatWidFindName, widths, entry, mode, parent)
{
}

CWidthEditDlg::~CWidthEditDlg() = default;

CWidthEditDlg::Result CWidthEditDlg::result() const
{
    return {name(), fieldSet().valueOf(kWidthEdit), static_cast<int>(fieldSet().valueOf(kPlotPenEdit))};
}

void CWidthEditDlg::initFields()
{
    if (entry() <= 0) return;
    char name[mobr::kHostNameBufferBytes] = {};
    hostapi::aatWidGetName(table(), entry(), name);
    SetDlgItemText(kNameEdit, name);
    fieldSet().receive(*fieldSet().byControl(kWidthEdit), hostapi::aatWidGetWidth(table(), entry()));
    fieldSet().receive(*fieldSet().byControl(kPlotPenEdit), hostapi::aatWidGetPlotPen(table(), entry()));
}
