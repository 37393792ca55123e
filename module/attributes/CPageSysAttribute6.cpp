#include "attributes/CPageSysAttribute6.h"

#include <QLabel>
#include <QPixmap>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "frame/HostApi.h"
#include "mobr/host_types.h"
#include "mobrcctl/AdvancedListCtrl.h"
#include "mobrcctl/PVControl.h"
#include "mobrcctl/ZqFieldBinder.h"
#include "mobrdlg/ZqResources.h"

namespace {

constexpr double kMinValue = 0.01;
constexpr double kMaxValue = 999999.0;
constexpr double kMaxAngle = 180.0;
constexpr int kDecimals = 2;

constexpr int kLastBuiltIn = 9;
constexpr int kFirstUser = 17;
constexpr int kInUseBit = 0x1;
constexpr int kMaskBit1 = 0x1;
constexpr int kMaskBit2 = 0x2;
constexpr int kShapeValues = 64;

constexpr int kStartIconImage = 7463;
constexpr int kEndIconImage = 7464;
constexpr int kRenameHint = 7204;
constexpr int kRenameBlank = 7205;
constexpr int kRenameUsed = 7206;
constexpr int kRenameTooLong = 7207;

// A tip's shape as a polyline in tip-length units, with the tip at the
// origin; `shaftRight` puts the line that the tip ends on the right.
void drawShape(CPVControl& preview, const std::vector<double>& shape, bool shaftRight)
{
    constexpr double kShaft = 2.0, kMargin = 0.8;
    preview.DeleteEntityAll();
    PVEntity shaft;
    shaft.colour = QColor(128, 128, 128);
    shaft.x2 = shaftRight ? kShaft : -kShaft;
    preview.SetPVEntity(shaft);
    for (std::size_t i = 2; i + 1 < shape.size(); i += 2) {
        PVEntity line;
        line.x1 = shape[i - 2];
        line.y1 = shape[i - 1];
        line.x2 = shape[i];
        line.y2 = shape[i + 1];
        line.widthDots = 2;
        preview.SetPVEntity(line);
    }
    if (shape.size() == 2) {
        // A single point: a small dot.
        PVEntity dot;
        dot.kind = PVEntity::Rectangle;
        dot.x1 = shape[0] - 0.05;
        dot.y1 = shape[1] - 0.05;
        dot.x2 = shape[0] + 0.05;
        dot.y2 = shape[1] + 0.05;
        dot.filled = true;
        preview.SetPVEntity(dot);
    }
    if (shaftRight) {
        preview.SetDrawRect(-kMargin, -kMargin, kShaft, kMargin);
    } else {
        preview.SetDrawRect(-kShaft, -kMargin, kMargin, kMargin);
    }
    preview.DrawEntity();
}

}  // namespace

const std::vector<ZqField>& CPageSysAttribute6::fieldTable()
{
    // Values handed in are brought into range; the third field's text check
    // has no decimal limit.
    auto value = [](int item, double minimum, double maximum) {
        return ZqField::real(item, kFirstValue + (item - kItemFirst), minimum, maximum)
            .withDecimals(kDecimals)
            .withReceipt(ZqReceipt::Clamp);
    };
    static const std::vector<ZqField> fields = {
        value(kItemFirst, kMinValue, kMaxValue),
        value(kItemAngle, 0.0, kMaxAngle),
        value(kItemFirst + 2, kMinValue, kMaxValue).withCheckDigits(-1),
        value(kItemLength, kMinValue, kMaxValue),
    };
    return fields;
}

CPageSysAttribute6::CPageSysAttribute6() : CZqPropertyPage("IDD_PROPS_006"), CZqFieldLink(fieldTable()) {}

CPageSysAttribute6::~CPageSysAttribute6()
{
    // The edits' filters and the list live with the page's widgets; detach them first.
    binder_.reset();
    list_.reset();
}

// ---- Data link ----------------------------------------------------------------

int CPageSysAttribute6::SetPageData(int item, std::intptr_t value)
{
    if (item != kItemFirst || value == 0) return 0;
    tips_ = reinterpret_cast<void*>(value);
    if (IsCreated()) {
        fillTipList();
        updateControls();
    }
    return 1;
}

