#pragma once

#include <QLocale>
#include <QString>

// The language mobr speaks: English or Japanese, decided once at start.
//
// The settings module builds its texts and layouts from the default QLocale
// when it attaches, so the language must be settled (QLocale::setDefault)
// before the module is loaded; changing it later would leave the dialogs in
// the old language while the main window speaks the new one.
namespace AppLanguage {

// The locale for `forced` ("en" or "ja", from --lang); with nothing forced,
// Japanese when the system locale (LANG) is Japanese, otherwise English.
QLocale choose(const QString& forced);

// Makes `locale` the default and, for Japanese, installs the translations
// of mobr's own texts (replacing those of an earlier call, so English
// removes them). Needs the application object. False when the
// Japanese translations could not be loaded (mobr then speaks English).
bool apply(const QLocale& locale);

// True when the default locale is Japanese.
bool isJapanese();

}  // namespace AppLanguage
