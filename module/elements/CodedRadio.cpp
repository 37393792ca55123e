#include "elements/CodedRadio.h"

#include <algorithm>

#include "mobrdlg/ZqWindow.h"

CCodedRadio::CCodedRadio(int firstButton, std::vector<int> values)
    : first_(firstButton), values_(std::move(values)), value_(values_.empty() ? 0 : values_.front())
{
}

int CCodedRadio::index() const
{
    const auto it = std::find(values_.begin(), values_.end(), value_);
    return it == values_.end() ? -1 : static_cast<int>(it - values_.begin());
}

void CCodedRadio::show(CZqWindow& window) const
{
    const int selected = index();
    for (int i = 0; i < static_cast<int>(values_.size()); ++i) window.CheckDlgButton(first_ + i, i == selected);
}

void CCodedRadio::take(const CZqWindow& window)
{
    const int checked = window.GetCheckedRadioButton(first_, lastButton());
    if (checked != 0) value_ = values_[static_cast<std::size_t>(checked - first_)];
}
