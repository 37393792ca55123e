// mobr in Japanese: the translations of its own texts are complete and
// loaded, and every help page has a Japanese page with the same links.

#include <gtest/gtest.h>

#include <map>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextDocument>
#include <QXmlStreamReader>

#include "AppLanguage.h"
#include "CommandLine.h"
#include "HelpWindow.h"

namespace {

// A message of a .ts file: its translation, and whether lupdate or a
// translator left it unfinished.
struct Entry {
    QString translation;
    QString type;
};
using Catalogue = std::map<std::pair<QString, QString>, Entry>;  // (context, source)

Catalogue readTs(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    Catalogue out;
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == u"name") context = xml.readElementText();
        else if (xml.name() == u"source") source = xml.readElementText();
        else if (xml.name() == u"translation") {
            const QString type = xml.attributes().value("type").toString();
            out[{context, source}] = {xml.readElementText(), type};
        }
    }
    return out;
}

// The sorted place markers (%1, %2, ...) of a text: a translation that
// loses or invents one shows the wrong value or none.
QStringList placeMarkers(const QString& text)
{
    static const QRegularExpression marker(R"(%\d+)");
    QStringList found;
    for (const QRegularExpressionMatch& m : marker.globalMatch(text)) found << m.captured();
    found.sort();
    return found;
}

