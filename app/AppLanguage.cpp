#include "AppLanguage.h"

#include <vector>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "AppLog.h"

namespace {

// Embedded by the build (qt_add_translations) from translations/*.ts.
const QString kTranslations = QStringLiteral(":/i18n");

// The translators apply() installed, so that choosing again replaces them.
std::vector<QTranslator*>& installed()
{
    static std::vector<QTranslator*> list;
    return list;
}

void removeInstalled()
{
    for (QTranslator* t : installed()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
    installed().clear();
}

// Installs translator `name` for the default locale from `folder`.
bool installFrom(const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLocale(), name, QStringLiteral("_"), folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed().push_back(translator);
    return true;
}

}  // namespace

namespace AppLanguage {

QLocale choose(const QString& forced)
{
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    if (forced == QLatin1String("ja")) return japanese;
    if (forced == QLatin1String("en")) return english;
    return QLocale::system().language() == QLocale::Japanese ? japanese : english;
}

bool apply(const QLocale& locale)
{
    QLocale::setDefault(locale);
    removeInstalled();
    if (locale.language() != QLocale::Japanese) return true;
    // Qt's own texts (the buttons of message boxes, file dialogs) come from
    // Qt's translations when the system has them; mobr does without.
    if (!installFrom(QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        qCDebug(lcApp) << "no Japanese translations of Qt's own texts";
    const bool ours = installFrom(QStringLiteral("mobr"), kTranslations);
    if (!ours) qCWarning(lcApp) << "the Japanese translations of mobr are missing; it speaks English";
    return ours;
}

bool isJapanese()
{
    return QLocale().language() == QLocale::Japanese;
}

}  // namespace AppLanguage
