#pragma once

#include <string>

#include "attributes/AttributeListPage.h"

// The line width page of the system attribute sheet ("IDD_PROPS_002"): the
// figure's widths, each with its name and a line sample as thick as the
// width shows on screen.
class CPageSysAttribute2 : public CAttributeListPage {
    Q_OBJECT
public:
    enum Item : int { kItemWidths = 30001 };
    enum Control : int { kSampleHeading = 1701 };
    static constexpr int kHelpTopic = 459;
    static constexpr int kUsedByPen = 0x10;

    CPageSysAttribute2();
    ~CPageSysAttribute2() override;

    // 30001: the width copy.
    int SetPageData(int item, std::intptr_t value) override;

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
    void* widths_ = nullptr;
    // The editor's result.
    std::string name_;
    double width_ = 0.0;
    int plotPen_ = 0;
};
