#pragma once

#include "atrcnv/CCnvChoiceDlg.h"

// The colour choice dialog ("IDD_ATRCNVD_003"): a line that keeps the current
// colour, then every colour of the reference figure; the selected one's red,
// green and blue and its swatch.
class CColorCnvDlg : public CCnvChoiceDlg {
    Q_OBJECT
public:
    static constexpr int kHelpTopic = 491;
    static constexpr int kKeepText = 7154;
    enum Control : int { kRed = 1703, kGreen = 1704, kBlue = 1705 };

    CColorCnvDlg(void* referenceColours, const atrcnv::ColourRecord& source, const atrcnv::ColourRecord& target,
                 QWidget* parent);
    const atrcnv::ColourRecord& result() const { return result_; }

protected:
    int fillLines() override;
    void showSelection() override;

private:
    void* colours_;
    atrcnv::ColourRecord source_;
    atrcnv::ColourRecord result_;
};
