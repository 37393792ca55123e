#pragma once

#include "elements/ElementLists.h"
#include "mobrdlg/ZqFieldLink.h"
#include "mobrdlg/ZqPropertyPage.h"

// The display colour page ("IDD_PROPS_013") of the element settings: four
// colours of the figure's colour table that the host draws with.
class CSysElem4 : public CZqPropertyPage, public CZqFieldLink {
    Q_OBJECT
public:
    enum Control : int { kFirstList = 1201 };    // 1201-1204
    enum Item : int { kItemFirstColour = 30001, kItemColourTable = 20501 };   // 30001-30004
    static constexpr int kColours = 4;
    static constexpr int kHelpTopic = 471;

    CSysElem4();
    ~CSysElem4() override;

    int SetPageData(int item, std::intptr_t value) override;
    int SetPageInt(int item, int value) override;
    int GetPageInt(int item, int* value) override;

protected:
    bool OnInitDialog() override;
    void OnSelChange(int id) override;
    void OnHelp() override;
    void OnOK() override;

private:
    void* colours_ = nullptr;
    elemlists::NamedChoices choices_;
};
