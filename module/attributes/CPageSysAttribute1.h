#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <QIcon>
#include <QPointer>

#include "attributes/CPenPreviewWnd.h"
#include "attributes/RenameList.h"
#include "frame/HostApi.h"
#include "mobr/datalink.h"
#include "mobrcctl/ZqListCtrl.h"
#include "mobrdlg/ZqPropertyPage.h"

class ZqSampleDelegate;

// The line type page of the system attribute sheet ("IDD_PROPS_001"): lists
// the pens of the pen edit copy and adds, modifies, deletes and reorders
// them on the edit copies (pens, pen colours, widths) and the pen order
// table; nothing reaches the figure before the sheet is confirmed. A preview
// window beside the page shows the selected pen.
class CPageSysAttribute1 : public CZqPropertyPage, public CZqDataLink {
    Q_OBJECT
public:
    enum Control : int {
        kRecolourBox = 1101,
        kAddButton = 1501,
        kModifyButton = 1502,
        kDeleteButton = 1503,
        kPreviewButton = 1504,
        kUpButton = 1505,
        kDownButton = 1506,
        kPenList = 1601,
    };
    // Data-link items (host handles as integers).
    enum Item : int {
        kItemPens = 30001,
        kItemWidths = 30002,
        kItemColours = 30003,
        kItemPenColours = 30004,
        kItemOrder = 30005,
    };
    // List columns.
    enum Column : int { kColName, kColSample, kColWidth, kColStyle, kColColour, kColInUse, kColumnCount };
    static constexpr int kMaxPens = 255;
    static constexpr int kHelpTopic = 457;

    CPageSysAttribute1();
    ~CPageSysAttribute1() override;

    int SetPageData(int item, std::intptr_t value) override;

    // The current pen order table (Add may have replaced the one handed in).
    void* GetOrderTable() const { return order_; }
    // State of the recolour check box when the sheet ended with OK.
    int GetRecolourFlag() const { return recolour_; }

    int penCount() const { return penCount_; }
    // The preview window when it is open.
    CPenPreviewWnd* previewWindow() const { return preview_.data(); }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnSelChange(int id) override;
    void OnDblClk(int id) override;
    bool OnKeyDown(int id, int key, Qt::KeyboardModifiers modifiers) override;
    void OnHelp() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnSetActive() override;
    bool OnKillActive() override;

private:
    // Rows and pens.
    void fillList();
    void fillRow(int row, int pen);
    // The pen of `row`, found by its name in the pen copy; 0 for the empty
    // row or no row.
    int penOfRow(int row) const;
    int selectedRow() const;
    // Selects `row` without running the selection handler.
    void selectRow(int row);
    void updateButtons();
    void setButtonIcons();

    // Rules.
    // True when, for one of the mask bits, no pen of plot style 1 other than
    // `pen` has that bit clear.
    bool guardsAMaskBit(int pen) const;
    void markWidthUsed(int width);
    // Clears the used mark of `width` when no pen of the list uses it.
    void releaseWidth(int width);

    // Actions.
    void addPen();
    void modifyPen();
    void deletePen();
    void movePen(int step);
    void openPreview();
    void destroyPreview();
    void previewClosed();
    // Shows the selected pen in the preview window when one is open.
    void followSelection();

    void* pens_ = nullptr;
    void* widths_ = nullptr;
    void* colours_ = nullptr;
    void* penColours_ = nullptr;
    void* order_ = nullptr;

    int penCount_ = 0;
    int recolour_ = 0;
    bool reopenPreview_ = true;
    CRenameList renames_{&hostapi::AddPenNameStringList, &hostapi::ClearPenNameStringList};
    bool ready_ = false;  // OnInitDialog found the copies and filled the list
    CZqListCtrl list_;
    QPointer<CPenPreviewWnd> preview_;
    ZqSampleDelegate* sampleDelegate_ = nullptr;  // owned by the list (Qt parent)
    ZqSampleDelegate* colourDelegate_ = nullptr;  // owned by the list (Qt parent)
    QIcon inUseIcon_;
};
