#include "optionpages/CColorEditDlg.h"

#include <QColor>
#include <QWidget>

#include "frame/HostApi.h"
#include "mobrcctl/ZqFieldBinder.h"
#include "mobrdlg/ZqMessageBox.h"

namespace {

constexpr int kComponents[3] = {CColorEditDlg::kRed, CColorEditDlg::kGreen, CColorEditDlg::kBlue};

}  // namespace

const std::vector<ZqField>& CColorEditDlg::fieldTable()
{
    // A component typed beyond 0 or 255 becomes that end as it is typed.
    auto component = [](int control) {
        return ZqField::integer(0, control, 0, 255).asSpin(1).settling().withReceipt(ZqReceipt::Clamp);
    };
    static const std::vector<ZqField> fields = {component(kRed), component(kGreen), component(kBlue)};
    return fields;
}

CColorEditDlg::CColorEditDlg(const std::array<int, 3>& rgb, QWidget* parent)
    : CZqLinkDialog("IDD_S_003", fieldTable(), parent)
{
    for (int i = 0; i < 3; ++i) fieldSet().receive(*fieldSet().byControl(kComponents[i]), rgb[static_cast<std::size_t>(i)]);
}

CColorEditDlg::~CColorEditDlg() = default;

std::array<int, 3> CColorEditDlg::rgb() const
{
    std::array<int, 3> rgb{};
    for (int i = 0; i < 3; ++i) rgb[static_cast<std::size_t>(i)] = static_cast<int>(fieldSet().valueOf(kComponents[i]));
    return rgb;
}

bool CColorEditDlg::OnInitDialog()
{
    binder_ = std::make_unique<CZqFieldBinder>(*this, fieldSet());
    binder_->attach();
    showSwatch();
    SetFocusTo(kRed);
    return true;
}

void CColorEditDlg::showSwatch()
{
    QWidget* swatch = GetDlgItem(kSwatch);
    if (!swatch) return;
    int c[3] = {};
    for (int i = 0; i < 3; ++i)
        c[i] = CZqFieldBinder::settledValue(*fieldSet().byControl(kComponents[i]), GetDlgItemText(kComponents[i]));
    const QColor colour(c[0], c[1], c[2]);
    swatch->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid black;").arg(colour.name()));
}

void CColorEditDlg::OnEditChange(int id)
{
    if (id == kRed || id == kGreen || id == kBlue) showSwatch();
}

void CColorEditDlg::OnHelp()
{
    hostapi::aapRunDlgHelp(kHelpTopic);
}

void CColorEditDlg::OnOK()
{
    if (binder_->checkAll()) EndDialog(ZQ_RESULT_OK);
}