void CPageSysAttribute6::OnFieldReceived(const ZqField& field)
{
    if (IsCreated()) binder_->show(field);
}

double CPageSysAttribute6::GetPageValue(int item) const
{
    const ZqField* field = fieldSet().byItem(item);
    return field ? fieldSet().value(*field) : 0.0;
}

int CPageSysAttribute6::GetRowTip(int row) const
{
    return list_ && row >= 0 && row < list_->GetItemCount() ? static_cast<int>(list_->GetItemData(row)) : 0;
}

// ---- Opening --------------------------------------------------------------------

bool CPageSysAttribute6::OnInitDialog()
{
    binder_ = std::make_unique<CZqFieldBinder>(*this, fieldSet());
    binder_->attach();

    if (auto* icon = item<QLabel>(kStartIcon)) icon->setPixmap(ZqLoadImage(kStartIconImage));
    if (auto* icon = item<QLabel>(kEndIcon)) icon->setPixmap(ZqLoadImage(kEndIconImage));
    startPreview_ = std::make_unique<CPVControl>();
    startPreview_->SetWnd(kStartPreview, this);
    endPreview_ = std::make_unique<CPVControl>();
    endPreview_->SetWnd(kEndPreview, this);

    list_ = std::make_unique<CAdvancedListCtrl>();
    list_->SubclassListCtrl(kTipList, this);
    list_->InsertColumn(0, "", CAdvancedListCtrl::AlignLeft, 200);
    if (list_->tree()) list_->tree()->setHeaderHidden(true);
    list_->setLabelEditHandler([this](int row, const std::string& text) { return renameEdited(row, text); });
    fillTipList();

    SetDlgItemText(kRenameResult, GetString(kRenameHint));
    updateControls();
    return true;
}

void CPageSysAttribute6::fillTipList()
{
    if (!list_) return;
    list_->DeleteAllItems();
    if (!tips_) return;
    const int count = hostapi::aatTipGetCount(tips_);
    for (int tip = 1; tip <= count; ++tip) {
        // Tips 10 to 16 are reserved slots and never listed.
        if (tip > kLastBuiltIn && tip < kFirstUser) continue;
        char name[mobr::kHostNameBufferBytes] = {};
        if (hostapi::aatTipGetLocalName(tips_, tip, name) != 0) continue;
        name[mobr::kHostNameBytes] = '\0';
        const int row = list_->InsertItem(list_->GetItemCount(), name);
        list_->SetItemData(row, tip);
    }
}

// ---- Selection and control states ---------------------------------------------

int CPageSysAttribute6::selectedTip() const
{
    if (!list_) return 0;
    return GetRowTip(list_->GetCurSel());
}

void CPageSysAttribute6::updateControls()
{
    const int tip = selectedTip();
    const bool user = tip > kLastBuiltIn;
    const int attrib = tip > 0 ? hostapi::aatTipGetAttrib(tips_, tip) : -1;
    EnableItem(kRename, user);
    EnableItem(kDelete, user && attrib >= 0 && !(attrib & kInUseBit));

    const int mask = tip > 0 ? hostapi::aatTipGetMask(tips_, tip) : -1;
    EnableItem(kMaskBox1, tip > 0);
    EnableItem(kMaskBox2, tip > 0);
    CheckDlgButton(kMaskBox1, tip > 0 && mask >= 0 && !(mask & kMaskBit1));
    CheckDlgButton(kMaskBox2, tip > 0 && mask >= 0 && !(mask & kMaskBit2));
    drawShapes();
}

void CPageSysAttribute6::drawShapes()
{
    if (!startPreview_ || !endPreview_) return;
    const int tip = selectedTip();
    if (tip <= 0) {
        startPreview_->DeleteEntityAll();
        endPreview_->DeleteEntityAll();
        return;
    }
    double values[kShapeValues] = {};
    int n = hostapi::aatTipGetDataSt2(tips_, tip, values, kShapeValues);
    drawShape(*startPreview_, std::vector<double>(values, values + std::clamp(n, 0, kShapeValues)), true);
    n = hostapi::aatTipGetDataEn2(tips_, tip, values, kShapeValues);
    drawShape(*endPreview_, std::vector<double>(values, values + std::clamp(n, 0, kShapeValues)), false);
}

