#pragma once

#include <QFont>

#include "attributes/AttributeListPage.h"
#include "attributes/FontEditDlg.h"

// The font page of the system attribute sheet ("IDD_PROPS_004"): the
// figure's named fonts. A font that was edited (attribute bit 0x1) is listed
// in its own font. Font renames are not recorded: text elements refer to
// fonts by number.
class CPageSysAttribute4 : public CAttributeListPage {
    Q_OBJECT
public:
    static constexpr int kHelpTopic = 463;
    static constexpr int kEdited = 0x1;
    static constexpr int kItalic = 0x10;
    static constexpr int kBold = 0x20;
    static constexpr int kInUse = 0x10000;
    static constexpr int kRowHeight = 28;  // pixels; the sample font is 8 less

    CPageSysAttribute4();

    // The font a 60-byte font description stands for (height in pixels:
    // the character height when negative, the cell height when positive).
    static QFont fontOfDescription(const unsigned char* description);

protected:
    void decorateRow(QListWidgetItem& row, int entry) const override;
    bool runEditor(int entry) override { return runEditorOf<CFontEditDlg>(entry, edited_); }
    int applyEditor(int entry) override;

private:
    // Sets bit 0x1 and the bold and italic bits from the editor's flags.
    void writeStyle(int entry);

    CFontEditDlg::Result edited_;
};
