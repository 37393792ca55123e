#pragma once

#include <array>
#include <memory>

#include "atrcnv/CAtrCnvDialogListener.h"
#include "atrcnv/CAtrCnvTargets.h"
#include "mobrdlg/ZqPropertySheet.h"

class CCnvSettingPage;
class CCnvTargetPage;

// The attribute conversion sheet: the settings page and the pen, width and
// colour pages over one CAtrCnvTargets (the edit copies of the current figure,
// the reference figure and the target lists).
//
// Destruction ends the pages first and then the targets, which hand back every
// copy still held and close the reference figure; this holds on every path,
// the refused OK included.
class CAtrCnvSheet : public CZqPropertySheet {
    Q_OBJECT
public:
    enum PageIndex : int { kSettingPage = 0, kPenPage = 1, kWidthPage = 2, kColourPage = 3, kPageCount = 4 };
    static constexpr int kCaption = 7175;
    static constexpr int kWarnNotShown = 9000;
    // Attribute displays refreshed after OK, in this order; -1 ends the series.
    static constexpr std::array<int, 5> kAttributeDisplays = {20009, 20011, 24003, 24001, -1};

    CAtrCnvSheet();
    ~CAtrCnvSheet() override;

    // The whole call of the entry point: prepare, run, apply on OK.
    static void runConversion();

    CAtrCnvTargets& targets() { return targets_; }
    CZqPropertyPage* pageByIndex(int index) const;
    CCnvSettingPage& settingPage() const { return *setting_; }

    // Takes the current figure's copies; false when one was refused (the
    // sheet is then not shown).
    bool prepare();
    // The OK step: the settings page's closing step, then the conversion.
    void applyAccepted();

protected:
    // Runs the sheet modally (a seam for tests that make it fail to show).
    virtual int runSheet();

private:
    void rebuildPageOf(atrcnv::Kind kind);
    bool tablesAndListsPresent() const;

    CAtrCnvDialogListener listener_;
    CAtrCnvTargets targets_;  // declared before the pages: ends after them
    std::unique_ptr<CCnvSettingPage> setting_;
    std::array<std::unique_ptr<CCnvTargetPage>, 3> targetPages_;  // pens, widths, colours
};
