#pragma once

#include <vector>

#include "atrcnv/CCnvChoiceDlg.h"
#include "atrcnv/CAtrCnvTargets.h"

// The pen choice dialog ("IDD_ATRCNVD_001"): the reference pens whose plot
// style the allowed-style code admits, preceded by a line that keeps the
// current pen when its own style is admitted; the selected pen's width,
// style, views, pitch and colour, its line sample and colour swatch.
class CPenCnvDlg : public CCnvChoiceDlg {
    Q_OBJECT
public:
    static constexpr int kHelpTopic = 489;
    static constexpr int kKeepText = 7152;
    static constexpr int kSwatchPlaceholder = 1718;

    CPenCnvDlg(const CAtrCnvTargets& targets, const atrcnv::PenTargetItem& source,
               const atrcnv::PenTargetItem& target, int styleCode, QWidget* parent);

    // The pen, its width and its colour of current pen `pen`; false when a
    // table is missing or the pen's width or colour cannot be read.
    static bool sourceTriple(const CAtrCnvTargets& targets, int pen, atrcnv::PenTargetItem& triple);

    const atrcnv::PenTargetItem& result() const { return result_; }
    bool hasKeepLine() const { return keep_; }

protected:
    int fillLines() override;
    void showSelection() override;

private:
    bool referenceTriple(int pen, atrcnv::PenTargetItem& triple) const;
    void drawResult();

    void* pens_;
    void* widths_;
    void* colours_;
    void* penColours_;
    atrcnv::PenTargetItem source_;
    atrcnv::PenTargetItem result_;
    int styleCode_;
    bool keep_ = false;
    std::vector<int> linePens_;  // reference pen of each line after the keep line
};
