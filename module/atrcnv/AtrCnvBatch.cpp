#include "atrcnv/AtrCnvBatch.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "atrcnv/CAtrCnvFile.h"
#include "atrcnv/CAtrCnvTargets.h"
#include "frame/ModuleLog.h"
#include "mobr/entrypoints.h"
#include "mobr/export.h"
#include "mobrdlg/ZqMessageBox.h"
#include "platform/CodePage.h"

namespace atrcnv {

namespace {

constexpr int kMsgReferenceNotLoaded = 7287;
constexpr int kMsgDefinitionRefused = 7286;

// Collects what the sheet would show, as text: no dialog in a batch run.
class TextListener : public Listener {
public:
    explicit TextListener(std::vector<BatchMessage>& messages) : messages_(messages) {}
    int message(int messageId, unsigned flags) override
    {
        add(messageId);
        return ZqMessageBoxDefaultAnswer(flags);
    }
    void warning(int messageId) override { add(messageId); }
    void note(const std::string& text) override { messages_.push_back({0, text}); }
    void add(int messageId) { messages_.push_back({messageId, ZqFormatMessage(messageId, nullptr)}); }

private:
    std::vector<BatchMessage>& messages_;
};

QString text(const std::string& hostText) { return QString::fromStdString(mobr::cp932::toUtf8(hostText)); }

const char* kindName(Kind kind)
{
    switch (kind) {
    case Kind::Pen: return "pen";
    case Kind::Width: return "width";
    case Kind::Colour: break;
    }
    return "colour";
}

QJsonObject applyJson(const ApplyReport& report)
{
    QJsonArray skipped;
    for (const SkippedEntry& s : report.skipped)
        skipped.append(QJsonObject{{"kind", kindName(s.kind)},
                                   {"entry", s.entry},
                                   {"source", text(s.source)},
                                   {"target", text(s.target)},
                                   {"reason", describe(s.reason)}});
    return QJsonObject{{"read", report.read}, {"applied", report.applied}, {"skipped", skipped}};
}

bool everyChangeConverted(const CommitReport& c)
{
    return (!c.coloursChanged || c.coloursConverted) && (!c.widthsChanged || c.widthsConverted) &&
           (!c.pensChanged || c.pensConverted);
}

}  // namespace

BatchReport runBatchConversion(const std::string& referencePath, const std::string& definitionPath,
                               const CommitOptions& options)
{
    BatchReport report;
    TextListener listener(report.messages);
    if (!CAtrCnvFile(definitionPath).checkVersion()) {
        listener.add(kMsgDefinitionRefused);
        report.status = kBatchDefinitionRefused;
        return report;
    }
    CAtrCnvTargets targets(listener);
    if (targets.prepare() < 0) {
        report.status = kBatchNoCurrentTables;
        return report;
    }
    if (targets.loadReference(referencePath) != CAtrCnvTargets::kLoaded) {
        listener.add(kMsgReferenceNotLoaded);
        report.status = kBatchReferenceFailed;
        return report;
    }
    report.widths = targets.applyWidthEntries(definitionPath);
    report.colours = targets.applyColourEntries(definitionPath);
    report.pens = targets.applyPenEntries(definitionPath);
    report.commit = commitConversion(targets, options);
    report.status = !report.commit.missingTables && everyChangeConverted(report.commit) ? kBatchConverted : kBatchFailed;
    return report;
}

std::string batchReportJson(const BatchReport& report)
{
    QJsonArray messages;
    for (const BatchMessage& m : report.messages) messages.append(QJsonObject{{"id", m.id}, {"text", text(m.text)}});
    const CommitReport& c = report.commit;
    const QJsonObject changed{{"colours", c.coloursChanged}, {"widths", c.widthsChanged}, {"pens", c.pensChanged},
                              {"merged", c.merged}, {"marked", c.figureMarked}};
    const QJsonObject json{{"status", report.status}, {"widths", applyJson(report.widths)},
                           {"colours", applyJson(report.colours)}, {"pens", applyJson(report.pens)},
                           {"changed", changed}, {"messages", messages}};
    return QJsonDocument(json).toJson(QJsonDocument::Compact).toStdString();
}

}  // namespace atrcnv

extern "C" MOBR_API int aapLAtrCnvBatch(const char* referencePath, const char* definitionPath, AtrCnvReportFn report,
                                        void* context)
{
    try {
        if (!referencePath || !definitionPath) return atrcnv::kBatchFailed;
        const atrcnv::BatchReport result = atrcnv::runBatchConversion(referencePath, definitionPath);
        if (report) report(context, atrcnv::batchReportJson(result).c_str());
        return result.status;
    } catch (...) {
        logCaughtException("aapLAtrCnvBatch");
        return atrcnv::kBatchFailed;
    }
}
