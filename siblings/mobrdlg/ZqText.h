#pragma once

#include <string>

#include <QString>

// Conversion between host-code-page bytes (code page 932) and QString, used
// only where a text meets a widget, a resource table or a script.
QString zqToQString(const std::string& bytes);
std::string zqFromQString(const QString& text);
