#include "attributes/CPageSysAttribute1.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include <QBitmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>

#include "attributes/PenEditDlg.h"
#include "attributes/PenRules.h"
#include "frame/HostApi.h"
#include "mobr/host_types.h"
#include "mobrcctl/ZqSampleDelegate.h"
#include "mobrdlg/ZqMessageBox.h"
#include "mobrdlg/ZqResources.h"

namespace {

constexpr int kFirstColumnTitle = 7102;
constexpr int kFirstStyleName = 7021;
constexpr int kNoColourName = 7009;
constexpr int kInUseImage = 7412;
constexpr int kInUseImageWidth = 16;
constexpr int kUpIcon = 7453, kUpIconDisabled = 7454;
constexpr int kDownIcon = 7451, kDownIconDisabled = 7452;
constexpr int kMsgPenNotAdded = 7265;
constexpr int kMsgPenColourNotAdded = 7266;

constexpr int kWidthUsedBit = 0x10;
constexpr int kPitchValues = 10;
// The list's line samples magnify the pitch (lengths in units) to pixels.
constexpr double kSamplePixelsPerUnit = 2.0;

constexpr double kColumnRatios[CPageSysAttribute1::kColumnCount] = {0.20, 0.20, 0.14, 0.17, 0.19, 0.10};

std::string penName(void* pens, int pen)
{
    char name[mobr::kHostNameBufferBytes] = {};
    hostapi::aatPenGetName(pens, pen, name);
    return name;
}

QIcon iconOf(int enabledId, int disabledId)
{
    QIcon icon;
    icon.addPixmap(ZqLoadImage(enabledId), QIcon::Normal);
    icon.addPixmap(ZqLoadImage(disabledId), QIcon::Disabled);
    return icon;
}

}  // namespace

CPageSysAttribute1::CPageSysAttribute1() : CZqPropertyPage("IDD_PROPS_001") {}

CPageSysAttribute1::~CPageSysAttribute1()
{
    destroyPreview();
}

int CPageSysAttribute1::SetPageData(int item, std::intptr_t value)
{
    void* handle = reinterpret_cast<void*>(value);
    switch (item) {
    case kItemPens: pens_ = handle; return 1;
    case kItemWidths: widths_ = handle; return 1;
    case kItemColours: colours_ = handle; return 1;
    case kItemPenColours: penColours_ = handle; return 1;
    case kItemOrder: order_ = handle; return 1;
    default: return 0;
    }
}

// ---- Opening ------------------------------------------------------------------

bool CPageSysAttribute1::OnInitDialog()
{
    if (!pens_ || !widths_) return false;
    if (!list_.SubclassListCtrl(kPenList, this)) return false;

    std::vector<std::string> titles;
    for (int i = 0; i < kColumnCount; ++i) titles.push_back(GetString(kFirstColumnTitle + i));
    list_.SetColumnString(titles);
    list_.SetExtendedStyle(CZqListCtrl::LVS_EX_FULLROWSELECT);
    QTreeWidget* tree = list_.tree();
    // The list is not laid out yet: the columns share its designed width.
    const int listWidth = std::max(tree->minimumWidth(), tree->width()) - 2 * tree->frameWidth();
    for (int i = 0; i < kColumnCount; ++i) tree->setColumnWidth(i, static_cast<int>(listWidth * kColumnRatios[i]));

    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    sampleDelegate_ = new ZqSampleDelegate(tree);
    sampleDelegate_->setSampleLeft(2);
    tree->setItemDelegateForColumn(kColSample, sampleDelegate_);
    colourDelegate_ = new ZqSampleDelegate(tree);
    colourDelegate_->setSampleLeft(tree->fontMetrics().horizontalAdvance(QStringLiteral("MAGENTA")) + 12);
    tree->setItemDelegateForColumn(kColColour, colourDelegate_);

    // Image 0 of the strip, with its green background transparent.
    QPixmap strip = ZqLoadImage(kInUseImage);
    if (!strip.isNull()) {
        QPixmap image = strip.copy(0, 0, std::min(kInUseImageWidth, strip.width()), strip.height());
        image.setMask(image.createMaskFromColor(QColor(0, 255, 0), Qt::MaskInColor));
        inUseIcon_ = QIcon(image);
    }
    setButtonIcons();

    fillList();
    selectRow(0);
    updateButtons();
    ready_ = true;
    return true;
}

