#include "SettingsModule.h"

#include <cstdio>

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "AppLog.h"
#include "model/HostSession.h"
#include "store/OptionFile.h"

#include "mobrdlg/ZqUiDriver.h"

namespace {

constexpr const char* kDrawingSize = "IDD_S_001";
constexpr int kItemPaper = 30001;
constexpr int kItemWidth = 20102;
constexpr int kItemHeight = 20103;

using IntEntry = int32_t (*)();
using VoidEntry = void (*)();

// The entry points whose dialogs edit the user options.
bool editsOptions(const std::string& entry)
{
    return entry == "aapLopt";
}

// The option file the host's settings would give now (empty when it cannot
// be written).
QByteArray optionFileBytes(const QTemporaryDir& scratch)
{
    const QString path = scratch.filePath("options.ini");
    std::string error;
    if (!mobrhost::OptionFile::save(mobrhost::HostSession::instance().settings(), path.toStdString(), &error))
        return {};
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The user options live in the current template's option file: when a
// dialog changed them, they are saved there, so that they survive a restart.
// Unchanged options leave the file alone.
void keepOptions(const QTemporaryDir& scratch, const QByteArray& before)
{
    if (before.isEmpty() || optionFileBytes(scratch) == before) return;
    mobrhost::HostSession& host = mobrhost::HostSession::instance();
    const std::string path = host.currentTemplatePath();
    std::string error;
    if (path.empty()) {
        qCWarning(lcApp) << "the options changed, but the current template has no option file to keep them in";
    } else if (!mobrhost::OptionFile::save(host.settings(), path, &error)) {
        host.message(error);
    }
}

}  // namespace

const std::vector<SettingsModule::Command>& SettingsModule::commands()
{
    static const std::vector<Command> list = {
        {"aapLatr", QT_TRANSLATE_NOOP("MainWindow", "System &attributes...")},
        {"aapLelm", QT_TRANSLATE_NOOP("MainWindow", "&Element settings...")},
        {"aapLopt", QT_TRANSLATE_NOOP("MainWindow", "&Options...")},
        {"aapLSelUserOpt", QT_TRANSLATE_NOOP("MainWindow", "User &template...")},
        {"aapLAtrCnv", QT_TRANSLATE_NOOP("MainWindow", "Attribute &conversion...")},
        {kDrawingSize, QT_TRANSLATE_NOOP("MainWindow", "&Drawing size...")},
    };
    return list;
}

std::string SettingsModule::defaultPath()
{
    return (QCoreApplication::applicationDirPath() + "/libmobrtmpl.so").toStdString();
}

bool SettingsModule::load(const std::string& path)
{
    attachMessages_.clear();
    const QString platform = QGuiApplication::platformName();
    const bool headless = !qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ||
                          platform == "offscreen" || platform == "minimal";
    bool loaded = false;
    if (headless && !CZqUiDriver::current()) {
        // An empty script: every message box gets its default answer.
        CZqUiDriver driver;
        loaded = library_.load(path);
        for (const auto& m : driver.transcript().messages()) {
            attachMessages_.push_back({m.messageId, m.text, m.argument, m.flags, m.answer});
            std::fprintf(stderr, "mobr: message %d while the settings module attached, answered %d without a person: %s\n",
                         m.messageId, m.answer, m.text.c_str());
        }
    } else {
        loaded = library_.load(path);
    }
    if (!loaded) {
        error_ = library_.error().empty() ? "the module refused to load" : library_.error();
        return false;
    }
    error_.clear();
    return true;
}

void* SettingsModule::symbol(const std::string& name) const
{
    return library_.isLoaded() ? library_.symbol<void*>(name.c_str()) : nullptr;
}

bool SettingsModule::has(const std::string& entry) const
{
    if (entry == kDrawingSize) return symbol("IDD_S_001Init") && symbol("IDD_S_001Term");
    if (entry == "aapLSelWorkUserOpt") return symbol(entry) != nullptr;
    for (const Command& c : commands())
        if (entry == c.entry) return symbol(entry) != nullptr;
    return false;
}

std::vector<SettingsModule::Command> SettingsModule::available() const
{
    std::vector<Command> result;
    for (const Command& c : commands())
        if (has(c.entry)) result.push_back(c);
    return result;
}

bool SettingsModule::call(const std::string& entry, int* result)
{
    if (entry == kDrawingSize || !has(entry)) return false;
    int value = 0;
    QTemporaryDir scratch;
    const QByteArray options = editsOptions(entry) && scratch.isValid() ? optionFileBytes(scratch) : QByteArray();
    if (entry == "aapLAtrCnv") library_.symbol<VoidEntry>(entry.c_str())();
    else value = library_.symbol<IntEntry>(entry.c_str())();
    if (editsOptions(entry)) keepOptions(scratch, options);
    if (result) *result = value;
    return true;
}

int SettingsModule::convertAttributes(const std::string& reference, const std::string& definition,
                                      std::string* report)
{
    const auto entry = reinterpret_cast<aapLAtrCnvBatchFn>(symbol("aapLAtrCnvBatch"));
    if (!entry) return -1;
    const AtrCnvReportFn keep = [](void* context, const char* json) {
        if (context) *static_cast<std::string*>(context) = json;
    };
    return entry(reference.c_str(), definition.c_str(), keep, report);
}

bool SettingsModule::withDrawingSize(const std::function<void(CZqDataLink&)>& use)
{
    if (!has(kDrawingSize)) return false;
    auto init = library_.symbol<IDD_S_001InitFn>("IDD_S_001Init");
    auto term = library_.symbol<IDD_S_001TermFn>("IDD_S_001Term");
    CZqDataLink* dialog = init();
    if (!dialog) return false;
    use(*dialog);
    term(dialog);
    return true;
}

SettingsModule::DrawingSizeRun SettingsModule::runDrawingSize(const DrawingSize& in)
{
    DrawingSizeRun run;
    run.readBack = in;
    run.created = withDrawingSize([&](CZqDataLink& dialog) {
        dialog.SetPageInt(kItemPaper, in.paperIndex);
        dialog.SetPageDouble(kItemWidth, in.width);
        dialog.SetPageDouble(kItemHeight, in.height);
        run.runResult = dialog.RunDialog(&run.modalResult);
        dialog.GetPageInt(kItemPaper, &run.readBack.paperIndex);
        dialog.GetPageDouble(kItemWidth, &run.readBack.width);
        dialog.GetPageDouble(kItemHeight, &run.readBack.height);
    });
    return run;
}
