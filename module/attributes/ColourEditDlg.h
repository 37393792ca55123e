#pragma once

#include <array>
#include <memory>
#include <string>

#include "attributes/AttributeEditDlg.h"

class CSpinEdit;

// The colour editor ("IDD_S_012"): name and red, green, blue (0 to 255) of
// one entry of the colour copy, with a swatch of the colour.
class CColourEditDlg : public CAttributeEditDlg {
    Q_OBJECT
public:
    enum Control : int {
        kRedEdit = 1402,
        kGreenEdit = 1403,
        kBlueEdit = 1404,
        kSwatch = 1701,
    };
    static constexpr int kMaxComponent = 255;

    struct Result {
        std::string name;
        std::array<int, 3> rgb = {0, 0, 0};  // red, green, blue
    };

    // `entry`: the colour's number in `colours` (ignored in new mode).
    CColourEditDlg(void* colours, int entry, Mode mode, QWidget* parent = nullptr);
    ~CColourEditDlg() override;

    // The result, valid after OK.
    Result result() const { return {name(), rgb_}; }

    // The value a typed component text stands for: a number outside 0 to
    // 255 becomes 0 or 255, a text that is no whole number 0.
    static int componentOf(const std::string& text);

protected:
    void initFields() override;
    bool takeFields() override;
    void OnEditChange(int id) override;
    bool OnKillFocus(int id, int newId) override;

private:
    // Rewrites a component field whose text is not its value in range.
    void settleComponent(int index);
    void showSwatch();

    std::array<std::unique_ptr<CSpinEdit>, 3> spins_;
    std::array<int, 3> rgb_ = {0, 0, 0};
};
