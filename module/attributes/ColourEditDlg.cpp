#include "attributes/ColourEditDlg.h"

#include <algorithm>

#include <QColor>
#include <QWidget>

#include "frame/HostApi.h"
#include "mobr/host_types.h"
#include "mobrcctl/ZqFieldBinder.h"

namespace {

// Captions 7058 (new) and 7059 (modify), help topic 461, name messages
// 7255 (blank), 7256 (too long), 7257 (forbidden character), 7258 (taken).
constexpr CAttributeEditDlg::Texts kTexts{7058, 7059, 461, {7255, 7256, 7257, 7258}};

constexpr int kComponentIds[3] = {CColourEditDlg::kRedEdit, CColourEditDlg::kGreenEdit, CColourEditDlg::kBlueEdit};

}  // namespace

const std::vector<ZqField>& CColourEditDlg::fieldTable()
{
    // A component typed outside 0 to 255 is set to the nearer end, never refused.
    auto component = [](int control) {
        return ZqField::integer(0, control, 0, kMaxComponent).asSpin(1).settling().withReceipt(ZqReceipt::Clamp);
    };
    static const std::vector<ZqField> fields = {component(kRedEdit), component(kGreenEdit), component(kBlueEdit)};
    return fields;
}

CColourEditDlg::CColourEditDlg(void* colours, int entry, Mode mode, QWidget* parent)
    : CAttributeEditDlg("IDD_S_012", fieldTable(), kTexts, &hostapi::aatColFindName, colours, entry, mode, parent)
{
}

CColourEditDlg::~CColourEditDlg() = default;

CColourEditDlg::Result CColourEditDlg::result() const
{
    Result result{name(), {}};
    for (int i = 0; i < 3; ++i) result.rgb[i] = static_cast<int>(fieldSet().valueOf(kComponentIds[i]));
    return result;
}

int CColourEditDlg::componentOf(int control) const
{
    return CZqFieldBinder::settledValue(*fieldSet().byControl(control), GetDlgItemText(control));
}

void CColourEditDlg::initFields()
{
    if (entry() <= 0) return;
    char name[mobr::kHostNameBufferBytes] = {};
    hostapi::aatColGetName(table(), entry(), name);
    SetDlgItemText(kNameEdit, name);
    int rgb[3] = {0, 0, 0};
    hostapi::aatColGetRGB(table(), entry(), &rgb[0], &rgb[1], &rgb[2]);
    for (int i = 0; i < 3; ++i) fieldSet().receive(*fieldSet().byControl(kComponentIds[i]), rgb[i]);
}

void CColourEditDlg::fieldsShown()
{
    showSwatch();
}

void CColourEditDlg::showSwatch()
{
    QWidget* swatch = GetDlgItem(kSwatch);
    if (!swatch) return;
    const QColor colour(componentOf(kRedEdit), componentOf(kGreenEdit), componentOf(kBlueEdit));
    swatch->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid black;").arg(colour.name()));
}

void CColourEditDlg::OnEditChange(int id)
{
    if (std::find(std::begin(kComponentIds), std::end(kComponentIds), id) != std::end(kComponentIds)) showSwatch();
}

bool CColourEditDlg::OnKillFocus(int id, int)
{
    // Settles the component's text; a settling field is never refused.
    return binder()->check(id);
}
