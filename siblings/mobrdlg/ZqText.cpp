#include "mobrdlg/ZqText.h"

#include <QStringDecoder>
#include <QStringEncoder>

QString zqToQString(const std::string& bytes)
{
    QStringDecoder decoder("windows-31j");
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

std::string zqFromQString(const QString& text)
{
    QStringEncoder encoder("windows-31j");
    QByteArray bytes = encoder.encode(text);
    return std::string(bytes.constData(), size_t(bytes.size()));
}
