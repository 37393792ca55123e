#pragma once

#include "attributes/AttributeListPage.h"
#include "attributes/WidthEditDlg.h"

// The line width page of the system attribute sheet ("IDD_PROPS_002"): the
// figure's widths, each with its name and a line sample as thick as the
// width shows on screen. A width used by a pen (bit 0x10) stays.
class CPageSysAttribute2 : public CAttributeListPage {
    Q_OBJECT
public:
    enum Control : int { kSampleHeading = 1701 };
    static constexpr int kHelpTopic = 459;

    CPageSysAttribute2();

protected:
    void decorateRow(QListWidgetItem& row, int entry) const override;
    bool runEditor(int entry) override { return runEditorOf<CWidthEditDlg>(entry, edited_); }
    int applyEditor(int entry) override;

private:
    CWidthEditDlg::Result edited_;
};
