#include "mobrdlg/ZqField.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace {

const std::string kNoText;

double fromHost(const ZqField& field, double value)
{
    switch (field.conversion) {
    case ZqConversion::OneBased: return value - 1.0;
    case ZqConversion::Hundredths: return value / 100.0;
    default: return value;
    }
}

double toHost(const ZqField& field, double value)
{
    switch (field.conversion) {
    case ZqConversion::OneBased: return value + 1.0;
    case ZqConversion::Hundredths: return std::round(value * 100.0);
    default: return value;
    }
}

}  // namespace

CZqFieldSet::CZqFieldSet(std::vector<ZqField> fields)
    : fields_(std::move(fields)), values_(fields_.size()), texts_(fields_.size())
{
    for (std::size_t i = 0; i < fields_.size(); ++i) values_[i] = fields_[i].initial;
}

const ZqField* CZqFieldSet::byItem(int item) const
{
    if (item == 0) return nullptr;
    auto it = std::find_if(fields_.begin(), fields_.end(), [item](const ZqField& f) { return f.item == item; });
    return it == fields_.end() ? nullptr : &*it;
}

const ZqField* CZqFieldSet::byControl(int control) const
{
    if (control == 0) return nullptr;
    auto it = std::find_if(fields_.begin(), fields_.end(),
                           [control](const ZqField& f) { return f.control == control; });
    return it == fields_.end() ? nullptr : &*it;
}

std::size_t CZqFieldSet::indexOf(const ZqField& field) const
{
    // A field of this set's table; a copy of one (from the same declaration)
    // is found by its item and control.
    if (&field >= fields_.data() && &field < fields_.data() + fields_.size())
        return static_cast<std::size_t>(&field - fields_.data());
    const auto it = std::find_if(fields_.begin(), fields_.end(), [&field](const ZqField& f) {
        return f.item == field.item && f.control == field.control;
    });
    if (it == fields_.end()) throw std::invalid_argument("a field of another table");
    return static_cast<std::size_t>(it - fields_.begin());
}

double CZqFieldSet::value(const ZqField& field) const { return values_[indexOf(field)]; }

const std::string& CZqFieldSet::text(const ZqField& field) const { return texts_[indexOf(field)]; }

void CZqFieldSet::setValue(const ZqField& field, double value) { values_[indexOf(field)] = value; }

void CZqFieldSet::setText(const ZqField& field, const std::string& text) { texts_[indexOf(field)] = text; }

double CZqFieldSet::valueOf(int control) const
{
    const ZqField* field = byControl(control);
    return field ? value(*field) : 0.0;
}

void CZqFieldSet::setValueOf(int control, double value)
{
    if (const ZqField* field = byControl(control)) setValue(*field, value);
}

bool CZqFieldSet::inRange(const ZqField& field, double value)
{
    return value >= field.minimum - field.slack && value <= field.maximum + field.slack;
}

bool CZqFieldSet::receive(const ZqField& field, double hostValue)
{
    double value = fromHost(field, hostValue);
    if (field.receipt == ZqReceipt::Replace && (std::isnan(value) || !inRange(field, value))) {
        value = field.initial;
    } else if (field.receipt == ZqReceipt::Keep && !std::isnan(value)) {
        setValue(field, value);
        return true;
    }
    if (std::isnan(value)) {
        // A NaN would defeat every later comparison.
        if (field.receipt != ZqReceipt::ClampNanToMinimum) return false;
        value = field.minimum;
    }
    if (field.receipt == ZqReceipt::Refuse || field.receipt == ZqReceipt::Keep) {
        if (!inRange(field, value)) return false;
    } else {
        value = std::clamp(value, field.minimum, field.maximum);
    }
    setValue(field, value);
    return true;
}

double CZqFieldSet::hostValue(const ZqField& field) const { return toHost(field, value(field)); }

std::string CZqFieldSet::shownText(const ZqField& field, double value)
{
    char text[64];
    if (field.format) {
        if (field.kind == ZqFieldKind::Real) {
            std::snprintf(text, sizeof text, field.format, value);
        } else {
            std::snprintf(text, sizeof text, field.format, static_cast<int>(value));
        }
    } else if (field.kind == ZqFieldKind::Real) {
        std::snprintf(text, sizeof text, "%.*f", std::max(field.decimals, 0), value);
    } else {
        std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    }
    std::string shown = text;
    if (field.shownChars > 0 && shown.size() > static_cast<std::size_t>(field.shownChars)) {
        shown.resize(static_cast<std::size_t>(field.shownChars));
        if (shown.back() == '.') shown.pop_back();
    }
    return shown;
}
