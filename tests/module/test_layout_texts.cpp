// The layouts in Japanese: every text of every layout has its translation in
// the resource file, keeps its access key, and fits its control when the
// layout is built offscreen with the Japanese font.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLocale>
#include <QLabel>
#include <QRegularExpression>
#include <QResource>
#include <QTranslator>
#include <QWidget>
#include <QXmlStreamReader>

#include <vector>

#include "ModuleFixture.h"
#include "mobrdlg/ZqResources.h"
#include "mobrdlg/ZqUiLoader.h"

namespace {

struct LayoutText {
    QString context;  // the layout's name: Qt's translation context for its texts
    QString text;
};

// Properties whose texts a person reads; toolTip included.
bool isShownProperty(QStringView name)
{
    return name == u"text" || name == u"title" || name == u"windowTitle" || name == u"toolTip";
}

// The translatable texts of one .ui file, as lupdate and QUiLoader see them.
std::vector<LayoutText> textsOf(const QString& path)
{
    std::vector<LayoutText> texts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return texts;
    QXmlStreamReader xml(&file);
    QString context;
    QString property;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement()) continue;
        if (xml.name() == u"class" && context.isEmpty()) context = xml.readElementText();
        else if (xml.name() == u"property") property = xml.attributes().value(QLatin1String("name")).toString();
        else if (xml.name() == u"string" && isShownProperty(property)) {
            const bool untranslated = xml.attributes().value(QLatin1String("notr")) == u"true";
            const QString text = xml.readElementText();
            if (!untranslated && !text.isEmpty()) texts.push_back({context, text});
        }
    }
    return texts;
}

QStringList layoutNames()
{
    const QDir dir(QStringLiteral(MOBR_SOURCE_DIR "/resources/ZQRCTMPL/layouts"));
    QStringList names;
    for (const QString& file : dir.entryList({"*.ui"}, QDir::Files)) names << file.chopped(3);
    return names;
}

std::vector<LayoutText> allTexts()
{
    // The property sheet's own buttons are translated in the sheet's context.
    std::vector<LayoutText> texts = {
        {"CZqPropertySheet", "OK"}, {"CZqPropertySheet", "Cancel"}, {"CZqPropertySheet", "Help"}};
    for (const QString& name : layoutNames()) {
        const auto some = textsOf(QStringLiteral(MOBR_SOURCE_DIR "/resources/ZQRCTMPL/layouts/") + name + ".ui");
        texts.insert(texts.end(), some.begin(), some.end());
    }
    return texts;
}

// The access key of a text ("&Name:" has N), or a null character.
QChar accessKey(const QString& text)
{
    static const QRegularExpression key(QStringLiteral("&([^&])"));
    const QRegularExpressionMatch m = key.match(text);
    return m.hasMatch() ? m.captured(1).at(0).toUpper() : QChar();
}

// The Japanese translation as built into the resource file (not the one the
// module installs, so that this test reads exactly what was shipped).
class JapaneseTranslation : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(QResource::registerResource(QString::fromStdString(moduletest::binFolder()) + "ZQRCTMPL.rcc",
                                                QStringLiteral("/ja-test")));
        translator_ = new QTranslator;
        ASSERT_TRUE(translator_->load(QStringLiteral(":/ja-test/translations/dialogs_ja.qm")));
    }
    static void TearDownTestSuite()
    {
        delete translator_;
        translator_ = nullptr;
        QResource::unregisterResource(QString::fromStdString(moduletest::binFolder()) + "ZQRCTMPL.rcc",
                                      QStringLiteral("/ja-test"));
    }
    static QTranslator* translator_;
};
QTranslator* JapaneseTranslation::translator_ = nullptr;

TEST_F(JapaneseTranslation, EveryLayoutTextHasItsJapaneseTextWithItsAccessKey)
{
    const std::vector<LayoutText> texts = allTexts();
    ASSERT_GT(texts.size(), 500u);
    for (const LayoutText& t : texts) {
        const QString japanese = translator_->translate(t.context.toUtf8(), t.text.toUtf8());
        if (japanese.isEmpty()) {
            ADD_FAILURE() << t.context.toStdString() << ": \"" << t.text.toStdString()
                          << "\" has no Japanese text (scripts/update-translations.sh, then translate it)";
            continue;
        }
        EXPECT_EQ(accessKey(japanese), accessKey(t.text))
            << t.context.toStdString() << ": \"" << japanese.toStdString() << "\" lost the access key of \""
            << t.text.toStdString() << "\"";
    }
}

