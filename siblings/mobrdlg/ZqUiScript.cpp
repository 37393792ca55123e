#include "mobrdlg/ZqUiScript.h"

#include <QKeySequence>

namespace {

const char* kindName(ZqUiAction::Kind kind)
{
    using K = ZqUiAction::Kind;
    switch (kind) {
    case K::Type: return "type";
    case K::Click: return "click";
    case K::Check: return "check";
    case K::Select: return "select";
    case K::SelectText: return "select";
    case K::DblClk: return "dblclk";
    case K::Key: return "key";
    case K::Focus: return "focus";
    case K::Page: return "page";
    case K::Read: return "read";
    case K::Ok: return "ok";
    case K::Cancel: return "cancel";
    case K::Answer: return "answer";
    case K::PickFile: return "file";
    case K::CancelFile: return "file";
    case K::PickMenu: return "menu";
    case K::Screenshot: return "screenshot";
    case K::Inspect: return "inspect";
    }
    return "?";
}

ZqUiAction make(ZqUiAction::Kind kind, int id = 0)
{
    ZqUiAction action;
    action.kind = kind;
    action.id = id;
    return action;
}

}  // namespace

QJsonObject ZqUiAction::toJson() const
{
    using K = Kind;
    QJsonValue value;
    switch (kind) {
    case K::Type:
    case K::SelectText: value = QJsonArray{id, QString::fromStdString(text)}; break;
    case K::Check:
    case K::Select:
    case K::DblClk: value = QJsonArray{id, number}; break;
    case K::Key:
        value = QJsonArray{id, QKeySequence(QKeyCombination(modifiers, Qt::Key(key))).toString()};
        break;
    case K::Click:
    case K::Focus: value = id; break;
    case K::Read:
        value = text.empty() ? QJsonValue(id) : QJsonValue(QJsonArray{id, QString::fromStdString(text)});
        break;
    case K::Answer: value = number; break;
    case K::PickFile:
        value = filter.empty() ? QJsonValue(QString::fromStdString(text))
                               : QJsonValue(QJsonArray{QString::fromStdString(text), QString::fromStdString(filter)});
        break;
    case K::Screenshot: value = QString::fromStdString(text); break;
    case K::Page:
    case K::PickMenu:
        value = text.empty() ? QJsonValue(number) : QJsonValue(QString::fromStdString(text));
        break;
    case K::CancelFile: value = QJsonValue::Null; break;
    case K::Ok:
    case K::Cancel:
    case K::Inspect: value = true; break;
    }
    QJsonObject object{{QString::fromLatin1(kindName(kind)), value}};
    if (!dialog.empty()) object.insert(QStringLiteral("dialog"), QString::fromStdString(dialog));
    return object;
}

ZqUiScript& ZqUiScript::add(ZqUiAction action)
{
    actions_.push_back(std::move(action));
    return *this;
}

ZqUiScript& ZqUiScript::type(int id, const std::string& text)
{
    ZqUiAction a = make(ZqUiAction::Kind::Type, id);
    a.text = text;
    return add(std::move(a));
}

ZqUiScript& ZqUiScript::click(int id) { return add(make(ZqUiAction::Kind::Click, id)); }

ZqUiScript& ZqUiScript::check(int id, bool checked)
{
    ZqUiAction a = make(ZqUiAction::Kind::Check, id);
    a.number = checked ? 1 : 0;
    return add(std::move(a));
}

ZqUiScript& ZqUiScript::select(int id, int index)
{
    ZqUiAction a = make(ZqUiAction::Kind::Select, id);
    a.number = index;
    return add(std::move(a));
}

ZqUiScript& ZqUiScript::select(int id, const std::string& text)
{
    ZqUiAction a = make(ZqUiAction::Kind::SelectText, id);
    a.text = text;
    return add(std::move(a));
}

ZqUiScript& ZqUiScript::dblclk(int id, int index)
{
    ZqUiAction a = make(ZqUiAction::Kind::DblClk, id);
    a.number = index;
    return add(std::move(a));
}

