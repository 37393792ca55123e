#pragma once

// The small dialogs of the numeric parameter page: the parameter editor,
// the reference parameter list and the reference value editor.

#include <memory>
#include <string>
#include <vector>

#include "mobrdlg/ZqLinkDialog.h"
#include "options/UserOpValues.h"

class CCE;
class CComNumUs;
class CZqFieldBinder;

// "IDD_S_004": name and value of one value parameter, added to or changed
// in the page's table on OK; refusals show in status line 1703.
class CComNumEditDlg : public CZqLinkDialog {
    Q_OBJECT
public:
    enum Control : int { kName = 1401, kValue = 1402, kStatus = 1703 };
    static constexpr int kHelpTopic = 480;
    static constexpr int kNameChars = 8;
    static constexpr int kValueChars = 16;

    // `index` -1 adds a parameter; otherwise it changes that slot.
    CComNumEditDlg(CComNumUs& table, int index, QWidget* parent = nullptr);
    ~CComNumEditDlg() override;

protected:
    bool OnInitDialog() override;
    void OnHelp() override;
    void OnOK() override;
    // Input the edits refused while typing: its reason in status line 1703.
    bool OnNotify(int id, int code, long long limit) override;

private:
    bool refuse(int messageId, int control);
    CComNumUs& table_;
    int index_;
    std::unique_ptr<CCE> nameEdit_;
    std::unique_ptr<CCE> valueEdit_;
};

// "IDD_S_005": the host's reference parameters (at most 24), each value
// changed with the reference value editor; handed in and given back with
// SetPageTable / GetPageTable (30001, ComNumRefEntry records).
class CComNumRefDlg : public CZqLinkDialog {
    Q_OBJECT
public:
    enum Control : int { kList = 1001, kChange = 1501 };
    static constexpr int kHelpTopic = 481;

    struct Entry {
        std::string caption;  // at most 16 bytes
        std::string name;     // at most 11 bytes
        double value = 0.0;
    };

    CComNumRefDlg();
    ~CComNumRefDlg() override;
    int SetPageTable(int item, const void* records, int count) override;
    int GetPageTable(int item, void* records, int count) override;
    const std::vector<Entry>& entries() const { return entries_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnDblClk(int id) override;
    void OnHelp() override;

private:
    void showRow(int row);
    void changeSelected();
    std::vector<Entry> entries_;
};

// "IDD_S_006": the value of one reference parameter.
class CComNumValDlg : public CZqLinkDialog {
    Q_OBJECT
public:
    enum Control : int { kValue = 1401, kName = 1701 };
    static constexpr int kHelpTopic = 482;

    CComNumValDlg(const std::string& name, double value, QWidget* parent = nullptr);
    ~CComNumValDlg() override;
    double value() const;

protected:
    bool OnInitDialog() override;
    void OnHelp() override;
    void OnOK() override;

private:
    std::string name_;
    std::unique_ptr<CZqFieldBinder> binder_;
};
