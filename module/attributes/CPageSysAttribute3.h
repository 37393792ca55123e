#pragma once

#include <string>

#include "attributes/AttributeListPage.h"

// The colour page of the system attribute sheet ("IDD_PROPS_003"): the
// figure's named colours, each with its name and a swatch. Showing the page
// refreshes the colours' in-use marks from the pen colour copy, so a colour
// that a pen took on the line type page cannot be deleted here.
class CPageSysAttribute3 : public CAttributeListPage {
    Q_OBJECT
public:
    enum Item : int { kItemColours = 30001, kItemPenColours = 30002 };
    enum Control : int { kSampleHeading = 1702 };
    static constexpr int kHelpTopic = 461;
    static constexpr int kInUse = 0x1;

    CPageSysAttribute3();
    ~CPageSysAttribute3() override;

    // 30001: the colour copy; 30002: the pen colour copy.
    int SetPageData(int item, std::intptr_t value) override;

    bool OnSetActive() override;

protected:
    bool hasTable() const override;
    int tableCount() const override;
    std::string entryName(int entry) const override;
    int findEntry(const std::string& name) const override;
    bool entryInUse(int entry) const override;
    bool keepsLastEntry() const override { return true; }
    void decorateRow(QListWidgetItem& row, int entry) const override;

    bool runEditor(int entry) override;
    int createEntry() override;
    int createFailedMessage() const override;
    void updateEntry(int entry) override;
    bool removeEntry(int entry) override;

private:
    void* colours_ = nullptr;
    void* penColours_ = nullptr;
    // The editor's result.
    std::string name_;
    int rgb_[3] = {0, 0, 0};
};
