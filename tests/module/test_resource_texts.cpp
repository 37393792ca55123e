// The string tables the resource file is built from: every text is host
// code-page text, texts copied into fixed fields of the host fit them, and
// the Japanese table has every string of the English one, with the same
// arguments.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <map>
#include <string>

#include "platform/CodePage.h"

namespace {

// Strings that fill a fixed field: ids first to last, at most `bytes` bytes
// in the host code page (the field holds one more for its terminator).
struct FixedField {
    int first;
    int last;
    std::size_t bytes;
    const char* what;
};
constexpr FixedField kFixedFields[] = {
    {7001, 7007, 9, "paper names of the drawing size dialog"},
    {7108, 7108, 31, "typeface of the printed settings report"},
};

// One table: id to text (UTF-8, escapes resolved as the loader resolves them).
std::map<int, std::string> readTable(const QString& path)
{
    std::map<int, std::string> table;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return table;
    static const QRegularExpression line(QStringLiteral("^(\\d+)\\t(.*)$"));
    while (!file.atEnd()) {
        const QString text = QString::fromUtf8(file.readLine()).chopped(1);
        const QRegularExpressionMatch m = line.match(text);
        if (!m.hasMatch()) continue;
        QString value = m.captured(2);
        value.replace("\\n", "\n").replace("\\t", "\t").replace("\\\\", "\\");
        table[m.captured(1).toInt()] = value.toStdString();
    }
    return table;
}

const QString kStrings = QStringLiteral(MOBR_SOURCE_DIR "/resources/ZQRCTMPL/strings/");

// The arguments a text takes, in order: "%s", "%1", "%2"...
std::vector<std::string> arguments(const std::string& text)
{
    static const QRegularExpression argument(QStringLiteral("%(s|d|\\d)"));
    std::vector<std::string> found;
    auto it = argument.globalMatch(QString::fromStdString(text));
    while (it.hasNext()) found.push_back(it.next().captured().toStdString());
    return found;
}

// True when `text` reads as an English sentence: the Japanese table copied it
// instead of translating it.
bool looksEnglish(const std::string& text)
{
    static const QRegularExpression words(QStringLiteral("[A-Za-z]{2,}( +[A-Za-z]{2,}){2,}"));
    return words.match(QString::fromStdString(text)).hasMatch();
}

QStringList tables()
{
    const QDir dir(QStringLiteral(MOBR_SOURCE_DIR "/resources/ZQRCTMPL/strings"));
    QStringList paths;
    for (const QString& name : dir.entryList({"*.txt"}, QDir::Files)) paths << dir.filePath(name);
    return paths;
}

}  // namespace

TEST(ResourceTexts, EveryTextIsHostCodePageTextAndFixedFieldsFit)
{
    const QStringList paths = tables();
    ASSERT_FALSE(paths.isEmpty());
    for (const QString& path : paths) {
        const std::map<int, std::string> table = readTable(path);
        ASSERT_GT(table.size(), 50u) << path.toStdString();
        for (const auto& [id, text] : table) {
            const std::string host = mobr::cp932::fromUtf8(text);
            EXPECT_EQ(mobr::cp932::toUtf8(host), text) << path.toStdString() << " string " << id
                                                       << " has characters the host code page lacks";
        }
        for (const FixedField& field : kFixedFields) {
            for (int id = field.first; id <= field.last; ++id) {
                const auto it = table.find(id);
                ASSERT_NE(it, table.end()) << path.toStdString() << " lacks string " << id;
                EXPECT_LE(mobr::cp932::fromUtf8(it->second).size(), field.bytes)
                    << path.toStdString() << " string " << id << " \"" << it->second << "\" is too long for the "
                    << field.what;
            }
        }
    }
}

TEST(ResourceTexts, JapaneseTableHasEveryStringWithItsArguments)
{
    const std::map<int, std::string> english = readTable(kStrings + "1033.txt");
    const std::map<int, std::string> japanese = readTable(kStrings + "1041.txt");
    ASSERT_GT(english.size(), 50u);
    for (const auto& [id, text] : english) {
        const auto it = japanese.find(id);
        if (it == japanese.end()) {
            ADD_FAILURE() << "1041.txt lacks string " << id << " \"" << text << "\"";
            continue;
        }
        EXPECT_EQ(arguments(it->second), arguments(text))
            << "string " << id << " takes other arguments in Japanese: \"" << it->second << "\"";
        EXPECT_FALSE(looksEnglish(it->second)) << "string " << id << " is not translated: \"" << it->second << "\"";
    }
    for (const auto& [id, text] : japanese)
        EXPECT_TRUE(english.count(id)) << "1041.txt has string " << id << ", which 1033.txt lacks: \"" << text << "\"";
}