void CPageSysAttribute6::OnSelChange(int id)
{
    if (id == kTipList) updateControls();
}

// ---- Commands -------------------------------------------------------------------

bool CPageSysAttribute6::OnCommand(int id)
{
    switch (id) {
    case kMaskBox1: toggleMask(kMaskBox1, kMaskBit1); return true;
    case kMaskBox2: toggleMask(kMaskBox2, kMaskBit2); return true;
    case kRename: startRename(); return true;
    case kDelete: deleteSelected(); return true;
    default: return CZqPropertyPage::OnCommand(id);
    }
}

void CPageSysAttribute6::toggleMask(int box, int bit)
{
    const int tip = selectedTip();
    if (tip <= 0) return;
    const int mask = hostapi::aatTipGetMask(tips_, tip);
    if (mask < 0) return;
    // A ticked box means the flag is clear.
    hostapi::aatTipSetMask(tips_, tip, IsDlgButtonChecked(box) ? (mask & ~bit) : (mask | bit));
    list_->RedrawItems();
}

void CPageSysAttribute6::startRename()
{
    const int row = list_ ? list_->GetCurSel() : -1;
    if (row < 0 || selectedTip() <= kLastBuiltIn) return;
    list_->EditLabel(row);
}

bool CPageSysAttribute6::renameEdited(int row, const std::string& typed)
{
    const int tip = static_cast<int>(list_->GetItemData(row));
    if (tip <= kLastBuiltIn) return false;
    if (CDlgDataCheck::IsAllSpace(typed)) {
        SetDlgItemText(kRenameResult, GetString(kRenameBlank));
        return false;
    }
    std::string name = typed;
    CDlgDataCheck::SpaceCut(name);
    if (name.size() > mobr::kHostNameBytes) {
        SetDlgItemText(kRenameResult, GetString(kRenameTooLong));
        return false;
    }
    const int byName = hostapi::aatTipFindName(tips_, name.c_str());
    const int byLocal = hostapi::aatTipFindLocalName(tips_, name.c_str());
    if ((byName > 0 && byName != tip) || (byLocal > 0 && byLocal != tip) ||
        hostapi::aatTipSetName(tips_, tip, name.c_str()) != 0) {
        SetDlgItemText(kRenameResult, GetString(kRenameUsed));
        return false;
    }
    // The row shows the trimmed name; the edit's own text is not taken.
    list_->SetItemText(row, 0, name);
    SetDlgItemText(kRenameResult, GetString(kRenameHint));
    return false;
}

void CPageSysAttribute6::deleteSelected()
{
    // The tip is the one the row's name finds in the copy.
    const int row = list_ ? list_->GetCurSel() : -1;
    if (row < 0) return;
    const int tip = hostapi::aatTipFindName(tips_, list_->GetItemText(row, 0).c_str());
    if (tip <= kLastBuiltIn) return;
    const int attrib = hostapi::aatTipGetAttrib(tips_, tip);
    if (attrib < 0 || (attrib & kInUseBit)) return;
    // The host goes first, so that a refusal leaves list and copy alike.
    if (hostapi::aatTipDeleteInfo(tips_, tip) != 0) return;
    // The later tips moved down by one: list them again with their new numbers.
    fillTipList();
    list_->SetCurSel(-1);
    updateControls();
}

// ---- Leaving the page -----------------------------------------------------------

bool CPageSysAttribute6::OnKillActive()
{
    if (!IsCreated()) return true;
    if (!binder_->checkAll()) return false;
    if (tips_) hostapi::aatTipSetLength(tips_, GetPageValue(kItemLength));
    drawShapes();
    return true;
}

void CPageSysAttribute6::OnHelp()
{
    hostapi::aapRunDlgHelp(kHelpTopic);
}
