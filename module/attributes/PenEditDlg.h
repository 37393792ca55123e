#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "mobrdchk/DlgDataCheck.h"
#include "mobrdlg/ZqLinkDialog.h"

class CSpinEdit;

// Spin parts of the spin edits (kept for the record): edit id + 1000.

// The pen editor dialog ("IDD_S_010"): edits one pen of the line type page's
// edit copies, or the values of a pen about to be added. It only reads the
// copies; on OK it holds the result (name, width, plot style, colour, mask,
// pitch lengths), which the page writes into the pen copy.
class CPenEditDlg : public CZqLinkDialog {
    Q_OBJECT
public:
    // Control ids of the layout.
    enum Control : int {
        kMaskBox1 = 1101,     // ticked: mask bit 0x1 clear
        kMaskBox2 = 1102,     // ticked: mask bit 0x2 clear
        kMaskBox4 = 1103,     // ticked: mask bit 0x4 clear (plot style 1 only)
        kWidthList = 1201,    // width names (editable: a typed name is looked up)
        kStyleList = 1202,    // entry i is plot style i + 1
        kColourList = 1203,   // entry 0 is "no colour", then the colour names
        kNameEdit = 1401,
        kPairCount = 1402,    // number of (dash, gap) pairs, 0 to 5
        kFirstLength = 1403,  // lengths 1403 to 1412: pair k has 1401 + 2k and 1402 + 2k
    };
    static constexpr int kLengthCount = 10;
    static constexpr int kMaxPairs = 5;
    static constexpr int kCaptionNew = 7054;
    static constexpr int kCaptionModify = 7055;
    static constexpr int kForbiddenChars = 7099;
    static constexpr int kFirstStyleName = 7021;
    static constexpr int kNoColourName = 7009;
    static constexpr int kHelpTopic = 457;

    enum class Mode { New, Modify };

    // The edit copies the editor reads (host handles).
    struct Copies {
        void* pens = nullptr;
        void* widths = nullptr;
        void* colours = nullptr;
        void* penColours = nullptr;
        void* order = nullptr;
    };

    // `pen` is the pen's number in the pen copy (0 for none: a new pen with
    // default values); in new mode it seeds the fields.
    CPenEditDlg(const Copies& copies, int pen, Mode mode, QWidget* parent = nullptr);
    ~CPenEditDlg() override;

    // The result, valid after OK.
    const std::string& name() const { return name_; }
    int widthNumber() const { return width_; }
    int plotStyle() const { return plotStyle_; }
    int colourNumber() const { return colour_; }
    int mask() const { return mask_; }
    const std::vector<double>& pitch() const { return pitch_; }

protected:
    bool OnInitDialog() override;
    void OnSelChange(int id) override;
    void OnEditChange(int id) override;
    void OnHelp() override;
    void OnOK() override;

private:
    void fillLists();
    void readPen();
    void applyOpeningRules();
    bool lastOfItsKindOrInUse() const;
    void showPitch(int pairs);
    // The plot style the list's selection stands for (0 when none).
    int chosenStyle() const;
    void updateStyleBox();
    // Shows message `id` (with `argument`), focuses `field`, returns false.
    bool refuse(int id, int field, const char* argument = nullptr);
    bool checkName();
    bool checkPitch(int* pairs);

    Copies copies_;
    int pen_ = 0;
    Mode mode_ = Mode::New;
    int penStyle_ = 1;
    int penMask_ = 0;
    std::vector<double> penPitch_;
    bool styleSixRemoved_ = false;
    bool box4Locked_ = false;  // 1103 stays disabled even with plot style 1
    CDlgDataCheck check_;
    std::unique_ptr<CSpinEdit> pairSpin_;
    std::array<std::unique_ptr<CSpinEdit>, kLengthCount> lengthSpins_;

    std::string name_;
    int width_ = 0;
    int plotStyle_ = 1;
    int colour_ = 0;
    int mask_ = 0;
    std::vector<double> pitch_;
};
