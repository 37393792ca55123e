#pragma once

#include <functional>

#include <QString>
#include <QUiLoader>

#include "mobr/export.h"

// Creates a widget of a class named in a layout (a control of the controls
// library: spin edit, owner-drawn list, preview).
using ZqWidgetFactory = std::function<QWidget*(QWidget* parent)>;

// Registers `factory` for the class name `className` as it appears in .ui
// files; later registrations of the same name replace earlier ones.
MOBR_API void ZqRegisterWidgetClass(const QString& className, ZqWidgetFactory factory);

// Builds a layout into an existing widget: the layout's top-level widget is
// not created but replaced by `root` (so the controls become children of the
// dialog or page itself), and classes registered with ZqRegisterWidgetClass
// are created by their factories.
class MOBR_API CZqUiLoader : public QUiLoader {
    Q_OBJECT
public:
    explicit CZqUiLoader(QWidget* root);

    // Loads layout `name` from the resource files into the root widget;
    // false when the layout is missing or cannot be read.
    bool loadInto(const char* name);

    QWidget* createWidget(const QString& className, QWidget* parent,
                          const QString& name) override;

private:
    QWidget* root_;
    bool rootUsed_ = false;
};
