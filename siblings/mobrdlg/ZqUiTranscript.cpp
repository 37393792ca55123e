#include "mobrdlg/ZqUiTranscript.h"

#include <QJsonArray>

namespace {

QString q(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

}  // namespace

QJsonObject ZqControlState::toJson() const
{
    QJsonArray rows;
    for (const auto& row : items) rows.append(q(row));
    return QJsonObject{{"id", id},           {"class", q(className)}, {"text", q(text)},
                       {"enabled", enabled}, {"visible", visible},    {"checked", checked},
                       {"readOnly", readOnly}, {"focused", focused},  {"items", rows},
                       {"selection", selection}};
}

const ZqControlState* ZqUiTranscript::lastRead(int id) const
{
    for (auto it = reads_.rbegin(); it != reads_.rend(); ++it)
        if (it->state.id == id) return &it->state;
    return nullptr;
}

QJsonObject ZqUiTranscript::toJson() const
{
    QJsonArray events;
    for (const auto& event : events_) events.append(event);
    return QJsonObject{{"events", events}};
}

size_t ZqUiTranscript::openDialog(const std::string& name, int depth)
{
    dialogs_.push_back({name, depth, 0, false});
    dialogEvents_.push_back(events_.size());
    events_.push_back(QJsonObject{{"kind", "dialog"}, {"name", q(name)}, {"depth", depth}});
    return dialogs_.size() - 1;
}

void ZqUiTranscript::closeDialog(size_t index, int result, bool unscripted)
{
    if (index >= dialogs_.size()) return;
    dialogs_[index].result = result;
    dialogs_[index].unscripted = unscripted;
    QJsonObject& event = events_[dialogEvents_[index]];
    event.insert("result", result);
    if (unscripted) event.insert("unscripted", true);
}

void ZqUiTranscript::addMessage(MessageRecord r)
{
    events_.push_back(QJsonObject{{"kind", "message"},
                                  {"id", r.messageId},
                                  {"text", q(r.text)},
                                  {"argument", q(r.argument)},
                                  {"flags", int(r.flags)},
                                  {"answer", r.answer},
                                  {"scripted", r.scripted}});
    messages_.push_back(std::move(r));
}

void ZqUiTranscript::addRead(ReadRecord r)
{
    QJsonObject event = r.state.toJson();
    event.insert("kind", "read");
    event.insert("dialog", q(r.dialog));
    if (!r.label.empty()) event.insert("label", q(r.label));
    events_.push_back(event);
    reads_.push_back(std::move(r));
}

const ZqUiTranscript::ReadRecord* ZqUiTranscript::read(const std::string& label) const
{
    for (auto it = reads_.rbegin(); it != reads_.rend(); ++it)
        if (it->label == label) return &*it;
    return nullptr;
}

void ZqUiTranscript::addError(int action, const std::string& message)
{
    events_.push_back(QJsonObject{{"kind", "error"}, {"action", action}, {"message", q(message)}});
    errors_.push_back({action, message});
}

void ZqUiTranscript::addFile(FileRecord r)
{
    events_.push_back(QJsonObject{{"kind", "file"},
                                  {"open", r.open},
                                  {"filter", q(r.filter)},
                                  {"folder", q(r.folder)},
                                  {"name", q(r.name)},
                                  {"chosen", q(r.chosen)}});
    files_.push_back(std::move(r));
}

void ZqUiTranscript::addMenu(MenuRecord r)
{
    QJsonArray ids;
    for (int id : r.ids) ids.append(id);
    events_.push_back(QJsonObject{{"kind", "menu"}, {"items", ids}, {"chosen", r.chosen}});
    menus_.push_back(std::move(r));
}

void ZqUiTranscript::addShot(ShotRecord r)
{
    events_.push_back(
        QJsonObject{{"kind", "screenshot"}, {"dialog", q(r.dialog)}, {"path", q(r.path)}});
    shots_.push_back(std::move(r));
}

void ZqUiTranscript::addNote(const QJsonObject& note)
{
    QJsonObject event = note;
    event.insert("kind", "note");
    events_.push_back(event);
}
