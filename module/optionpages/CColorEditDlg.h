#pragma once

#include <array>

#include "mobrdlg/ZqLinkDialog.h"

class CZqFieldBinder;

// The colour editor of the colour page ("IDD_S_003"): red, green and blue
// (0 to 255) of one system or sketch colour, with a swatch of the colour.
class CColorEditDlg : public CZqLinkDialog {
    Q_OBJECT
public:
    enum Control : int { kRed = 1401, kGreen = 1402, kBlue = 1403, kSwatch = 1701 };
    static constexpr int kHelpTopic = 479;
    static const std::vector<ZqField>& fieldTable();

    // `rgb`: red, green, blue.
    explicit CColorEditDlg(const std::array<int, 3>& rgb, QWidget* parent = nullptr);
    ~CColorEditDlg() override;
    // The colour, valid after OK.
    std::array<int, 3> rgb() const;

protected:
    bool OnInitDialog() override;
    void OnEditChange(int id) override;
    void OnHelp() override;
    void OnOK() override;

private:
    void showSwatch();
    std::unique_ptr<CZqFieldBinder> binder_;
};
