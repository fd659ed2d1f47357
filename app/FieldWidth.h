#pragma once

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

// Wide enough for the longest text the field can hold, whatever the font.
inline int fieldWidth(const QLineEdit* edit, int characters)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    const int textWidth = edit->fontMetrics().horizontalAdvance(QString(characters + 1, u'0'));
    return edit->style()
        ->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(textWidth, 0), edit)
        .width();
}
