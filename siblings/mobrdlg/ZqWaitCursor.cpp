#include "mobrdlg/ZqWaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

CZqWaitCursor::CZqWaitCursor()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

CZqWaitCursor::~CZqWaitCursor()
{
    QGuiApplication::restoreOverrideCursor();
}

void CZqWaitCursor::Restore()
{
    QGuiApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
}
