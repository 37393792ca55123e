#include "mobrcctl/ZqFieldBinder.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <vector>

#include "mobrcctl/CCE.h"
#include "mobrcctl/SpinEdit.h"
#include "mobrdlg/ZqMessageBox.h"
#include "mobrdlg/ZqWindow.h"

namespace {

int cceKind(const ZqField& field)
{
    const bool sign = field.minimum < 0.0;
    if (field.kind == ZqFieldKind::Real) return sign ? CCE_KIND_REAL : CCE_KIND_UNSIGNED_REAL;
    return sign ? CCE_KIND_INTEGER : CCE_KIND_UNSIGNED;
}

}  // namespace

CZqFieldBinder::CZqFieldBinder(CZqWindow& window, CZqFieldSet& fields) : window_(window), fields_(fields)
{
    check_.SetMsgBox(0);
}

// The edits' filters are removed from the edits here; the page or dialog that
// owns the binder destroys it before its own widgets go.
CZqFieldBinder::~CZqFieldBinder() = default;

void CZqFieldBinder::attachEdit(const ZqField& field)
{
    const double start = std::clamp(fields_.value(field), field.minimum, field.maximum);
    if (field.spin) {
        std::unique_ptr<CSpinEdit> spin;
        if (field.kind == ZqFieldKind::Integer) {
            spin = std::make_unique<CSpinEdit>(static_cast<int>(field.minimum), static_cast<int>(field.maximum),
                                               static_cast<int>(field.step), static_cast<int>(start));
        } else {
            spin = std::make_unique<CSpinEdit>(field.minimum, field.maximum, field.step, start);
        }
        if (field.format) spin->SetFormatString(field.format);
        spin->SubclassSpinEdit(field.control, &window_);
        spins_[field.control] = std::move(spin);
        return;
    }
    auto edit = std::make_unique<CCE>();
    edit->SubclassCCE(field.control, &window_, cceKind(field));
    edit->SetMinMaxData(field.minimum, field.maximum);
    if (field.kind == ZqFieldKind::Real) edit->SetAvailDec(field.decimals);
    if (field.maxChars > 0) edit->SetInpMax(field.maxChars);
    edits_[field.control] = std::move(edit);
}

void CZqFieldBinder::attach()
{
    for (const ZqField& field : fields_.fields()) {
        if (!field.isEdited()) continue;
        if (field.isNumber()) attachEdit(field);
        if (field.kind == ZqFieldKind::Text && field.maxChars > 0) window_.SetLimitText(field.control, field.maxChars);
    }
    showAll();
}

void CZqFieldBinder::show(const ZqField& field)
{
    if (field.control == 0) return;
    const double value = fields_.value(field);
    switch (field.kind) {
    case ZqFieldKind::Integer:
    case ZqFieldKind::Real:
        if (CSpinEdit* spin = spinOf(field.control)) {
            spin->SetCurrentPosition(value);
        } else {
            window_.SetDlgItemText(field.control, CZqFieldSet::shownText(field, value));
        }
        break;
    case ZqFieldKind::Text: window_.SetDlgItemText(field.control, fields_.text(field)); break;
    case ZqFieldKind::Check: window_.CheckDlgButton(field.control, value == 1.0); break;
    case ZqFieldKind::Radio:
        window_.CheckRadioButton(field.control, field.control + static_cast<int>(field.maximum),
                                 field.control + static_cast<int>(value));
        break;
    case ZqFieldKind::Choice: window_.SetCurSel(field.control, static_cast<int>(value)); break;
    }
}

void CZqFieldBinder::showAll()
{
    for (const ZqField& field : fields_.fields()) show(field);
}

void CZqFieldBinder::set(int control, double value)
{
    const ZqField* field = fields_.byControl(control);
    if (!field) return;
    fields_.setValue(*field, value);
    show(*field);
}

CSpinEdit* CZqFieldBinder::spinOf(int control) const
{
    auto it = spins_.find(control);
    return it == spins_.end() ? nullptr : it->second.get();
}

bool CZqFieldBinder::refuse(const ZqField& field)
{
    QWidget* widget = window_.GetDlgItem(field.control);
    if (field.message != 0) {
        ZqDlgMessageBox(window_.rootWidget(), ZQ_MB_OK | ZQ_MB_ICONEXCLAMATION, 0, field.message, nullptr);
    } else {
        check_.DataCheckMsgBoxEx(check_.GetLastErrMsg(), widget);
    }
    if (field.kind == ZqFieldKind::Radio) {
        window_.SetFocusTo(field.control);
    } else {
        CDlgDataCheck::focusField(widget);
    }
    return false;
}

