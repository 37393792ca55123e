#pragma once

#include <string>

#include "mobr/datalink.h"
#include "mobrdlg/ZqPropertyPage.h"

class QListWidget;
class QListWidgetItem;
class ZqSampleDelegate;

// Base of the attribute pages that keep one named table of an edit copy
// (widths, colours, fonts): the names in list 1601, one row per entry
// (entry i+1 in row i) and an empty last row that stands for a new entry;
// Add 1501, Modify 1502 (or a double-click), Delete 1503 (or the Delete key).
// The entry of a row is found by looking its name up. The derived page says
// how its table is read and written and runs its editor.
class CAttributeListPage : public CZqPropertyPage, public CZqDataLink {
    Q_OBJECT
public:
    enum Control : int {
        kAdd = 1501,
        kModify = 1502,
        kDelete = 1503,
        kList = 1601,
    };
    static constexpr int kMaxEntries = 255;
    static constexpr int kMsgOutOfSpace = 7218;

    // The number of entries in the list.
    int entryCount() const { return count_; }

protected:
    // `sampleLabel`: the control the list's samples are aligned to (0: the
    // rows have no sample column).
    CAttributeListPage(const char* layoutName, int helpTopic, int sampleLabel);

    // ---- The table, through the host --------------------------------------
    virtual bool hasTable() const = 0;
    virtual int tableCount() const = 0;
    virtual std::string entryName(int entry) const = 0;
    virtual int findEntry(const std::string& name) const = 0;
    virtual bool entryInUse(int entry) const = 0;
    // True when the last remaining entry may not be deleted.
    virtual bool keepsLastEntry() const = 0;
    // Gives a row its sample (or font) from entry `entry`.
    virtual void decorateRow(QListWidgetItem& row, int entry) const = 0;

    // ---- Editing --------------------------------------------------------
    // Runs the editor on `entry` (0: a new entry); true on OK, the derived
    // page then holds the editor's result.
    virtual bool runEditor(int entry) = 0;
    // Adds an entry from the editor's result: its number, < 1 on failure.
    virtual int createEntry() = 0;
    // The message shown when createEntry failed.
    virtual int createFailedMessage() const = 0;
    // Writes the editor's result into `entry`.
    virtual void updateEntry(int entry) = 0;
    // Removes `entry` from the table; false when the host refused.
    virtual bool removeEntry(int entry) = 0;

    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnSelChange(int id) override;
    void OnDblClk(int id) override;
    bool OnKeyDown(int id, int key, Qt::KeyboardModifiers modifiers) override;
    void OnHelp() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    QListWidget* list() const;
    // Reads the table into the list (the empty row last) and selects `row`.
    void fillList(int row);
    // Gives every entry row its decoration again.
    void redecorateRows();
    void refreshButtons();

    // The entry of list row `row`, < 1 for the empty row or none.
    int entryOfRow(int row) const;

private:
    void addEntry();
    void modifyEntry();
    void deleteEntry();
    bool canDelete(int entry) const;
    // Inserts a row for `entry` at `row`; false (after message 7218) when
    // the list could not take it.
    bool insertRow(int row, int entry);
    void alignSamples();

    int helpTopic_;
    int sampleLabel_;
    int count_ = 0;
    ZqSampleDelegate* delegate_ = nullptr;  // owned by the list (Qt parent)
};
