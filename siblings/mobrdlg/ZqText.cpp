#include "mobrdlg/ZqText.h"

#include "platform/CodePage.h"

// One conversion for the whole system: the platform layer's (exact round
// trip for any byte string).

QString zqToQString(const std::string& bytes)
{
    return mobr::cp932::toQString(bytes);
}

std::string zqFromQString(const QString& text)
{
    return mobr::cp932::fromQString(text);
}