QString readPage(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList links(const QString& html)
{
    static const QRegularExpression href(R"(href="([^"]+)\")");
    QStringList out;
    for (const QRegularExpressionMatch& m : href.globalMatch(html)) out << m.captured(1);
    return out;
}

bool hasJapanese(const QString& text)
{
    static const QRegularExpression kana(R"([\x{3040}-\x{30FF}\x{4E00}-\x{9FFF}])");
    return text.contains(kana);
}

// Runs the body in the given language and goes back to English after it,
// so that the other tests see the English texts they expect.
class InLanguage : public ::testing::Test {
protected:
    void TearDown() override { AppLanguage::apply(AppLanguage::choose("en")); }
    static QString folderIn(const char* language)
    {
        AppLanguage::apply(AppLanguage::choose(language));
        return HelpWindow::pageFolder();
    }
};

}  // namespace

// Every text lupdate finds in the program's sources has a finished Japanese
// translation in the repository's .ts file, keeping its place markers, and
// the file holds nothing the sources no longer say.
TEST(Translations, TheJapaneseCatalogueCoversEveryTextOfTheSources)
{
    QTemporaryDir temp;
    const QString fresh = temp.filePath("fresh_ja.ts");
    QProcess lupdate;
    lupdate.start(MOBR_LUPDATE, {MOBR_APP_SOURCES, "-silent", "-locations", "none", "-ts", fresh});
    ASSERT_TRUE(lupdate.waitForFinished(60000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

    const Catalogue found = readTs(fresh);
    const Catalogue kept = readTs(MOBR_APP_SOURCES "/translations/mobr_ja.ts");
    ASSERT_GT(found.size(), 100u) << "lupdate found the menus, messages and command line texts";
    for (const auto& [key, unused] : found) {
        const std::string where = key.first.toStdString() + ": " + key.second.toStdString();
        const auto it = kept.find(key);
        ASSERT_NE(it, kept.end()) << "no Japanese entry for " << where;
        EXPECT_FALSE(it->second.translation.trimmed().isEmpty()) << "empty translation of " << where;
        EXPECT_TRUE(it->second.type.isEmpty()) << it->second.type.toStdString() << " translation of " << where;
        EXPECT_EQ(placeMarkers(it->second.translation), placeMarkers(key.second)) << where;
    }
    for (const auto& [key, unused] : kept)
        EXPECT_TRUE(found.count(key)) << "the sources no longer say " << key.second.toStdString();
}

// The .qm built from the catalogue is embedded and takes effect for each
// kind of text: menus, help window, command line, conversion progress.
TEST_F(InLanguage, JapaneseInstallsTheEmbeddedTranslations)
{
    struct Case {
        const char* context;
        const char* source;
        const char* japanese;
    };
    const Case cases[] = {
        {"MainWindow", "&File", "ファイル(&F)"},
        {"MainWindow", "&Drawing size...", "図面サイズ(&D)..."},
        {"HelpWindow", "Contents", "目次"},
        {"CommandLine", "unknown command %1", "不明なコマンド %1"},
        {"BatchConvert", "failed: %1", "失敗: %1"},
    };
    ASSERT_TRUE(AppLanguage::apply(AppLanguage::choose("ja")));
    EXPECT_TRUE(AppLanguage::isJapanese());
    for (const Case& c : cases)
        EXPECT_EQ(QCoreApplication::translate(c.context, c.source).toStdString(), c.japanese) << c.source;
    AppLanguage::apply(AppLanguage::choose("en"));
    for (const Case& c : cases)
        EXPECT_EQ(QCoreApplication::translate(c.context, c.source).toStdString(), c.source) << "English again";
}

TEST(Translations, LangOptionForcesOneOfTheTwoLanguages)
{
    struct Case {
        QStringList arguments;
        QString language;  // empty: follow the locale
        bool accepted;
    };
    const Case cases[] = {
        {{}, "", true},
        {{"--lang", "ja"}, "ja", true},
        {{"--lang=en", "a.fig"}, "en", true},
        {{"run", "s.json", "--lang", "ja"}, "ja", true},
        {{"--lang", "de"}, "", false},
        {{"--lang", "ja", "--lang", "en"}, "", false},
    };
    for (const Case& c : cases) {
        const CommandLine line = CommandLine::parse(c.arguments);
        EXPECT_EQ(line.error().isEmpty(), c.accepted) << c.arguments.join(' ').toStdString();
        if (c.accepted) {
            EXPECT_EQ(line.language(), c.language) << c.arguments.join(' ').toStdString();
        }
    }
    EXPECT_EQ(AppLanguage::choose("ja").language(), QLocale::Japanese);
    EXPECT_EQ(AppLanguage::choose("en").language(), QLocale::English);
}

// The program itself, forced to Japanese, explains its command line in
// Japanese, --lang included.
TEST(Translations, TheProgramSpeaksJapaneseWithLangJa)
{
    QProcess p;
    p.start(MOBR_PROGRAM, {"--lang", "ja", "--help"});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(out.contains("使い方: mobr")) << out.toStdString();
    EXPECT_TRUE(out.contains("終了コード")) << out.toStdString();
    EXPECT_TRUE(out.contains("--lang <LANG>")) << out.toStdString();
    EXPECT_TRUE(out.contains("ja (日本語)")) << out.toStdString();
}

// Each English page has a Japanese page of the same name, in Japanese,
// with a title and the same links, each of which resolves.
TEST_F(InLanguage, EveryHelpPageHasAJapanesePageWithTheSameLinks)
{
    ASSERT_TRUE(HelpWindow::registerPages());
    const QString english = folderIn("en");
    const QString japanese = folderIn("ja");
    ASSERT_NE(english, japanese) << "the Japanese pages are in the resource file";
    const QStringList pages = QDir(english).entryList({"*.html"}, QDir::Files);
    ASSERT_GE(pages.size(), 33);
    for (const QString& name : pages) {
        const std::string page = name.toStdString();
        const QString html = readPage(japanese + "/" + name);
        ASSERT_FALSE(html.isEmpty()) << "no Japanese page " << page;
        EXPECT_TRUE(html.contains("<html lang=\"ja\">")) << page;
        QTextDocument document;
        document.setHtml(html);
        const QString title = document.metaInformation(QTextDocument::DocumentTitle);
        EXPECT_TRUE(hasJapanese(title)) << page << ": title " << title.toStdString();
        EXPECT_TRUE(hasJapanese(document.toPlainText())) << page;
        EXPECT_GT(document.toPlainText().size(), readPage(english + "/" + name).size() / 5) << page << ": all of it";
        EXPECT_EQ(links(html), links(readPage(english + "/" + name))) << page;
        for (const QString& target : links(html))
            EXPECT_TRUE(QFile::exists(japanese + "/" + target)) << page << " links to " << target.toStdString();
    }
}

TEST_F(InLanguage, TheHelpWindowShowsTheJapanesePages)
{
    ASSERT_TRUE(HelpWindow::registerPages());
    folderIn("ja");
    QMainWindow main;
    HelpWindow* help = HelpWindow::showTopic(472, &main);
    EXPECT_EQ(help->browser()->documentTitle().toStdString(), "図面サイズ");
    EXPECT_EQ(help->windowTitle().toStdString(), "図面サイズ - mobr ヘルプ");
    EXPECT_TRUE(HelpWindow::pageUrl(HelpWindow::kManual).path().endsWith("/help/ja/index.html"));
    help->close();
}
