#pragma once

#include "atrcnv/CCnvTargetPage.h"
#include "atrcnv/CnvAttributeLook.h"

// The pen page of the conversion ("IDD_ATRCNVP_002"): every pen of the
// current figure with the reference pen that replaces it, both sides' details,
// and the pen choice dialog. A pen target carries its width and colour, so a
// choice also sets width and colour targets (or falls back to the pen's own
// when the figure's table cannot take another target).
class CPenCnvPage : public CCnvTargetPage {
    Q_OBJECT
public:
    enum Column : int {
        kColName, kColSample, kColColour, kColInUse, kColArrow, kColTargetName, kColTargetSample,
        kColTargetColour, kColumnCount
    };
    static constexpr int kFirstTitle = 7157;
    static constexpr int kInUseBit = 0x1;
    static const cnvlook::PenControls kCurrentSide;
    static const cnvlook::PenControls kTargetSide;

    explicit CPenCnvPage(CAtrCnvSheet& sheet);

    void chooseTarget() override;

protected:
    int rowCount() const override;
    void fillRow(QTreeWidgetItem* item, int row) override;
    void showDetails() override;

private:
    bool currentLook(int row, CnvPenLook& look) const;
    // The allowed-style code for a new target of pen `row`.
    int styleCodeFor(int row) const;
    void storeWidth(int row, atrcnv::PenTargetItem item, const atrcnv::WidthRecord& ownWidth);
    void storeColour(int row, atrcnv::PenTargetItem item, const atrcnv::ColourRecord& ownColour);
};
