#include "DataLinkRun.h"

#include "mobrdlg/ZqFieldLink.h"
#include "platform/CodePage.h"

namespace {

// Hands one value in; an empty text when it was taken, else why not.
QString handIn(CZqDataLink& dialog, const ZqField& field, const QJsonValue& value)
{
    if (field.kind == ZqFieldKind::Text) {
        if (!value.isString()) return "is a text item";
        const std::string text = mobr::cp932::fromQString(value.toString());
        return dialog.SetPageString(field.item, text.c_str()) ? QString() : "was refused";
    }
    if (!value.isDouble()) return "is not a number";
    const bool taken = field.kind == ZqFieldKind::Real ? dialog.SetPageDouble(field.item, value.toDouble())
                                                       : dialog.SetPageInt(field.item, value.toInt());
    return taken ? QString() : "was refused";
}

QJsonValue readItem(CZqDataLink& dialog, const ZqField& field)
{
    if (field.kind == ZqFieldKind::Real) {
        double value = 0.0;
        return dialog.GetPageDouble(field.item, &value) ? QJsonValue(value) : QJsonValue();
    }
    if (field.kind == ZqFieldKind::Text) {
        char text[1024] = {};
        if (!dialog.GetPageString(field.item, text, sizeof text)) return QJsonValue();
        return QJsonValue(mobr::cp932::toQString(text));
    }
    int value = 0;
    return dialog.GetPageInt(field.item, &value) ? QJsonValue(value) : QJsonValue();
}

}  // namespace

DataLinkRun::Result DataLinkRun::drive(CZqDataLink& dialog, const QJsonObject& set)
{
    Result run;
    auto* fields = dynamic_cast<CZqFieldLink*>(&dialog);
    for (auto it = set.begin(); it != set.end(); ++it) {
        bool number = false;
        const int item = it.key().toInt(&number);
        const ZqField* field = fields && number ? fields->fieldSet().byItem(item) : nullptr;
        const QString why = field ? handIn(dialog, *field, it.value()) : QString("is not an item of the dialog");
        if (!why.isEmpty()) run.errors << "item " + it.key() + " " + why;
    }
    run.runResult = dialog.RunDialog(&run.modalResult);
    if (!fields) return run;
    for (const ZqField& field : fields->fieldSet().fields()) {
        if (field.item != 0) run.readBack[QString::number(field.item)] = readItem(dialog, field);
    }
    return run;
}
