#pragma once

#include "atrcnv/CCnvChoiceDlg.h"

// The width choice dialog ("IDD_ATRCNVD_002"): a line that keeps the current
// width, then every width of the reference figure; the selected one's value,
// plotter pen and sample.
class CWidthCnvDlg : public CCnvChoiceDlg {
    Q_OBJECT
public:
    static constexpr int kHelpTopic = 490;
    static constexpr int kKeepText = 7153;
    enum Control : int { kWidth = 1702, kPlotPen = 1703 };

    CWidthCnvDlg(void* referenceWidths, const atrcnv::WidthRecord& source, const atrcnv::WidthRecord& target,
                 QWidget* parent);
    const atrcnv::WidthRecord& result() const { return result_; }

protected:
    int fillLines() override;
    void showSelection() override;

private:
    void* widths_;
    atrcnv::WidthRecord source_;
    atrcnv::WidthRecord result_;
};