void CPageSysAttribute1::setButtonIcons()
{
    if (auto* up = item<QPushButton>(kUpButton)) up->setIcon(iconOf(kUpIcon, kUpIconDisabled));
    if (auto* down = item<QPushButton>(kDownButton)) down->setIcon(iconOf(kDownIcon, kDownIconDisabled));
}

void CPageSysAttribute1::fillList()
{
    const QSignalBlocker block(list_.tree());
    list_.ResetContent();
    penCount_ = std::max(0, hostapi::aatPenGetCount(pens_));
    for (int pen = 1; pen <= penCount_; ++pen) {
        list_.AddString(std::vector<std::string>(kColumnCount));
        fillRow(pen - 1, pen);
    }
    list_.AddString(std::vector<std::string>(kColumnCount));  // the row for a new pen
}

void CPageSysAttribute1::fillRow(int row, int pen)
{
    QTreeWidgetItem* item = list_.tree()->topLevelItem(row);
    if (!item) return;

    list_.SetText(row, kColName, penName(pens_, pen));

    const int width = hostapi::aatPenGetWidth(pens_, pen);
    char widthName[mobr::kHostNameBufferBytes] = {};
    if (width > 0) hostapi::aatWidGetName(widths_, width, widthName);
    list_.SetText(row, kColWidth, widthName);
    const double millimetres = width > 0 ? hostapi::aatWidGetWidth(widths_, width) : 0.0;
    const int dots = std::max(1, hostapi::aatDrwGetWidthCount(static_cast<int>(std::lround(millimetres * 100.0))));

    const int style = hostapi::aatPenGetPlotStyle(pens_, pen);
    list_.SetText(row, kColStyle, style >= 1 && style <= penrules::kStyleCount ? GetString(kFirstStyleName + style - 1) : "");

    QColor colour;
    const int colourNumber = penColours_ ? hostapi::aatPenExGetColor(penColours_, pens_, pen) : 0;
    std::string colourName = GetString(kNoColourName);
    if (colourNumber > 0 && colours_) {
        char name[mobr::kHostNameBufferBytes] = {};
        hostapi::aatColGetName(colours_, colourNumber, name);
        colourName = name;
        int red = 0, green = 0, blue = 0;
        if (hostapi::aatColGetRGB(colours_, colourNumber, &red, &green, &blue) == 0) {
            colour = QColor(std::clamp(red, 0, 255), std::clamp(green, 0, 255), std::clamp(blue, 0, 255));
        }
    }
    list_.SetText(row, kColColour, colourName);

    double values[kPitchValues] = {};
    const int count = std::clamp(hostapi::aatPenGetPitch(pens_, pen, values, kPitchValues), 0, kPitchValues);
    QVariantList pitch;
    for (int i = 0; i < count; ++i) pitch.append(values[i] * kSamplePixelsPerUnit);

    item->setData(kColSample, ZqSampleDelegate::SampleKindRole, int(ZqSampleDelegate::LineSample));
    item->setData(kColSample, ZqSampleDelegate::LineWidthRole, dots);
    item->setData(kColSample, ZqSampleDelegate::PitchRole, pitch);
    item->setData(kColSample, ZqSampleDelegate::ColourRole, colour.isValid() ? colour : QColor(Qt::black));
    item->setData(kColColour, ZqSampleDelegate::SampleKindRole,
                  int(colour.isValid() ? ZqSampleDelegate::ColourSwatch : ZqSampleDelegate::NoSample));
    item->setData(kColColour, ZqSampleDelegate::ColourRole, colour);
    item->setIcon(kColInUse, penrules::inUse(pens_, pen) ? inUseIcon_ : QIcon());
}

