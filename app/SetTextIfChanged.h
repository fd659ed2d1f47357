#pragma once

#include "TypedLength.h"

#include <QLineEdit>

// Leaves the caret and the undo history alone when the text does not change; a new text goes in
// whole, even beyond what the user may type.
inline void setTextIfChanged(QLineEdit* edit, const QString& text)
{
    if (edit->text() != text)
        showWhole(edit, text);
}
