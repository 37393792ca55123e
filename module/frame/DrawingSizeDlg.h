#pragma once

#include <array>
#include <memory>
#include <string>

#include "mobrdlg/ZqLinkDialog.h"

class CZqFieldBinder;

// The drawing size dialog ("IDD_S_001"): a standard paper or a size of the
// user's own, and a scale; shows the resulting size (paper size times scale).
// The host creates it with IDD_S_001Init, hands in the current size through
// the data-link operations, runs it with RunDialog, reads the results back
// and destroys it with IDD_S_001Term.
class CDrawingSizeDlg : public CZqLinkDialog {
    Q_OBJECT
public:
    // Control ids of the layout.
    enum Control : int {
        kPaperList = 1201,
        kModeSize = 1301,      // result = input size
        kModeScale = 1302,     // result = starting size times scale
        kModeBoth = 1303,      // result = input size times scale
        kScaleEdit = 1401,
        kResultWidth = 1402,
        kResultHeight = 1403,
        kStartWidth = 1404,
        kStartHeight = 1405,
        kInputWidth = 1406,
        kInputHeight = 1407,
        kHelpButton = 1000,
    };
    // Data-link items.
    enum Item : int {
        kItemResultWidth = 20102,
        kItemResultHeight = 20103,
        kItemPaperIndex = 30001,
    };
    static constexpr int kFirstPaperString = 7001;
    static constexpr int kPaperCount = 7;
    static constexpr int kFreeSizeIndex = 6;
    static constexpr int kHelpTopic = 472;

    explicit CDrawingSizeDlg(QWidget* parent = nullptr);
    ~CDrawingSizeDlg() override;

    // The items the host hands in and reads back, and the fields the user
    // types into (scale, input width and height).
    static const std::vector<ZqField>& fieldTable();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnSelChange(int id) override;
    bool OnKeyDown(int id, int key, Qt::KeyboardModifiers modifiers) override;
    bool OnKillFocus(int id, int newId) override;
    void OnHelp() override;
    void OnOK() override;
    void OnFieldReceived(const ZqField& field) override;

private:
    struct Paper {
        char name[10];  // at most 9 bytes and a terminator
        double width;
        double height;
    };
    enum class Changed { None, Width, Height };

    bool loadPaperNames();
    void fillPaperList();
    void setInputEditable(bool editable);
    void recompute(Changed changed);
    void showResults();
    std::string sizeText(double size) const;
    void applyPaper(int index);
    // The value of a field by control id, or by item id for a field without a control.
    double value(int id) const;
    void setValue(int id, double value);
    // Field checks: each shows the check message at its field, selects the
    // field's text and keeps the focus there when it fails.
    bool validateScale();
    bool validateSize(int id);
    // The scale edit's update: results = base times scale.
    void applyScale();
    int findPaperIndex() const;
    // Moves the focus along the Tab order without the focus-lost check.
    void moveFocusUnchecked(bool backwards);

    std::array<Paper, kPaperCount> papers_;
    std::unique_ptr<CZqFieldBinder> binder_;

    int mode_ = 0;
    int paperIndex_ = kFreeSizeIndex;  // the list's choice; the item is the paper the result matches
    double baseWidth_ = 0.01, baseHeight_ = 0.01;
    double startWidth_ = 0.01, startHeight_ = 0.01;
    bool scaleHadFocusForHelp_ = false;
    bool focusMoveChecked_ = false;
};