int CPageSysAttribute1::penOfRow(int row) const
{
    if (row < 0 || row >= penCount_) return 0;
    const int pen = hostapi::aatPenFindName(pens_, list_.GetText(row, kColName).c_str());
    return pen > 0 ? pen : 0;
}

int CPageSysAttribute1::selectedRow() const
{
    return list_.GetCurSel();
}

void CPageSysAttribute1::selectRow(int row)
{
    const QSignalBlocker block(list_.tree());
    list_.SetCurSel(row);
}

// ---- Rules --------------------------------------------------------------------

bool CPageSysAttribute1::guardsAMaskBit(int pen) const
{
    for (int bit : penrules::kMaskBits)
        if (penrules::onlySolidWithBitClear(pens_, pen, bit)) return true;
    return false;
}

void CPageSysAttribute1::updateButtons()
{
    EnableItem(kAddButton, penCount_ < kMaxPens);
    const int pen = penOfRow(selectedRow());
    const bool penRow = pen > 0;
    EnableItem(kModifyButton, penRow);
    EnableItem(kUpButton, penRow);
    EnableItem(kDownButton, penRow);
    EnableItem(kPreviewButton, penRow && !preview_);
    EnableItem(kDeleteButton, penRow && !penrules::inUse(pens_, pen) && !penrules::lastOfItsKind(pens_, pen) && !guardsAMaskBit(pen));
}

void CPageSysAttribute1::markWidthUsed(int width)
{
    const int attrib = hostapi::aatWidGetAttrib(widths_, width);
    if (attrib >= 0) hostapi::aatWidSetAttrib(widths_, width, attrib | kWidthUsedBit);
}

void CPageSysAttribute1::releaseWidth(int width)
{
    if (width < 1) return;
    const int count = hostapi::aatPenGetCount(pens_);
    for (int pen = 1; pen <= count; ++pen) {
        if (hostapi::aatPenGetWidth(pens_, pen) == width) return;
    }
    const int attrib = hostapi::aatWidGetAttrib(widths_, width);
    if (attrib >= 0 && (attrib & kWidthUsedBit)) hostapi::aatWidSetAttrib(widths_, width, attrib & ~kWidthUsedBit);
}

// ---- Handlers -----------------------------------------------------------------

bool CPageSysAttribute1::OnCommand(int id)
{
    switch (id) {
    case kAddButton: addPen(); break;
    case kModifyButton: modifyPen(); break;
    case kDeleteButton: deletePen(); break;
    case kPreviewButton: openPreview(); break;
    case kUpButton: movePen(-1); break;
    case kDownButton: movePen(1); break;
    default: return CZqPropertyPage::OnCommand(id);
    }
    return true;
}

void CPageSysAttribute1::OnSelChange(int id)
{
    if (id != kPenList) return;
    if (preview_) {
        if (preview_->isCloseTicked()) destroyPreview();
        else preview_->showPen(penOfRow(selectedRow()));
    }
    updateButtons();
}

void CPageSysAttribute1::OnDblClk(int id)
{
    if (id != kPenList) return;
    const int row = selectedRow();
    if (row < 0) return;
    if (row >= penCount_) addPen();
    else modifyPen();
}

bool CPageSysAttribute1::OnKeyDown(int id, int key, Qt::KeyboardModifiers modifiers)
{
    if (id == kPenList && key == Qt::Key_Delete && modifiers == Qt::NoModifier) {
        deletePen();
        return true;
    }
    return false;
}

void CPageSysAttribute1::OnHelp()
{
    hostapi::aapRunDlgHelp(kHelpTopic);
}

void CPageSysAttribute1::OnOK()
{
    recolour_ = IsDlgButtonChecked(kRecolourBox) ? 1 : 0;
    destroyPreview();
}

