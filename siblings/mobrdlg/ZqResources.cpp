#include "mobrdlg/ZqResources.h"

#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QResource>
#include <QTranslator>

#include "mobrdlg/ZqLog.h"
#include "mobrdlg/ZqText.h"

namespace {

constexpr int kEnglish = 1033;
constexpr int kJapanese = 1041;

// Framework messages that must be available without any resource file.
const ZqBuiltinString kOwnStrings[] = {
    {ZQ_MSG_RESOURCE_FILE_MISSING,
     "The resource file %s could not be loaded. The settings module cannot start.", kEnglish},
    {ZQ_MSG_HOST_FUNCTION_MISSING, "The host does not provide the function %s.", kEnglish},
    {ZQ_MSG_RESOURCE_FILE_MISSING,
     "リソースファイル %s を読み込めませんでした。設定モジュールを開始できません。", kJapanese},
    {ZQ_MSG_HOST_FUNCTION_MISSING, "ホストに関数 %s がありません。", kJapanese},
};

// The layouts' translation of a language, inside a resource file.
QString layoutTranslationPath(const QString& root, int language)
{
    return language == kJapanese ? root + QStringLiteral("/translations/dialogs_ja.qm") : QString();
}

// True when `d` is a whole Qt binary resource file: the header, then every
// node of the tree reachable from the root, every name and every data entry
// lies inside the file. Qt itself checks only where the three regions start,
// so a file cut inside its tree would be read past its end.
bool rccIsWhole(const QByteArray& d)
{
    const auto size = static_cast<quint64>(d.size());
    auto u16 = [&](quint64 at) { return (quint32(uchar(d[qsizetype(at)])) << 8) | uchar(d[qsizetype(at + 1)]); };
    auto u32 = [&](quint64 at) { return (u16(at) << 16) | u16(at + 2); };
    if (size < 20 || !d.startsWith("qres")) return false;
    const quint32 version = u32(4);
    if (version < 1 || version > 3) return false;
    const quint64 tree = u32(8), data = u32(12), names = u32(16);
    const quint64 nodeBytes = version >= 2 ? 22 : 14;
    const quint64 maxNodes = size / nodeBytes;
    quint64 visited = 0;
    std::vector<std::pair<quint64, int>> pending{{0, 0}};   // node index, depth
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        if (++visited > maxNodes || depth > 64) return false;
        const quint64 at = tree + node * nodeBytes;
        if (node >= maxNodes || at + nodeBytes > size) return false;
        const quint64 name = names + u32(at);
        const quint32 flags = u16(at + 4);
        if (node != 0 && (name + 6 > size || name + 6 + 2 * quint64(u16(name)) > size)) return false;
        if (flags & 0x02) {   // a directory: its children follow one another
            const quint64 count = u32(at + 6), first = u32(at + 10);
            if (count > maxNodes || first + count > maxNodes) return false;
            for (quint64 i = 0; i < count; ++i) pending.push_back({first + i, depth + 1});
        } else {
            const quint64 entry = data + u32(at + 10);
            if (entry + 4 > size || entry + 4 + u32(entry) > size) return false;
        }
    }
    return true;
}

using StringTable = std::map<int, QString>;

struct ResourceFile {
    long handle = 0;
    QString path;
    QString root;                       // ":/zq/<handle>"
    std::map<int, StringTable> tables;  // by language, read when first asked
    std::map<int, bool> tablesRead;
};

struct Store {
    std::vector<ResourceFile> files;  // in registration order
    std::map<int, StringTable> builtin;
    long nextHandle = 1;
    int forcedLanguage = 0;
    std::recursive_mutex mutex;
    // The translator of the layouts' texts, installed in the application while
    // the language has one. Qt reads a .qm inside a resource file in place, so
    // it goes before the file that holds it is unregistered.
    std::unique_ptr<QTranslator> layoutTranslator;
    long layoutTranslatorFile = 0;
    int layoutTranslatorLanguage = 0;

    Store()
    {
        for (const auto& entry : kOwnStrings)
            builtin[entry.language][entry.id] = QString::fromUtf8(entry.text);
    }
};

Store& store()
{
    static Store instance;
    return instance;
}

QString unescape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        if (c == u'\\' && i + 1 < text.size()) {
            QChar next = text[i + 1];
            if (next == u'n') { out += u'\n'; ++i; continue; }
            if (next == u't') { out += u'\t'; ++i; continue; }
            if (next == u'\\') { out += u'\\'; ++i; continue; }
        }
        out += c;
    }
    return out;
}

// Reads "<id>\t<text>" lines; malformed lines are skipped.
StringTable parseTable(const QByteArray& bytes)
{
    StringTable table;
    const QString all = QString::fromUtf8(bytes);
    for (QStringView line : QStringView(all).split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        qsizetype tab = line.indexOf(u'\t');
        if (tab <= 0) continue;
        bool ok = false;
        int id = line.left(tab).trimmed().toInt(&ok);
        if (!ok) continue;
        table[id] = unescape(line.mid(tab + 1));
    }
    return table;
}

const StringTable& fileTable(ResourceFile& file, int language)
{
    if (!file.tablesRead[language]) {
        file.tablesRead[language] = true;
        QFile f(file.root + QStringLiteral("/strings/%1.txt").arg(language));
        if (f.open(QIODevice::ReadOnly)) file.tables[language] = parseTable(f.readAll());
    }
    return file.tables[language];
}

// The language of the texts: forced by ZqSetLanguage, else the default locale,
// which is the system's (LANG) unless the program set another with
// QLocale::setDefault before it showed a dialog.
int currentLanguage()
{
    const int forced = store().forcedLanguage;
    if (forced) return forced;
    return QLocale().language() == QLocale::Japanese ? kJapanese : kEnglish;
}

