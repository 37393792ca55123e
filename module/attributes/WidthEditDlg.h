#pragma once

#include <string>

#include "attributes/AttributeEditDlg.h"

// The line width editor ("IDD_S_011"): name, width (0.01 to 5.0) and
// plotter pen (1 to 9) of one entry of the width copy.
class CWidthEditDlg : public CAttributeEditDlg {
    Q_OBJECT
public:
    enum Control : int {
        kWidthEdit = 1402,  // spin edit, "%.2lf"
        kPlotPenEdit = 1403,
    };
    static constexpr double kMinWidth = 0.01;
    static constexpr double kMaxWidth = 5.0;
    static constexpr int kMinPlotPen = 1;
    static constexpr int kMaxPlotPen = 9;

    struct Result {
        std::string name;
        double width = 0.0;
        int plotPen = 0;
    };

    // `entry`: the width's number in `widths` (ignored in new mode).
    CWidthEditDlg(void* widths, int entry, Mode mode, QWidget* parent = nullptr);
    ~CWidthEditDlg() override;

    // The result, valid after OK.
    Result result() const;

    // The width and the plotter pen.
    static const std::vector<ZqField>& fieldTable();

protected:
    void initFields() override;
};