int CZqFieldBinder::settledValue(const ZqField& field, const std::string& text)
{
    std::string trimmed = text;
    CDlgDataCheck::SpaceCut(trimmed);
    if (trimmed.empty()) return 0;
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(trimmed.c_str(), &end, 10);
    if (end == trimmed.c_str() || *end != '\0') return 0;
    // An overflowing number is still far outside: strtol gives its side.
    return static_cast<int>(
        std::clamp<long>(value, static_cast<long>(field.minimum), static_cast<long>(field.maximum)));
}

bool CZqFieldBinder::readNumber(const ZqField& field, double* value)
{
    const std::string text = window_.GetDlgItemText(field.control);
    if (field.settle) {
        const int settled = settledValue(field, text);
        if (text != CZqFieldSet::shownText(field, settled)) {
            fields_.setValue(field, settled);
            show(field);
        }
        *value = settled;
        return true;
    }
    double number = fields_.value(field);
    if (text != CZqFieldSet::shownText(field, number)) {
        if (field.kind == ZqFieldKind::Integer) {
            int whole = 0;
            if (!check_.StringCheck(text, field.checkDigits, &whole)) return refuse(field);
            number = whole;
        } else if (!check_.StringCheck(text, field.checkDigits, &number)) {
            return refuse(field);
        }
    }
    const bool inRange =
        field.kind == ZqFieldKind::Integer
            ? check_.CheckData(static_cast<int>(number), static_cast<int>(field.minimum),
                               static_cast<int>(field.maximum))
            : check_.CheckData(number, field.minimum - field.slack, field.maximum + field.slack);
    if (!inRange) return refuse(field);
    *value = number;
    return true;
}

bool CZqFieldBinder::read(const ZqField& field, double* value)
{
    switch (field.kind) {
    case ZqFieldKind::Integer:
    case ZqFieldKind::Real: return readNumber(field, value);
    case ZqFieldKind::Check: {
        // A box still showing what it was given keeps the value it was
        // given, so a value the box cannot show (a host's 2 or -1) goes
        // back unchanged unless the user clicks the box.
        const bool checked = window_.IsDlgButtonChecked(field.control);
        const double stored = fields_.value(field);
        *value = checked == (stored == 1.0) ? stored : (checked ? 1.0 : 0.0);
        return true;
    }
    case ZqFieldKind::Radio: {
        const int last = field.control + static_cast<int>(field.maximum);
        const int checked = window_.GetCheckedRadioButton(field.control, last);
        if (checked == 0 && field.message == 0) {
            *value = fields_.value(field);  // none of the buttons stands for the value: it stays
            return true;
        }
        if (checked == 0) return refuse(field);
        *value = checked - field.control;
        return true;
    }
    case ZqFieldKind::Choice: {
        const int row = window_.GetCurSel(field.control);
        if (row >= 0 && row <= static_cast<int>(field.maximum)) {
            *value = row;
        } else if (field.message != 0) {
            return refuse(field);
        } else {
            *value = fields_.value(field);  // nothing chosen: the field keeps its row
        }
        return true;
    }
    case ZqFieldKind::Text: *value = 0.0; return true;
    }
    return true;
}

bool CZqFieldBinder::check(int control)
{
    const ZqField* field = fields_.byControl(control);
    if (!field || !field->isEdited()) return true;
    double value = 0.0;
    if (!read(*field, &value)) return false;
    if (field->kind == ZqFieldKind::Text) {
        fields_.setText(*field, window_.GetDlgItemText(control));
    } else {
        fields_.setValue(*field, value);
    }
    return true;
}

bool CZqFieldBinder::checkAll()
{
    std::vector<double> values;
    for (const ZqField& field : fields_.fields()) {
        double value = 0.0;
        if (field.isEdited() && !read(field, &value)) return false;
        values.push_back(value);
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        const ZqField& field = fields_.fields()[i];
        if (!field.isEdited()) continue;
        if (field.kind == ZqFieldKind::Text) {
            fields_.setText(field, window_.GetDlgItemText(field.control));
        } else {
            fields_.setValue(field, values[i]);
        }
    }
    return true;
}
