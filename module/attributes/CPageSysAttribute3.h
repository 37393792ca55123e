#pragma once

#include "attributes/AttributeListPage.h"
#include "attributes/ColourEditDlg.h"

// The colour page of the system attribute sheet ("IDD_PROPS_003"): the
// figure's named colours, each with its name and a swatch. Showing the page
// refreshes the colours' in-use marks from the pen colour copy, so a colour
// that a pen took on the line type page cannot be deleted here.
class CPageSysAttribute3 : public CAttributeListPage {
    Q_OBJECT
public:
    enum Item : int { kItemPenColours = 30002 };
    enum Control : int { kSampleHeading = 1702 };
    static constexpr int kHelpTopic = 461;

    CPageSysAttribute3();

    // 30001: the colour copy; 30002: the pen colour copy.
    int SetPageData(int item, std::intptr_t value) override;

    bool OnSetActive() override;

protected:
    void decorateRow(QListWidgetItem& row, int entry) const override;
    bool runEditor(int entry) override { return runEditorOf<CColourEditDlg>(entry, edited_); }
    int applyEditor(int entry) override;
    // Pens that had the colour lose it as well.
    bool removeEntry(int entry) override;

private:
    void* penColours_ = nullptr;
    CColourEditDlg::Result edited_;
};