void CPageSysAttribute1::OnCancel()
{
    destroyPreview();
}

bool CPageSysAttribute1::OnSetActive()
{
    // A page whose creation failed (no pen or width copy) is never shown:
    // the sheet then cannot open on it.
    if (!ready_) return false;
    if (reopenPreview_ && !preview_) openPreview();
    return CZqPropertyPage::OnSetActive();
}

bool CPageSysAttribute1::OnKillActive()
{
    if (preview_) {
        reopenPreview_ = !preview_->isCloseTicked();
        destroyPreview();
        updateButtons();
    }
    return CZqPropertyPage::OnKillActive();
}

// ---- Actions ------------------------------------------------------------------

void CPageSysAttribute1::addPen()
{
    const int row = selectedRow();
    if (penCount_ >= kMaxPens || row < 0) return;

    const CPenEditDlg::Copies copies{pens_, widths_, colours_, penColours_, order_};
    CPenEditDlg editor(copies, penOfRow(row), CPenEditDlg::Mode::New, this);
    int result = 0;
    if (!editor.RunDialog(&result) || result != ZQ_RESULT_OK) return;

    const int pen = hostapi::aatPenNewInfo(pens_, editor.name().c_str());
    if (pen < 1) {
        ZqDlgMessageBox(this, ZQ_MB_OK | ZQ_MB_ICONEXCLAMATION, 0, kMsgPenNotAdded, nullptr);
        selectRow(row);
        updateButtons();
        return;
    }
    if (void* grown = hostapi::as_TableAddIndex(order_, pen - 1)) {
        hostapi::as_FreeTable(order_);
        order_ = grown;
    }
    if (hostapi::aatPenExNewInfo(penColours_, pens_, pen) < 0) {
        ZqDlgMessageBox(this, ZQ_MB_OK | ZQ_MB_ICONEXCLAMATION, 0, kMsgPenColourNotAdded, nullptr);
        hostapi::aatPenDeleteInfo(pens_, pen);
        hostapi::as_TableDeleteIndex(order_, pen - 1);
        selectRow(row);
        updateButtons();
        return;
    }

    markWidthUsed(editor.widthNumber());
    hostapi::aatPenSetWidth(pens_, pen, editor.widthNumber());
    const std::vector<double>& pitch = editor.pitch();
    hostapi::aatPenSetPitch(pens_, pen, pitch.data(), static_cast<int>(pitch.size()));
    hostapi::aatPenSetPlotStyle(pens_, pen, editor.plotStyle());
    hostapi::aatPenExSetColor(penColours_, pens_, pen, editor.colourNumber());
    hostapi::aatPenSetMask(pens_, pen, editor.mask());

    {
        const QSignalBlocker block(list_.tree());
        list_.InsertString(penCount_, std::vector<std::string>(kColumnCount));
    }
    ++penCount_;
    fillRow(penCount_ - 1, pen);
    selectRow(penCount_ - 1);
    followSelection();
    updateButtons();
}

void CPageSysAttribute1::modifyPen()
{
    const int row = selectedRow();
    const int pen = penOfRow(row);
    if (pen < 1) return;

    const CPenEditDlg::Copies copies{pens_, widths_, colours_, penColours_, order_};
    CPenEditDlg editor(copies, pen, CPenEditDlg::Mode::Modify, this);
    int result = 0;
    if (!editor.RunDialog(&result) || result != ZQ_RESULT_OK) return;

    // Both copies take the name even when it is unchanged; only a real
    // rename that the pen copy took goes into the rename list.
    const std::string oldName = penName(pens_, pen);
    const std::string& newName = editor.name();
    hostapi::aatPenExSetName(penColours_, pen, newName.c_str());
    if (hostapi::aatPenSetName(pens_, pen, newName.c_str()) == 0) renames_.record(oldName, newName);
    const int oldWidth = hostapi::aatPenGetWidth(pens_, pen);
    if (editor.widthNumber() != oldWidth) {
        markWidthUsed(editor.widthNumber());
        hostapi::aatPenSetWidth(pens_, pen, editor.widthNumber());
        releaseWidth(oldWidth);
    }
    const std::vector<double>& pitch = editor.pitch();
    hostapi::aatPenSetPitch(pens_, pen, pitch.data(), static_cast<int>(pitch.size()));
    hostapi::aatPenSetPlotStyle(pens_, pen, editor.plotStyle());
    hostapi::aatPenExSetColor(penColours_, pens_, pen, editor.colourNumber());
    hostapi::aatPenSetMask(pens_, pen, editor.mask());

    fillRow(row, pen);
    followSelection();
    updateButtons();
}