ZqUiScript& ZqUiScript::key(int id, int key, Qt::KeyboardModifiers modifiers)
{
    ZqUiAction a = make(ZqUiAction::Kind::Key, id);
    // A keyboard delivers Shift+Tab as Backtab.
    if (key == Qt::Key_Tab && (modifiers & Qt::ShiftModifier)) key = Qt::Key_Backtab;
    if (key == Qt::Key_Backtab) modifiers |= Qt::ShiftModifier;
    a.key = key;
    a.modifiers = modifiers;
    return add(std::move(a));
}

ZqUiScript& ZqUiScript::key(int id, const std::string& keyName)
{
    int k = 0;
    Qt::KeyboardModifiers m;
    if (!ZqParseKeyName(QString::fromStdString(keyName), k, m)) k = 0;  // reported when run
    return key(id, k, m);
}

ZqUiScript& ZqUiScript::focus(int id) { return add(make(ZqUiAction::Kind::Focus, id)); }

ZqUiScript& ZqUiScript::page(int index)
{
    ZqUiAction a = make(ZqUiAction::Kind::Page);
    a.number = index;
    return add(std::move(a));
}

ZqUiScript& ZqUiScript::page(const std::string& layoutName)
{
    ZqUiAction a = make(ZqUiAction::Kind::Page);
    a.text = layoutName;
    return add(std::move(a));
}

ZqUiScript& ZqUiScript::read(int id, const std::string& label)
{
    ZqUiAction a = make(ZqUiAction::Kind::Read, id);
    a.text = label;
    return add(std::move(a));
}
ZqUiScript& ZqUiScript::ok() { return add(make(ZqUiAction::Kind::Ok)); }
ZqUiScript& ZqUiScript::cancel() { return add(make(ZqUiAction::Kind::Cancel)); }

ZqUiScript& ZqUiScript::answer(int result)
{
    ZqUiAction a = make(ZqUiAction::Kind::Answer);
    a.number = result;
    return add(std::move(a));
}

ZqUiScript& ZqUiScript::pickFile(const std::string& path, const std::string& filter)
{
    ZqUiAction a = make(ZqUiAction::Kind::PickFile);
    a.text = path;
    a.filter = filter;
    return add(std::move(a));
}

ZqUiScript& ZqUiScript::cancelFile() { return add(make(ZqUiAction::Kind::CancelFile)); }

ZqUiScript& ZqUiScript::pickMenu(int id)
{
    ZqUiAction a = make(ZqUiAction::Kind::PickMenu);
    a.number = id;
    return add(std::move(a));
}

ZqUiScript& ZqUiScript::pickMenu(const std::string& text)
{
    ZqUiAction a = make(ZqUiAction::Kind::PickMenu);
    a.text = text;
    return add(std::move(a));
}

ZqUiScript& ZqUiScript::screenshot(const std::string& path)
{
    ZqUiAction a = make(ZqUiAction::Kind::Screenshot);
    a.text = path;
    return add(std::move(a));
}

ZqUiScript& ZqUiScript::inspect(std::function<void(CZqWindow&)> look)
{
    ZqUiAction a = make(ZqUiAction::Kind::Inspect);
    a.inspect = std::move(look);
    return add(std::move(a));
}

ZqUiScript& ZqUiScript::in(const std::string& dialog)
{
    if (!actions_.empty()) actions_.back().dialog = dialog;
    return *this;
}

bool ZqParseKeyName(const QString& name, int& key, Qt::KeyboardModifiers& modifiers)
{
    QString n = name.trimmed();
    if (n.compare(QStringLiteral("Enter"), Qt::CaseInsensitive) == 0) n = QStringLiteral("Return");
    if (n.compare(QStringLiteral("Backtab"), Qt::CaseInsensitive) == 0) n = QStringLiteral("Shift+Tab");
    n.replace(QStringLiteral("PageDown"), QStringLiteral("PgDown"), Qt::CaseInsensitive);
    n.replace(QStringLiteral("PageUp"), QStringLiteral("PgUp"), Qt::CaseInsensitive);
    QKeySequence sequence = QKeySequence::fromString(n, QKeySequence::PortableText);
    if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown) return false;
    key = sequence[0].key();
    modifiers = sequence[0].keyboardModifiers();
    if (key == Qt::Key_Tab && (modifiers & Qt::ShiftModifier)) key = Qt::Key_Backtab;
    return true;
}

