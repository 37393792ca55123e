#pragma once

#include <memory>
#include <string>

#include "mobrdlg/ZqFieldLink.h"
#include "mobrdlg/ZqPropertyPage.h"

class CZqFieldBinder;
class CZqListCtrl;

// The figure settings page ("IDD_PROPS_005") of the system attribute sheet:
// the error-distance exponent, the image colour depth, the draw order and the
// extended character groups of the figure. The values come in through the
// data link before the sheet runs; the extended character copy (a host edit
// copy) is rewritten from the ticked rows when the sheet ends with OK.
class CPageSysAttribute5 : public CZqPropertyPage, public CZqFieldLink {
    Q_OBJECT
public:
    enum Control : int {
        kGroupList = 1001,    // check list of the extended character groups
        kDrawOrder = 1201,    // drop-down: strings 7143 to 7145
        kDepthStandard = 1301,
        kDepthFull = 1302,
        kExponent = 1401,     // spin edit, -8 to 8
    };
    enum Item : int { kItemExponent = 30001, kItemColourDepth = 30002, kItemDrawOrder = 30003 };
    static constexpr int kMinExponent = -8;
    static constexpr int kMaxExponent = 8;
    static constexpr int kOrderCount = 3;
    static constexpr int kHelpTopic = 465;
    // The page's fields: exponent, colour depth and draw order.
    static const std::vector<ZqField>& fieldTable();

    CPageSysAttribute5();
    ~CPageSysAttribute5() override;

    // Takes the extended character copy and sorts it at once; 0 for null.
    int SetCharExInfo(void* copy);

protected:
    bool OnInitDialog() override;
    bool OnKillActive() override;
    void OnHelp() override;
    void OnOK() override;
    // Keeps the group list's columns at their share of the list's width.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void sizeColumns();
    void fillGroupList();
    void fillOrderList();

    void* charEx_ = nullptr;
    std::string groupText_;   // the host's group text (eighth row), host code page
    std::unique_ptr<CZqFieldBinder> binder_;
    std::unique_ptr<CZqListCtrl> list_;
};