void CPageSysAttribute1::deletePen()
{
    const int row = selectedRow();
    const int pen = penOfRow(row);
    if (pen < 1 || penrules::lastOfItsKind(pens_, pen) || penrules::inUse(pens_, pen)) return;

    const int width = hostapi::aatPenGetWidth(pens_, pen);
    // The host calls come first, so that a refusal leaves list and copies alike.
    if (hostapi::aatPenExDeleteInfo(penColours_, pens_, pen) != 0) return;
    if (hostapi::aatPenDeleteInfo(pens_, pen) != 0) return;
    hostapi::as_TableDeleteIndex(order_, pen - 1);
    releaseWidth(width);

    {
        const QSignalBlocker block(list_.tree());
        list_.DeleteString(row);
    }
    --penCount_;
    selectRow(row < penCount_ ? row : penCount_ - 1);
    followSelection();
    updateButtons();
}

void CPageSysAttribute1::movePen(int step)
{
    const int row = selectedRow();
    const int target = row + step;
    if (row < 0 || row >= penCount_ || target < 0 || target >= penCount_) return;
    const int a = penOfRow(row);
    const int b = penOfRow(target);
    if (a < 1 || b < 1 || hostapi::aatPenSwapInfo(pens_, a, b) != 0) return;
    hostapi::as_TableSwapIndex(order_, a - 1, b - 1);
    // Pen numbers stay with the positions: the rows show the swapped pens.
    fillRow(row, a);
    fillRow(target, b);
    selectRow(target);
    followSelection();
    updateButtons();
}

// ---- Preview window -------------------------------------------------------------

void CPageSysAttribute1::openPreview()
{
    if (preview_) return;
    const CPenPreviewWnd::Copies copies{pens_, widths_, colours_, penColours_};
    auto window = std::make_unique<CPenPreviewWnd>(copies);
    window->setClosedHandler([this] { previewClosed(); });
    QWidget* owner = this->window();
    if (!window->open(owner, owner->frameGeometry())) return;
    preview_ = window.release();  // owned by the sheet's window from here (Qt parent)
    if (!owner->isVisible()) {
        // Opened with the sheet, before it was placed: move beside it once it is.
        QPointer<QWidget> sheet(owner);
        QTimer::singleShot(0, preview_.data(), [window = preview_.data(), sheet] {
            if (sheet) window->placeBeside(sheet->frameGeometry());
        });
    }
    preview_->showPen(penOfRow(selectedRow()));
    updateButtons();
}

void CPageSysAttribute1::destroyPreview()
{
    if (!preview_) return;
    const bool wasActive = preview_->isActiveWindow();
    {
        std::unique_ptr<CPenPreviewWnd> window(preview_.data());
        preview_.clear();
    }
    // The activation goes back to the sheet, not nowhere.
    if (wasActive && isVisible()) window()->activateWindow();
}

void CPageSysAttribute1::previewClosed()
{
    // Called from the window's own handler: it goes once control is back.
    if (preview_) preview_->deleteLater();
    preview_.clear();
    if (isVisible()) window()->activateWindow();
    updateButtons();
}

void CPageSysAttribute1::followSelection()
{
    if (preview_) preview_->showPen(penOfRow(selectedRow()));
}
