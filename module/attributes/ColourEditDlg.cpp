#include "attributes/ColourEditDlg.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>

#include <QColor>
#include <QWidget>

#include "frame/HostApi.h"
#include "mobr/host_types.h"
#include "mobrcctl/SpinEdit.h"

namespace {

// Captions 7058 (new) and 7059 (modify), help topic 461, name messages
// 7255 (blank), 7256 (too long), 7257 (forbidden character), 7258 (taken).
constexpr CAttributeEditDlg::Texts kTexts{7058, 7059, 461, {7255, 7256, 7257, 7258}};
constexpr int kSpinPartOffset = 1000;

constexpr int kComponentIds[3] = {CColourEditDlg::kRedEdit, CColourEditDlg::kGreenEdit, CColourEditDlg::kBlueEdit};

}  // namespace

CColourEditDlg::CColourEditDlg(void* colours, int entry, Mode mode, QWidget* parent)
    : CAttributeEditDlg("IDD_S_012", kTexts, &hostapi::aatColFindName, colours, entry, mode, parent)
{
}

CColourEditDlg::~CColourEditDlg() = default;

int CColourEditDlg::componentOf(const std::string& text)
{
    std::string trimmed = text;
    CDlgDataCheck::SpaceCut(trimmed);
    if (trimmed.empty()) return 0;
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(trimmed.c_str(), &end, 10);
    if (end == trimmed.c_str() || *end != '\0') return 0;
    // An overflowing number is still far outside: strtol gives its side.
    return static_cast<int>(std::clamp<long>(value, 0, kMaxComponent));
}

void CColourEditDlg::initFields()
{
    int rgb[3] = {0, 0, 0};
    if (entry() > 0) {
        char name[mobr::kHostNameBufferBytes] = {};
        hostapi::aatColGetName(table(), entry(), name);
        SetDlgItemText(kNameEdit, name);
        hostapi::aatColGetRGB(table(), entry(), &rgb[0], &rgb[1], &rgb[2]);
    }
    for (int i = 0; i < 3; ++i) {
        spins_[i] = std::make_unique<CSpinEdit>(0, kMaxComponent, 1, std::clamp(rgb[i], 0, kMaxComponent));
        spins_[i]->SubclassSpinEdit(kComponentIds[i], kComponentIds[i] + kSpinPartOffset, this);
    }
    showSwatch();
}

void CColourEditDlg::settleComponent(int index)
{
    const std::string text = GetDlgItemText(kComponentIds[index]);
    const int value = componentOf(text);
    if (text != std::to_string(value)) spins_[index]->SetCurrentPosition(value);
}

void CColourEditDlg::showSwatch()
{
    QWidget* swatch = GetDlgItem(kSwatch);
    if (!swatch) return;
    const QColor colour(componentOf(GetDlgItemText(kRedEdit)), componentOf(GetDlgItemText(kGreenEdit)),
                        componentOf(GetDlgItemText(kBlueEdit)));
    swatch->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid black;").arg(colour.name()));
}

void CColourEditDlg::OnEditChange(int id)
{
    if (std::find(std::begin(kComponentIds), std::end(kComponentIds), id) != std::end(kComponentIds)) showSwatch();
}

bool CColourEditDlg::OnKillFocus(int id, int)
{
    for (int i = 0; i < 3; ++i) {
        if (kComponentIds[i] == id) settleComponent(i);
    }
    return true;
}

bool CColourEditDlg::takeFields()
{
    for (int i = 0; i < 3; ++i) {
        settleComponent(i);
        rgb_[i] = componentOf(GetDlgItemText(kComponentIds[i]));
    }
    return true;
}
