#include "options/UserOpPrintItem.h"

void CUserOpPrintItem::SetCount(int count)
{
    const auto size = static_cast<std::size_t>(count > 0 ? count : 0);
    names_.assign(size, std::string());
    checked_.assign(size, 0);
}

void CUserOpPrintItem::SetItemName(int index, const std::string& name)
{
    if (inRange(index)) names_[static_cast<std::size_t>(index)] = name;
}

std::string CUserOpPrintItem::GetItemName(int index) const
{
    return inRange(index) ? names_[static_cast<std::size_t>(index)] : std::string();
}

void CUserOpPrintItem::SetCheck(int index, int checked)
{
    if (inRange(index)) checked_[static_cast<std::size_t>(index)] = checked;
}

int CUserOpPrintItem::GetCheck(int index) const
{
    return inRange(index) ? checked_[static_cast<std::size_t>(index)] : 0;
}

bool CUserOpPrintItem::SameItems(const CUserOpPrintItem& other) const
{
    return names_ == other.names_ && checked_ == other.checked_;
}
