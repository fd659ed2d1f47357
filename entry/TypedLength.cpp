#include "TypedLength.h"

#include <QLineEdit>

#include <algorithm>

void limitTyping(QLineEdit* edit, int typedLength)
{
    edit->setMaxLength(typedLength);
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, typedLength](const QString& text) {
        if (edit->maxLength() <= typedLength || text.size() > typedLength)
            return;
        const int cursor = edit->cursorPosition();
        edit->setMaxLength(typedLength);
        edit->setCursorPosition(cursor);
    });
}

void showWhole(QLineEdit* edit, const QString& text)
{
    // A line edit cuts whatever it is given to its maximum length.
    edit->setMaxLength(std::max(edit->maxLength(), int(text.size())));
    edit->setText(text);
}
