#pragma once

#include <string>
#include <vector>

#include "mobr/export.h"

// What a field holds and which control shows it.
enum class ZqFieldKind {
    Integer,  // numeric or spin edit, whole numbers
    Real,     // numeric or spin edit
    Text,     // edit, host code page
    Check,    // check box: 0 or 1
    Radio,    // radio group: the index of the checked button (buttons control .. control + maximum)
    Choice,   // drop-down or list: the selected row's index (rows filled by the page)
};

// What a value handed in outside the field's range does.
enum class ZqReceipt {
    Refuse,            // the data-link operation returns 0 and the field keeps its value
    Clamp,             // brought into the range; not-a-number is refused
    ClampNanToMinimum, // brought into the range; not-a-number becomes the minimum
    Keep,              // taken as it is, even outside the range (the checks judge it when the user leaves)
    Replace,           // outside the range or not a number: the field's initial value instead
};

// How the host's value relates to the field's.
enum class ZqConversion {
    None,
    OneBased,    // the host counts from 1, the field (a row or button index) from 0
    Widen16,     // the host's value is a 16-bit integer (SetPageShort / GetPageShort)
    Hundredths,  // the host's integer is in hundredths of the field's value
};

// One field of a page or dialog, declared once in the page's table. Build
// one with the kind functions and refine it with the with... functions:
//
//     ZqField::real(30001, 1401, 0.01, 999999.0).withDecimals(2)
struct ZqField {
    int item = 0;     // data-link item id; 0 for a field the host does not see
    int control = 0;  // control id (a radio group: its first button)
    ZqFieldKind kind = ZqFieldKind::Integer;
    double minimum = 0.0;
    double maximum = 0.0;
    double initial = 0.0;    // value before anything is handed in
    int decimals = -1;       // decimals that may be typed; -1 any
    int checkDigits = -1;    // digit limit of the text check (decimals for reals); -1 none
    const char* format = nullptr;  // how the value is shown ("%.2lf"); null: "%d" or the decimals
    int maxChars = 0;        // characters a numeric edit takes, bytes a text holds; 0 no limit
    ZqReceipt receipt = ZqReceipt::Refuse;
    int message = 0;         // message of a failed check; 0: the check library's own
    ZqConversion conversion = ZqConversion::None;
    bool spin = false;       // a spin edit (else a numeric edit for numbers)
    double step = 1.0;       // spin step
    double slack = 0.0;      // the range check accepts this much beyond either end
    bool settle = false;     // a typed value is brought into the range instead of refused
    bool display = false;    // shown only: the user does not edit it and it is never checked
    int shownChars = 0;      // the shown text is cut to this many characters; 0 no cut

    static constexpr ZqField integer(int item, int control, int minimum, int maximum)
    {
        return make(item, control, ZqFieldKind::Integer, minimum, maximum).withCheckDigits(0);
    }
    static constexpr ZqField real(int item, int control, double minimum, double maximum)
    {
        return make(item, control, ZqFieldKind::Real, minimum, maximum);
    }
    static constexpr ZqField text(int item, int control, int maxChars)
    {
        return make(item, control, ZqFieldKind::Text, 0, 0).withMaxChars(maxChars);
    }
    static constexpr ZqField check(int item, int control) { return make(item, control, ZqFieldKind::Check, 0, 1); }
    // Buttons `first` .. `last`.
    static constexpr ZqField radio(int item, int first, int last)
    {
        return make(item, first, ZqFieldKind::Radio, 0, last - first);
    }
    static constexpr ZqField choice(int item, int control, int rows)
    {
        return make(item, control, ZqFieldKind::Choice, 0, rows - 1);
    }

    constexpr ZqField withInitial(double value) const { return with(&ZqField::initial, value); }
    constexpr ZqField withDecimals(int value) const
    {
        return with(&ZqField::decimals, value).with(&ZqField::checkDigits, value);
    }
    constexpr ZqField withCheckDigits(int value) const { return with(&ZqField::checkDigits, value); }
    constexpr ZqField withFormat(const char* value) const { return with(&ZqField::format, value); }
    constexpr ZqField withMaxChars(int value) const { return with(&ZqField::maxChars, value); }
    constexpr ZqField withReceipt(ZqReceipt value) const { return with(&ZqField::receipt, value); }
    constexpr ZqField withMessage(int value) const { return with(&ZqField::message, value); }
    constexpr ZqField withConversion(ZqConversion value) const { return with(&ZqField::conversion, value); }
    constexpr ZqField asSpin(double stepValue) const
    {
        return with(&ZqField::spin, true).with(&ZqField::step, stepValue);
    }
    constexpr ZqField withSlack(double value) const { return with(&ZqField::slack, value); }
    constexpr ZqField settling() const { return with(&ZqField::settle, true); }
    constexpr ZqField displayOnly() const { return with(&ZqField::display, true); }
    // Shows at most `chars` characters (a cut that would end on the decimal
    // point drops it too); the stored value stays exact.
    constexpr ZqField withShownCut(int chars) const { return with(&ZqField::shownChars, chars); }

    bool isNumber() const { return kind == ZqFieldKind::Integer || kind == ZqFieldKind::Real; }
    // A field the user edits in a control (and the checks read).
    bool isEdited() const { return control != 0 && !display; }

private:
    static constexpr ZqField make(int item, int control, ZqFieldKind kind, double minimum, double maximum)
    {
        ZqField field;
        field.item = item;
        field.control = control;
        field.kind = kind;
        field.minimum = minimum;
        field.maximum = maximum;
        field.initial = minimum;
        return field;
    }
    template <class T>
    constexpr ZqField with(T ZqField::*member, T value) const
    {
        ZqField copy = *this;
        copy.*member = value;
        return copy;
    }
};

// The fields of one page or dialog and their values. The values live here
// from construction, so a host can hand values in (and read them back)
// before the page's controls exist; the controls show them once the page is
// built (CZqFieldBinder in the controls library).
class MOBR_API CZqFieldSet {
public:
    CZqFieldSet() = default;
    explicit CZqFieldSet(std::vector<ZqField> fields);

    const std::vector<ZqField>& fields() const { return fields_; }
    // The field of a data-link item or of a control; null when there is none.
    const ZqField* byItem(int item) const;
    const ZqField* byControl(int control) const;

    // The field's value (numbers, check boxes, radio and row indexes) or text.
    // `field` is one of fields() or a copy of one; any other throws
    // std::invalid_argument.
    double value(const ZqField& field) const;
    const std::string& text(const ZqField& field) const;
    // Stores a value as it is (the page's own checks have passed).
    void setValue(const ZqField& field, double value);
    void setText(const ZqField& field, const std::string& text);
    // By control id; 0.0 and the empty text for a control without a field.
    double valueOf(int control) const;
    void setValueOf(int control, double value);

    // A value from the host: converted, then taken by the field's receipt
    // rule. False when refused (the field keeps its value).
    bool receive(const ZqField& field, double hostValue);
    // The value as the host reads it (converted back).
    double hostValue(const ZqField& field) const;
    // False when `value` lies outside the range (slack included) or is not a number.
    static bool inRange(const ZqField& field, double value);

    // How a number is shown in its control.
    static std::string shownText(const ZqField& field, double value);

private:
    std::size_t indexOf(const ZqField& field) const;

    std::vector<ZqField> fields_;
    std::vector<double> values_;
    std::vector<std::string> texts_;
};
