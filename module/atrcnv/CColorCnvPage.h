#pragma once

#include "atrcnv/CCnvTargetPage.h"

// The colour page of the conversion ("IDD_ATRCNVP_004"): every colour of the
// current figure with the reference colour that replaces it. A choice sets
// the colour of every pen target whose pen had that colour.
class CColorCnvPage : public CCnvTargetPage {
    Q_OBJECT
public:
    enum Column : int { kColName, kColInUse, kColArrow, kColTargetName };
    enum Control : int {
        kCurrentRed = 1708, kCurrentGreen = 1709, kCurrentBlue = 1710,
        kTargetRed = 1711, kTargetGreen = 1712, kTargetBlue = 1713,
    };
    static constexpr int kFirstTitle = 7171;
    static constexpr int kInUseBit = 0x1;

    explicit CColorCnvPage(CAtrCnvSheet& sheet);
    void chooseTarget() override;

protected:
    int rowCount() const override;
    void fillRow(QTreeWidgetItem* item, int row) override;
    void showDetails() override;

private:
    atrcnv::ColourRecord currentRecord(int row) const;
    void showRgb(int firstControl, const atrcnv::ColourRecord& record);
};
