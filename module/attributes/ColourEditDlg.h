#pragma once

#include <array>
#include <string>

#include "attributes/AttributeEditDlg.h"

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
    Result result() const;

    // Red, green and blue.
    static const std::vector<ZqField>& fieldTable();

protected:
    void initFields() override;
    void fieldsShown() override;
    void OnEditChange(int id) override;
    bool OnKillFocus(int id, int newId) override;

private:
    // The value a component's text stands for: a number outside 0 to 255
    // becomes 0 or 255, a text that is no whole number 0.
    int componentOf(int control) const;
    void showSwatch();
};
