#pragma once

#include "atrcnv/CCnvTargetPage.h"

// The width page of the conversion ("IDD_ATRCNVP_003"): every width of the
// current figure with the reference width that replaces it. A choice sets
// the width of every pen target whose pen used that width.
class CWidthCnvPage : public CCnvTargetPage {
    Q_OBJECT
public:
    enum Column : int { kColName, kColSample, kColInUse, kColArrow, kColTargetName, kColTargetSample };
    enum Control : int { kCurrentWidth = 1701, kTargetWidth = 1702, kCurrentPlotPen = 1703, kTargetPlotPen = 1704 };
    static constexpr int kFirstTitle = 7165;
    static constexpr int kUsedByPenBit = 0x10;

    explicit CWidthCnvPage(CAtrCnvSheet& sheet);
    void chooseTarget() override;

protected:
    int rowCount() const override;
    void fillRow(QTreeWidgetItem* item, int row) override;
    void showDetails() override;

private:
    atrcnv::WidthRecord currentRecord(int row) const;
};
