#pragma once

#include <functional>
#include <string>

#include <QStringList>

#include "attributes/AttributeEditDlg.h"

// The font editor ("IDD_S_013"): name, face (a font family of the system)
// and the bold and italic flags of one entry of the font copy, with a sample
// text in the chosen font. A face that offers only an italic, only a bold or
// only a bold italic style forces those flags.
class CFontEditDlg : public CAttributeEditDlg {
    Q_OBJECT
public:
    enum Control : int {
        kBoldBox = 1101,
        kItalicBox = 1102,
        kFaceList = 1201,
        kSample = 1701,
    };

    // Where the editor gets the faces and their styles from: the system's
    // font database unless replaced (tests give faces of known styles).
    struct FaceSource {
        std::function<QStringList()> families;
        std::function<QStringList(const QString& family)> styles;
    };
    // Installs `source` (empty members: the system's) and returns the one
    // installed before.
    static FaceSource setFaceSource(FaceSource source);

    struct Result {
        std::string name;
        std::string face;
        bool bold = false;    // check box 1101
        bool italic = false;  // check box 1102
    };

    // `entry`: the font's number in `fonts` (ignored in new mode).
    CFontEditDlg(void* fonts, int entry, Mode mode, QWidget* parent = nullptr);
    ~CFontEditDlg() override;

    // The result, valid after OK.
    Result result() const;

    // The bold and italic boxes.
    static const std::vector<ZqField>& fieldTable();

protected:
    void initFields() override;
    void fieldsShown() override;
    bool takeFields() override;
    void OnSelChange(int id) override;
    bool OnCommand(int id) override;

private:
    // Ticks and locks the style boxes as the chosen face's styles demand.
    void applyFaceStyles();
    void showSample();

    std::string face_;
};
