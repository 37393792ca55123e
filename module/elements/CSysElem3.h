#pragma once

#include "elements/CodedRadio.h"
#include "elements/ElementLinkParts.h"
#include "mobrdlg/ZqFieldLink.h"
#include "mobrdlg/ZqPropertyPage.h"

// The character page ("IDD_PROPS_012") of the element settings: colour, font
// and pen of new texts, their four sizes, slant and hundredths value, two
// choices of the character word and the font type.
class CSysElem3 : public CZqPropertyPage, public CZqFieldLink, private CElementLinkParts {
    Q_OBJECT
public:
    enum Control : int {
        kColourList = 1201,
        kFontList = 1202,
        kPenList = 1203,          // pens of plot style 1
        kDirection = 1301,        // buttons 1301-1303: character word bits 19-20
        kAlignment = 1304,        // buttons 1304-1306: bits 17-18
        kFontType = 1307,         // buttons 1307 (type 1), 1308 (type 0)
        kHeight = 1401,           // 1401-1404: the four sizes
        kSlant = 1405,
        kHundredths = 1406,
        kSlantLabel1 = 1701,
        kSlantLabel2 = 1702,
    };
    enum Item : int {
        kItemColour = 30001,
        kItemFont = 30002,
        kItemDirection = 30003,
        kItemAlignment = 30004,
        kItemFontType = 30005,
        kItemPen = 30006,
        kItemLayerFlag = 30007,
        kItemLayerColour = 30008,
        kItemSize1 = 20101,       // 20101-20104
        kItemSlant = 20105,
        kItemHundredths = 20106,
        kItemColourTable = 20501,
        kItemFontTable = 20502,
        kItemPenTable = 20503,
        kItemPenExTable = 20504,
    };
    static constexpr int kSlantFontBit = 0x10;
    static constexpr int kHelpTopic = 470;
    static const std::vector<ZqField>& fieldTable();

    CSysElem3();
    ~CSysElem3() override;

    int SetPageData(int item, std::intptr_t value) override;
    int SetPageInt(int item, int value) override;
    int GetPageInt(int item, int* value) override;

protected:
    bool OnInitDialog() override;
    bool OnKillActive() override;
    void OnSelChange(int id) override;
    void OnHelp() override;
    void OnOK() override;

private:
    CCodedRadio* radioOf(int item);
    void followFont();

    CCodedRadio direction_;
    CCodedRadio alignment_;
    CCodedRadio fontType_;
};
