#include "mobrdlg/ZqFieldLink.h"

#include <cstring>

#include "platform/CodePage.h"

CZqFieldLink::CZqFieldLink(std::vector<ZqField> fields) : fields_(std::move(fields)) {}

void CZqFieldLink::OnFieldReceived(const ZqField&) {}

const ZqField* CZqFieldLink::wholeField(int item) const
{
    const ZqField* field = fields_.byItem(item);
    if (!field || field->kind == ZqFieldKind::Real || field->kind == ZqFieldKind::Text) return nullptr;
    return field;
}

int CZqFieldLink::receiveWhole(int item, double value)
{
    const ZqField* field = wholeField(item);
    if (!field || !fields_.receive(*field, value)) return 0;
    OnFieldReceived(*field);
    return 1;
}

int CZqFieldLink::SetPageInt(int item, int value) { return receiveWhole(item, value); }

int CZqFieldLink::SetPageShort(int item, short value) { return receiveWhole(item, value); }

int CZqFieldLink::GetPageInt(int item, int* value)
{
    const ZqField* field = wholeField(item);
    if (!field || !value) return 0;
    *value = static_cast<int>(fields_.hostValue(*field));
    return 1;
}

int CZqFieldLink::GetPageShort(int item, short* value)
{
    const ZqField* field = wholeField(item);
    if (!field || !value) return 0;
    *value = static_cast<short>(fields_.hostValue(*field));
    return 1;
}

int CZqFieldLink::SetPageDouble(int item, double value)
{
    const ZqField* field = fields_.byItem(item);
    if (!field || field->kind != ZqFieldKind::Real || !fields_.receive(*field, value)) return 0;
    OnFieldReceived(*field);
    return 1;
}

int CZqFieldLink::GetPageDouble(int item, double* value)
{
    const ZqField* field = fields_.byItem(item);
    if (!field || field->kind != ZqFieldKind::Real || !value) return 0;
    *value = fields_.hostValue(*field);
    return 1;
}

int CZqFieldLink::SetPageString(int item, const char* text)
{
    const ZqField* field = fields_.byItem(item);
    if (!field || field->kind != ZqFieldKind::Text || !text) return 0;
    std::string value = text;
    // A text longer than its field is cut, never split inside a double-byte character.
    if (field->maxChars > 0) value = mobr::cp932::cut(value, static_cast<std::size_t>(field->maxChars));
    fields_.setText(*field, value);
    OnFieldReceived(*field);
    return 1;
}

int CZqFieldLink::GetPageString(int item, char* buffer, int size)
{
    const ZqField* field = fields_.byItem(item);
    if (!field || field->kind != ZqFieldKind::Text || !buffer || size <= 0) return 0;
    mobr::cp932::copyToBuffer(fields_.text(*field), buffer, static_cast<std::size_t>(size));
    return 1;
}