std::vector<int> languages()
{
    if (currentLanguage() == kJapanese) return {kJapanese, kEnglish};
    return {kEnglish};
}

void removeLayoutTranslator(Store& s)
{
    if (!s.layoutTranslator) return;
    if (QCoreApplication::instance()) QCoreApplication::removeTranslator(s.layoutTranslator.get());
    s.layoutTranslator.reset();
    s.layoutTranslatorFile = 0;
    s.layoutTranslatorLanguage = 0;
}

// Loads the layouts' translation of `language` from the first registered
// file that has one; null when none has.
std::unique_ptr<QTranslator> loadLayoutTranslator(Store& s, int language, long& fromFile)
{
    for (const auto& file : s.files) {
        const QString path = layoutTranslationPath(file.root, language);
        if (path.isEmpty() || !QFile::exists(path)) continue;
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(path)) {
            qCWarning(lcZqDlg) << "the layout translation" << path << "could not be read";
            continue;
        }
        fromFile = file.handle;
        return translator;
    }
    return nullptr;
}

bool lookup(int id, QString& text)
{
    Store& s = store();
    std::lock_guard<std::recursive_mutex> lock(s.mutex);
    const std::vector<int> langs = languages();
    for (auto& file : s.files) {
        for (int language : langs) {
            const StringTable& table = fileTable(file, language);
            auto it = table.find(id);
            if (it != table.end()) { text = it->second; return true; }
        }
    }
    for (int language : langs) {
        auto table = s.builtin.find(language);
        if (table == s.builtin.end()) continue;
        auto it = table->second.find(id);
        if (it != table->second.end()) { text = it->second; return true; }
    }
    return false;
}

}  // namespace

long ZqLoadResourceFile(const char* path)
{
    if (!path || !*path) return 0;
    const QString filePath = QString::fromLocal8Bit(path);
    if (!QFile::exists(filePath)) return 0;
    {
        // Refused unless it is whole: an empty, cut or random file is not read.
        QFile file(filePath);
        if (!file.open(QIODevice::ReadOnly) || !rccIsWhole(file.readAll())) return 0;
    }
    Store& s = store();
    std::lock_guard<std::recursive_mutex> lock(s.mutex);
    long handle = s.nextHandle++;
    const QString mapRoot = QStringLiteral("/zq/%1").arg(handle);
    if (!QResource::registerResource(filePath, mapRoot)) return 0;
    ResourceFile file;
    file.handle = handle;
    file.path = filePath;
    file.root = QLatin1Char(':') + mapRoot;
    s.files.push_back(std::move(file));
    return handle;
}

void ZqFreeResourceFile(long handle)
{
    if (!handle) return;
    Store& s = store();
    std::lock_guard<std::recursive_mutex> lock(s.mutex);
    for (auto it = s.files.begin(); it != s.files.end(); ++it) {
        if (it->handle != handle) continue;
        if (s.layoutTranslatorFile == handle) removeLayoutTranslator(s);
        QResource::unregisterResource(it->path, it->root.mid(1));
        s.files.erase(it);
        return;
    }
}

bool ZqLoadString(int id, std::string& text)
{
    QString found;
    if (!lookup(id, found)) return false;
    text = zqFromQString(found);
    return true;
}

std::string GetString(int id)
{
    std::string text;
    ZqLoadString(id, text);
    return text;
}

QString ZqGetQString(int id)
{
    QString text;
    lookup(id, text);
    return text;
}

QByteArray ZqLoadLayout(const char* name)
{
    if (!name || !*name) return {};
    Store& s = store();
    std::lock_guard<std::recursive_mutex> lock(s.mutex);
    for (const auto& file : s.files) {
        QFile f(file.root + QStringLiteral("/layouts/") + QString::fromUtf8(name) +
                QStringLiteral(".ui"));
        if (f.open(QIODevice::ReadOnly)) return f.readAll();
    }
    return {};
}

QPixmap ZqLoadImage(int id)
{
    Store& s = store();
    std::lock_guard<std::recursive_mutex> lock(s.mutex);
    for (const auto& file : s.files) {
        const QString path = file.root + QStringLiteral("/images/%1.png").arg(id);
        if (QFile::exists(path)) return QPixmap(path);
    }
    return {};
}

void ZqAddBuiltinStrings(const ZqBuiltinString* table, int count)
{
    if (!table || count <= 0) return;
    Store& s = store();
    std::lock_guard<std::recursive_mutex> lock(s.mutex);
    for (int i = 0; i < count; ++i) {
        if (!table[i].text) continue;
        s.builtin[table[i].language][table[i].id] = QString::fromUtf8(table[i].text);
    }
}

void ZqSetLanguage(int language)
{
    Store& s = store();
    std::lock_guard<std::recursive_mutex> lock(s.mutex);
    s.forcedLanguage = language;
}

int ZqLanguage()
{
    Store& s = store();
    std::lock_guard<std::recursive_mutex> lock(s.mutex);
    return currentLanguage();
}

void ZqUpdateLayoutTranslator()
{
    if (!QCoreApplication::instance()) return;
    Store& s = store();
    std::lock_guard<std::recursive_mutex> lock(s.mutex);
    const int language = currentLanguage();
    if (s.layoutTranslator && s.layoutTranslatorLanguage == language) return;
    removeLayoutTranslator(s);
    long fromFile = 0;
    s.layoutTranslator = loadLayoutTranslator(s, language, fromFile);
    if (!s.layoutTranslator) return;
    QCoreApplication::installTranslator(s.layoutTranslator.get());
    s.layoutTranslatorFile = fromFile;
    s.layoutTranslatorLanguage = language;
}
