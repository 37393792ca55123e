#pragma once

#include <map>
#include <memory>
#include <string>

#include "mobr/export.h"
#include "mobrdchk/DlgDataCheck.h"
#include "mobrdlg/ZqField.h"

class CCE;
class CSpinEdit;
class CZqWindow;

// Binds a field table to the controls of a built page or dialog: attaches a
// numeric edit or spin edit to every number field with the field's range and
// digits, shows the values, and checks what the user typed, field by field in
// declaration order (the failure's message at the field, its text selected
// and the focus back on it). A number field whose text still shows its
// stored value keeps that value exactly: its text may show it rounded.
//
// It lives in the controls library because it attaches the controls
// library's edits and uses the check library; the table and the values live
// in the dialog library (CZqFieldSet), so they exist before the controls do.
class MOBR_API CZqFieldBinder {
public:
    CZqFieldBinder(CZqWindow& window, CZqFieldSet& fields);
    ~CZqFieldBinder();
    CZqFieldBinder(const CZqFieldBinder&) = delete;
    CZqFieldBinder& operator=(const CZqFieldBinder&) = delete;

    // Attaches the edits and shows every field. Lists of choice fields must
    // be filled before, so that the stored row can be selected.
    void attach();
    // Shows the stored value of one field (of every field) in its control.
    void show(const ZqField& field);
    void showAll();
    // Stores `value` for the field of `control` and shows it.
    void set(int control, double value);

    // Checks the control of one field and stores its value; false after a
    // refusal (message shown, focus back).
    bool check(int control);
    // Checks every field that the user edits, in declaration order; stores
    // the values only when all pass.
    bool checkAll();

    // The spin edit of a spin field; null for any other control.
    CSpinEdit* spinOf(int control) const;
    // A typed text brought into a settling field's range: a text that is no
    // whole number gives 0, a number outside the range its nearest end.
    static int settledValue(const ZqField& field, const std::string& text);

private:
    bool read(const ZqField& field, double* value);
    bool readNumber(const ZqField& field, double* value);
    bool refuse(const ZqField& field);
    void attachEdit(const ZqField& field);

    CZqWindow& window_;
    CZqFieldSet& fields_;
    CDlgDataCheck check_;
    std::map<int, std::unique_ptr<CCE>> edits_;
    std::map<int, std::unique_ptr<CSpinEdit>> spins_;
};
