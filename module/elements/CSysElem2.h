#pragma once

#include <array>
#include <memory>

#include "elements/CodedRadio.h"
#include "mobr/host_types.h"
#include "mobrdlg/ZqFieldLink.h"
#include "mobrdlg/ZqPropertyPage.h"

class CDimTextDlg;
class CZqFieldBinder;

// The dimension page ("IDD_PROPS_011") of the element settings. It receives
// the figure's 184-byte dimension block whole, shows ten of its sizes and
// two of its choices, opens the dimension line ("IDD_S_015") and text
// ("IDD_S_016") dialogs on further fields of the block, and gives the block
// back whole with every field it does not show as it came.
class CSysElem2 : public CZqPropertyPage, public CZqFieldLink {
    Q_OBJECT
public:
    enum Control : int {
        kFirstEdit = 1401,        // 1401-1410
        kCount = 1405,            // spin edit, 1 to 9
        kExtension = 1409,
        kOffset = 1410,
        kExtensionOff = 1301,     // group 1301: 1301 switches 1409 off, 1302 on
        kExtensionOn = 1302,
        kOffsetOff = 1303,        // group 1303: 1303 switches 1410 off, 1304 on
        kOffsetOn = 1304,
        kLineButton = 1501,
        kTextButton = 1502,
        kExtensionLabel1 = 1701,
        kExtensionLabel2 = 1702,
        kOffsetLabel1 = 1728,
        kOffsetLabel2 = 1729,
    };
    enum Item : int {
        kItemBlock = 30001,
        kItemLayerColour = 30002,   // SetPageInt; SetPageData 30002 is the pen table
        kItemPenTable = 30002,
        kItemColourTable = 30003,
        kItemTipTable = 30004,
        kItemFontTable = 30005,
        kItemPenExTable = 30006,
        kItemLayerFlag = 30007,
    };
    static constexpr int kBlockBytes = static_cast<int>(mobr::kHostDimBlockBytes);
    static constexpr int kHelpTopic = 467;
    static const std::vector<ZqField>& fieldTable();

    CSysElem2();
    ~CSysElem2() override;

    int SetPageData(int item, std::intptr_t value) override;
    int GetPageData(int item, void* buffer, int size) override;

protected:
    bool OnInitDialog() override;
    bool OnKillActive() override;
    bool OnCommand(int id) override;
    void OnHelp() override;
    void OnOK() override;

private:
    void unpackBlock();
    void packBlock();
    void switchEdits();
    void runLineDialog();
    void runTextDialog();
    bool handTextValues(CDimTextDlg& dialog);
    void takeTextValues(CDimTextDlg& dialog);

    std::array<unsigned char, mobr::kHostDimBlockBytes> block_{};
    void* pens_ = nullptr;
    void* colours_ = nullptr;
    void* tips_ = nullptr;
    void* fonts_ = nullptr;
    void* penEx_ = nullptr;
    CCodedRadio extension_;
    CCodedRadio offset_;
    std::unique_ptr<CZqFieldBinder> binder_;
};
