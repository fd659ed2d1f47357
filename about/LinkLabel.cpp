#include "LinkLabel.h"

#include <QMouseEvent>
#include <QPalette>

#include <utility>

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, QColor(Qt::blue));
    setPalette(linkPalette);
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignCenter);
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

// Like a button, the click counts only when the button is released over the caption.
void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = std::exchange(m_pressed, false);
    QLabel::mouseReleaseEvent(event);
    if (wasPressed && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()))
        emit clicked();
}
