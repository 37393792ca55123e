#pragma once

#include <cstdint>
#include <string>

#include "attributes/RenameList.h"
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

    // Item of SetPageData that hands over the page's edit copy.
    static constexpr int kItemTable = 30001;

    // 30001: the edit copy of the page's table.
    int SetPageData(int item, std::intptr_t value) override;

    // The number of entries in the list.
    int entryCount() const { return count_; }

    // The tables the derived pages keep.
    enum class Table { Widths, Colours, Fonts };

protected:
    static constexpr int kDefaultRowHeight = 20;  // pixels

    // `sampleLabel`: the control the list's samples are aligned to (0: the
    // rows have no sample column); `rowHeight`: the height of every row.
    CAttributeListPage(const char* layoutName, int helpTopic, Table table, int sampleLabel,
                       int rowHeight = kDefaultRowHeight);

    // The edit copy the page works on (null until it was handed over).
    void* table() const { return table_; }
    std::string entryName(int entry) const;
    // Adds an entry called `name` (entry 0) or renames `entry` to it; the
    // entry's number, < 1 when the host refused the new entry.
    int nameEntry(int entry, const std::string& name);

    // Gives a row its sample (or font) from entry `entry`.
    virtual void decorateRow(QListWidgetItem& row, int entry) const = 0;
    // Runs the editor on `entry` (0: a new entry); true on OK, the derived
    // page then holds the editor's result.
    virtual bool runEditor(int entry) = 0;
    // Writes the editor's result into `entry`, or into a new entry when
    // `entry` is 0; returns the entry's number, < 1 when the host refused a
    // new entry.
    virtual int applyEditor(int entry) = 0;
    // Removes `entry` from the table; false when the host refused.
    virtual bool removeEntry(int entry);

    // Runs editor class `Editor` on `entry` and keeps its result on OK.
    template <class Editor>
    bool runEditorOf(int entry, typename Editor::Result& result)
    {
        Editor editor(table_, entry, entry > 0 ? Editor::Mode::Modify : Editor::Mode::New, this);
        if (editor.DoModal() != 1) return false;
        result = editor.result();
        return true;
    }

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
    // How the page reaches its table through the host, and its rules.
    struct TableAccess {
        std::int32_t (*count)(void* table);
        std::int32_t (*getName)(void* table, std::int32_t entry, char* name);
        std::int32_t (*findName)(void* table, const char* name);
        std::int32_t (*getAttrib)(void* table, std::int32_t entry);
        std::int32_t (*newInfo)(void* table, const char* name);
        std::int32_t (*setName)(void* table, std::int32_t entry, const char* name);
        std::int32_t (*deleteInfo)(void* table, std::int32_t entry);
        // Records a rename for the sketch data; null when the table keeps
        // no rename list.
        std::int32_t (*recordRename)(const char* oldName, const char* newName);
        std::int32_t (*clearRenames)();
        int inUseBit;         // attribute bit of an entry that may not be deleted
        bool keepsLastEntry;  // the last remaining entry may not be deleted
        int addFailedMessage; // shown when the host refuses a new entry
    };
    static const TableAccess& accessTo(Table table);

    int findEntry(const std::string& name) const;
    bool entryInUse(int entry) const;
    void addEntry();
    void modifyEntry();
    void deleteEntry();
    bool canDelete(int entry) const;
    // Inserts a row for `entry` at `row`; false (after message 7218) when
    // the list could not take it.
    bool insertRow(int row, int entry);
    void alignSamples();

    int helpTopic_;
    const TableAccess& access_;
    CRenameList renames_;
    void* table_ = nullptr;
    int sampleLabel_;
    int rowHeight_;
    int count_ = 0;
    ZqSampleDelegate* delegate_ = nullptr;  // owned by the list (Qt parent)
};
