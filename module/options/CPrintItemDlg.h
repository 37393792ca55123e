#pragma once

#include "mobrdlg/ZqDialog.h"

class CUserOpPrintItem;

// The report's item choice ("IDD_S_025"): which pages go into the report
// and where it goes, the printer or a text file. Works on the model it is
// given; OK writes the choice back into it.
class CPrintItemDlg : public CZqDialog {
    Q_OBJECT
public:
    enum Control : int {
        kPrinter = 1301,
        kTextFile = 1302,
        kTitle = 1401,
        kPath = 1402,
        kFolder = 1403,
        kBrowse = 1501,
        kItems = 1601,
    };
    static constexpr int kHelpTopic = 485;

    CPrintItemDlg(CUserOpPrintItem& model, QWidget* parent);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnEditChange(int id) override;
    bool OnKeyDown(int id, int key, Qt::KeyboardModifiers modifiers) override;
    void OnHelp() override;
    void OnOK() override;

private:
    void fillItems();
    void chooseDestination(int destination);
    void browse();
    void updateOk();
    bool pathHasFileName() const;
    void toggleCurrentItem();

    CUserOpPrintItem& model_;
    int destination_;
};