// A widget whose text is cut: narrower than its text needs.
struct CutText {
    QString widget;
    QString text;
    int width;
    int needed;
};

int neededWidth(QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->wordWrap() ? 0 : label->sizeHint().width();
    if (qobject_cast<QAbstractButton*>(widget)) return widget->sizeHint().width();
    if (qobject_cast<QGroupBox*>(widget)) return widget->minimumSizeHint().width();
    return 0;
}

QString shownText(QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title();
    return {};
}

std::vector<CutText> cutTexts(QWidget& root)
{
    std::vector<CutText> cut;
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&root) || shownText(widget).isEmpty()) continue;
        const int needed = neededWidth(widget);
        if (widget->width() < needed) cut.push_back({widget->objectName(), shownText(widget), widget->width(), needed});
    }
    return cut;
}

// The narrowest screen a dialog must fit on whole (XGA).
constexpr int kNarrowestScreen = 1024;

TEST(JapaneseLayouts, EveryTextFitsItsControlWithTheJapaneseFont)
{
    ASSERT_TRUE(moduletest::module().isLoaded()) << moduletest::module().error();
    ASSERT_FALSE(QFontDatabase::families(QFontDatabase::Japanese).isEmpty())
        << "no font with Japanese characters: the dialogs would show boxes (scripts/install-deps.sh)";
    ZqSetLanguage(1041);
    int checked = 0;
    for (const QString& name : layoutNames()) {
        QWidget root;
        CZqUiLoader loader(&root);
        ASSERT_TRUE(loader.loadInto(name.toUtf8().constData())) << name.toStdString();
        EXPECT_NE(root.windowTitle(), textsOf(QStringLiteral(MOBR_SOURCE_DIR "/resources/ZQRCTMPL/layouts/") + name +
                                              ".ui").front().text)
            << name.toStdString() << " was built in English";
        root.adjustSize();
        root.show();
        EXPECT_LE(root.width(), kNarrowestScreen) << name.toStdString() << " is too wide for the screen in Japanese";
        for (const CutText& c : cutTexts(root))
            ADD_FAILURE() << name.toStdString() << " " << c.widget.toStdString() << ": \"" << c.text.toStdString()
                          << "\" needs " << c.needed << " pixels and has " << c.width;
        checked += static_cast<int>(root.findChildren<QWidget*>().size());
    }
    ZqSetLanguage(0);
    EXPECT_GT(checked, 1000);
}

}  // namespace

// The module follows the default locale, which a program may set before it
// shows a dialog (mobr --lang): strings and layouts alike.
TEST(JapaneseLayouts, TheDefaultLocaleChoosesTheLanguage)
{
    ASSERT_TRUE(moduletest::module().isLoaded()) << moduletest::module().error();
    struct Case {
        QLocale::Language locale;
        int language;
        const char* caption;      // string 7008
        const char* layoutTitle;  // IDD_S_001's window title
    };
    const Case cases[] = {
        {QLocale::Japanese, 1041, "システム属性", "図面サイズ"},
        {QLocale::English, 1033, "System Attributes", "Drawing Size"},
        {QLocale::German, 1033, "System Attributes", "Drawing Size"},
    };
    const QLocale before;
    ZqSetLanguage(0);
    for (const Case& c : cases) {
        QLocale::setDefault(QLocale(c.locale));
        EXPECT_EQ(ZqLanguage(), c.language) << QLocale::languageToString(c.locale).toStdString();
        EXPECT_EQ(ZqGetQString(7008).toStdString(), c.caption);
        QWidget root;
        ASSERT_TRUE(CZqUiLoader(&root).loadInto("IDD_S_001"));
        EXPECT_EQ(root.windowTitle().toStdString(), c.layoutTitle);
    }
    QLocale::setDefault(before);
}
