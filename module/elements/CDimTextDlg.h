#pragma once

#include <array>
#include <string>

#include "elements/CodedRadio.h"
#include "elements/ElementLinkParts.h"
#include "mobrdlg/ZqLinkDialog.h"

// The dimension text dialog ("IDD_S_016"): colour, font and pen of the
// dimension text, its four sizes, three texts, two values in hundredths,
// two choices and three switches. The element settings' dimension page
// drives it through the data link; the three texts are 22-byte fields of the
// page's dimension block, handed over by address and written back there on
// OK when the user changed them.
class CDimTextDlg : public CZqLinkDialog, private CElementLinkParts {
    Q_OBJECT
public:
    enum Control : int {
        kSwitch1 = 1101,
        kSwitch2 = 1102,
        kSwitch3 = 1103,        // enabled only with the second button of 1301
        kColourList = 1201,
        kFontList = 1202,
        kPenList = 1203,        // pens of plot style 1
        kPlacement = 1301,      // buttons 1301, 1302
        kPlacementSecond = 1302,
        kOrientation = 1303,    // buttons 1303, 1304 (value 1, value 0)
        kHeight = 1401,         // 1401-1404: the four sizes
        kFirstText = 1405,      // 1405-1407: the three texts
        kHundredths1 = 1408,
        kHundredths2 = 1409,
    };
    enum Item : int {
        kItemColour = 30001,
        kItemFont = 30002,
        kItemPlacement = 30003,
        kItemOrientation = 30004,
        kItemPen = 30005,
        kItemLayerFlag = 30006,
        kItemLayerColour = 30007,
        kItemSize1 = 20101,      // 20101-20104
        kItemFirstText = 20105,  // 20105-20107, by address
        kItemHundredths1 = 20108,
        kItemHundredths2 = 20109,
        kItemSwitch2 = 20302,
        kItemSwitch1 = 20303,
        kItemSwitch3 = 20304,
        kItemColourTable = 20501,
        kItemFontTable = 20502,
        kItemPenTable = 20503,
        kItemPenExTable = 20504,
    };
    static constexpr int kTexts = 3;
    static constexpr int kTextBytes = 22;   // a text field of the dimension block
    static constexpr int kTextChars = 20;   // what its edit takes
    static constexpr int kHelpTopic = 469;
    static const std::vector<ZqField>& fieldTable();

    explicit CDimTextDlg(QWidget* parent = nullptr);
    ~CDimTextDlg() override;

    int SetPageData(int item, std::intptr_t value) override;
    int SetPageInt(int item, int value) override;
    int GetPageInt(int item, int* value) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnSelChange(int id) override;
    void OnHelp() override;
    void OnOK() override;

private:
    void writeTexts();

    std::array<char*, kTexts> textFields_{};
    std::array<std::string, kTexts> textsReceived_;
    CCodedRadio placement_;
    CCodedRadio orientation_;
};