ZqUiScript ZqUiScript::fromJson(const QJsonArray& array, QString* error)
{
    ZqUiScript script;
    auto fail = [&](int index, const QString& why) {
        if (error) *error = QStringLiteral("action %1: %2").arg(index).arg(why);
        return script;
    };
    for (int i = 0; i < array.size(); ++i) {
        QJsonObject object;
        if (array[i].isString()) object.insert(array[i].toString(), true);
        else if (array[i].isObject()) object = array[i].toObject();
        else return fail(i, QStringLiteral("not an object"));
        const QString dialog = object.take(QStringLiteral("dialog")).toString();
        if (object.size() != 1) return fail(i, QStringLiteral("expected exactly one action"));
        const QString verb = object.begin().key();
        const QJsonValue v = object.begin().value();
        const QJsonArray pair = v.toArray();
        const bool isPair = v.isArray() && pair.size() == 2 && pair[0].isDouble();
        const int pairId = isPair ? pair[0].toInt() : 0;
        const size_t before = script.actions_.size();
        if (verb == u"type" && isPair && pair[1].isString()) {
            script.type(pairId, pair[1].toString().toStdString());
        } else if (verb == u"click" && v.isDouble()) {
            script.click(v.toInt());
        } else if (verb == u"check" && isPair) {
            script.check(pairId, pair[1].isBool() ? pair[1].toBool() : pair[1].toInt() != 0);
        } else if (verb == u"select" && isPair && pair[1].isDouble()) {
            script.select(pairId, pair[1].toInt());
        } else if (verb == u"select" && isPair && pair[1].isString()) {
            script.select(pairId, pair[1].toString().toStdString());
        } else if (verb == u"dblclk" && isPair && pair[1].isDouble()) {
            script.dblclk(pairId, pair[1].toInt());
        } else if (verb == u"key" && isPair && pair[1].isString()) {
            int k = 0;
            Qt::KeyboardModifiers m;
            if (!ZqParseKeyName(pair[1].toString(), k, m))
                return fail(i, QStringLiteral("unknown key %1").arg(pair[1].toString()));
            script.key(pairId, k, m);
        } else if (verb == u"focus" && v.isDouble()) {
            script.focus(v.toInt());
        } else if (verb == u"page" && v.isDouble()) {
            script.page(v.toInt());
        } else if (verb == u"page" && v.isString()) {
            script.page(v.toString().toStdString());
        } else if (verb == u"read" && v.isDouble()) {
            script.read(v.toInt());
        } else if (verb == u"read" && isPair && pair[1].isString()) {
            script.read(pairId, pair[1].toString().toStdString());
        } else if (verb == u"ok") {
            script.ok();
        } else if (verb == u"cancel") {
            script.cancel();
        } else if (verb == u"answer" && v.isDouble()) {
            script.answer(v.toInt());
        } else if (verb == u"file" && v.isString()) {
            script.pickFile(v.toString().toStdString());
        } else if (verb == u"file" && pair.size() == 2 && pair[0].isString() && pair[1].isString()) {
            script.pickFile(pair[0].toString().toStdString(), pair[1].toString().toStdString());
        } else if (verb == u"file" && v.isNull()) {
            script.cancelFile();
        } else if (verb == u"menu" && v.isDouble()) {
            script.pickMenu(v.toInt());
        } else if (verb == u"menu" && v.isString()) {
            script.pickMenu(v.toString().toStdString());
        } else if (verb == u"screenshot" && v.isString()) {
            script.screenshot(v.toString().toStdString());
        } else {
            return fail(i, QStringLiteral("unknown or malformed action \"%1\"").arg(verb));
        }
        if (script.actions_.size() > before && !dialog.isEmpty())
            script.actions_.back().dialog = dialog.toStdString();
    }
    if (error) error->clear();
    return script;
}
