#pragma once

#include "mobr/ComNumUs.h"
#include "optionpages/CUserOpPage.h"

class CComNumRefDlg;

// The numeric parameter page ("IDD_S_024", tab 8): the host's named
// numeric parameters in a CComNumUs table, added, changed and deleted with
// the parameter editor; 1504 opens the reference parameter list that the
// options dialog hands over (data id 30004).
class CUserOp05 : public CUserOpPage {
    Q_OBJECT
public:
    enum Control : int { kList = 1001, kAdd = 1501, kChange = 1502, kDelete = 1503, kReferences = 1504, kNote = 1704 };
    enum Item : int { kItemTable = 30001, kItemReserved = 30002, kItemMode = 30003, kItemReferenceList = 30004 };
    static constexpr int kTitle = 7089;
    static constexpr int kHelpTopic = 478;
    static constexpr int kFixedNote = 7221;

    CUserOp05();
    ~CUserOp05() override;
    int SetPageTable(int item, const void* records, int count) override;
    int GetPageTable(int item, void* records, int count) override;
    int SetPageList(int item, const char* const* texts, int count) override;
    int SetPageInt(int item, int value) override;
    int SetPageData(int item, std::intptr_t value) override;
    const CComNumUs& table() const { return table_; }
    // The title, then one line per parameter: its name and value text.
    void WriteSettingReport(std::vector<std::string>& lines) override;

protected:
    void fillLists() override;
    bool OnCommand(int id) override;
    void OnDblClk(int id) override;
    void OnSelChange(int id) override;
    bool OnKeyDown(int id, int key, Qt::KeyboardModifiers modifiers) override;

private:
    int selectedRow() const;
    void showTable(int selectRow);
    void setButtons();
    void edit(int index);
    void deleteSelected();

    CComNumUs table_;
    int slots_ = 0;
    bool editable_ = false;
    CComNumRefDlg* references_ = nullptr;
};
