#pragma once

#include <QLineEdit>

// Leaves the caret and the undo history alone when the text does not change.
inline void setTextIfChanged(QLineEdit* edit, const QString& text)
{
    if (edit->text() != text)
        edit->setText(text);
}
