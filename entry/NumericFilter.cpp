#include "NumericFilter.h"

#include <QLineEdit>

NumericFilter* NumericFilter::install(QLineEdit* edit, NumericKind kind, bool beepOnSecondPoint)
{
    return new NumericFilter(edit, kind, beepOnSecondPoint);
}

NumericFilter::NumericFilter(QLineEdit* edit, NumericKind kind, bool beepOnSecondPoint)
    : QObject(edit), m_edit(edit), m_kind(kind), m_beepOnSecondPoint(beepOnSecondPoint)
{
    edit->installEventFilter(this);
}

bool NumericFilter::eventFilter(QObject* watched, QEvent* event)
{
    return QObject::eventFilter(watched, event);
}
