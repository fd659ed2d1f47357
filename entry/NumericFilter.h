#pragma once

#include <QObject>

class QLineEdit;

enum class NumericKind
{
    Decimal,     // digits and one point
    WholeNumber, // digits only
};

// Keeps a line edit to what its kind can hold, whatever the route in (typing, pasting,
// dropping), and selects the whole text when the edit gets the focus. Owned by the edit.
class NumericFilter : public QObject
{
    Q_OBJECT

public:
    static NumericFilter* install(QLineEdit* edit, NumericKind kind, bool beepOnSecondPoint = false);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    NumericFilter(QLineEdit* edit, NumericKind kind, bool beepOnSecondPoint);

    QLineEdit* m_edit;
    NumericKind m_kind;
    bool m_beepOnSecondPoint;
};
