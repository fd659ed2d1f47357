#pragma once

#include "NumericKind.h"

#include <QString>
#include <QValidator>

class QLineEdit;

// Refuses whole any change that brings into the edit a character its kind cannot hold, or a
// second point, whatever the route (paste, drop, input method). It judges a change against the
// text the edit held before it, so a field given odd text by the program stays editable:
// removing characters is always allowed. Text set by the program is never refused. A regional
// decimal comma brought in goes in as a point, as when typed.
class NumericValidator : public QValidator
{
    Q_OBJECT

public:
    NumericValidator(QLineEdit* edit, NumericKind kind);

    State validate(QString& input, int& pos) const override;

private:
    QLineEdit* m_edit;
    NumericKind m_kind;
    // By the time the edit asks, its own text is already the changed one; this is the text
    // as it was before the change.
    QString m_before;
};
