#pragma once

#include <string>

#include <QFont>

#include "attributes/AttributeListPage.h"

// The font page of the system attribute sheet ("IDD_PROPS_004"): the
// figure's named fonts. A font that was edited (attribute bit 0x1) is listed
// in its own font. Font renames are not recorded: text elements refer to
// fonts by number.
class CPageSysAttribute4 : public CAttributeListPage {
    Q_OBJECT
public:
    enum Item : int { kItemFonts = 30001 };
    static constexpr int kHelpTopic = 463;
    static constexpr int kEdited = 0x1;
    static constexpr int kItalic = 0x10;
    static constexpr int kBold = 0x20;
    static constexpr int kInUse = 0x10000;
    static constexpr int kRowHeight = 28;  // pixels; the sample font is 8 less

    CPageSysAttribute4();
    ~CPageSysAttribute4() override;

    // 30001: the font copy.
    int SetPageData(int item, std::intptr_t value) override;

    // The font a 60-byte font description stands for (height in pixels:
    // the character height when negative, the cell height when positive).
    static QFont fontOfDescription(const unsigned char* description);

protected:
    bool hasTable() const override;
    int tableCount() const override;
    std::string entryName(int entry) const override;
    int findEntry(const std::string& name) const override;
    bool entryInUse(int entry) const override;
    bool keepsLastEntry() const override { return false; }
    void decorateRow(QListWidgetItem& row, int entry) const override;

    bool runEditor(int entry) override;
    int createEntry() override;
    int createFailedMessage() const override;
    void updateEntry(int entry) override;
    bool removeEntry(int entry) override;

private:
    // Sets bit 0x1 and the bold and italic bits from the editor's flags.
    void writeStyle(int entry);

    void* fonts_ = nullptr;
    // The editor's result.
    std::string name_;
    std::string face_;
    bool bold_ = false;
    bool italic_ = false;
};
