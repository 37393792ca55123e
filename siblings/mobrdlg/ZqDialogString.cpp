#include "mobrdlg/ZqDialogString.h"

#include <QString>

#include "mobrdlg/ZqText.h"

namespace {

bool isSpace(QChar c)
{
    return c.isSpace() || c == QChar(0x3000);
}

void trim(QString& s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isSpace(s[begin])) ++begin;
    while (end > begin && isSpace(s[end - 1])) --end;
    s = s.mid(begin, end - begin);
}

// Drops one trailing decoration; false when there was none.
bool dropTrailing(QString& s)
{
    for (const QString& tail : {QStringLiteral("..."), QString(QChar(0x2026)), QStringLiteral(":"),
                                QString(QChar(0xFF1A))}) {
        if (s.endsWith(tail)) {
            s.chop(tail.size());
            return true;
        }
    }
    // "(&X)" or "（&X）": five characters (a surrogate pair would be six).
    for (auto [open, close] : {std::pair<QChar, QChar>(u'(', u')'),
                               std::pair<QChar, QChar>(QChar(0xFF08), QChar(0xFF09))}) {
        if (!s.endsWith(close)) continue;
        const qsizetype at = s.lastIndexOf(open);
        if (at < 0 || at + 1 >= s.size() || s[at + 1] != u'&') continue;
        const qsizetype inner = s.size() - 1 - (at + 2);  // characters after '&'
        const bool oneChar = inner == 1 || (inner == 2 && s[at + 2].isHighSurrogate());
        if (!oneChar) continue;
        s.truncate(at);
        return true;
    }
    return false;
}

}  // namespace

std::string EditDialogString(std::string text)
{
    QString s = zqToQString(text);
    trim(s);
    while (dropTrailing(s)) trim(s);
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'&') {
            if (i + 1 < s.size() && s[i + 1] == u'&') {
                out += u'&';
                ++i;
            }
            continue;
        }
        out += s[i];
    }
    trim(out);
    return zqFromQString(out);
}
