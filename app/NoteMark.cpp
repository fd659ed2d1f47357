#include "NoteMark.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolTip>

NoteMark::NoteMark(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    // Hidden, it takes no focus; shown, the Tab key reaches it after the page's controls.
    setFocusPolicy(Qt::TabFocus);
    QSizePolicy keepsRoom = sizePolicy();
    keepsRoom.setRetainSizeWhenHidden(true);
    setSizePolicy(keepsRoom);
    hide();
}

void NoteMark::setNote(const QIcon& icon, const QString& name, const QString& note)
{
    if (!note.isEmpty() && pixmap().isNull())
        setPixmap(icon.pixmap(size()));
    setToolTip(note);
    setAccessibleName(note.isEmpty() ? QString() : name);
    setAccessibleDescription(note);
    setVisible(!note.isEmpty());
}

void NoteMark::showNote()
{
    QToolTip::showText(mapToGlobal(rect().bottomLeft()), toolTip(), this);
}

void NoteMark::focusInEvent(QFocusEvent* event)
{
    QLabel::focusInEvent(event);
    update();
    showNote();
}

void NoteMark::focusOutEvent(QFocusEvent* event)
{
    QLabel::focusOutEvent(event);
    update();
    QToolTip::hideText();
}

void NoteMark::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        showNote();
        return;
    }
    QLabel::keyPressEvent(event);
}

void NoteMark::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // A label draws no focus of its own: the style's focus frame says where the keyboard is.
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}
