#include "FigureView.h"

#include <QPainter>

#include "FigureDocument.h"
#include "FigurePainter.h"

FigureView::FigureView(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(214, 218, 224));
    setPalette(p);
}

void FigureView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (mobrhost::Figure* figure = FigureDocument::current()) FigurePainter(*figure, rect()).paint(painter);
}
