#pragma once

#include "NumericKind.h"

#include <QObject>

class QEvent;
class QKeyEvent;
class QLineEdit;

// Keeps a line edit to what its kind can hold, whatever the route in (typing, pasting,
// dropping), and selects the whole text when the edit gets the focus. Owned by the edit.
//
// Typing: a digit is always taken; in a decimal field a point is taken only when the whole
// text, selection included, has none yet, and so is a comma under a regional decimal comma,
// which goes in as a point; everything else that would insert text is dropped
// without a sound (the beep option sounds the system beep for a refused point). Keys that
// insert nothing (Backspace, Delete, arrows, Ctrl+C/V/X/Z, Tab, Enter) go through untouched.
// The maximum length is the edit's own, set by the window.
class NumericFilter : public QObject
{
    Q_OBJECT

public:
    static NumericFilter* install(QLineEdit* edit, NumericKind kind,
                                  bool beepOnSecondPoint = false);

    NumericKind kind() const { return m_kind; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    NumericFilter(QLineEdit* edit, NumericKind kind, bool beepOnSecondPoint);

    bool refusesTyping(const QKeyEvent& key) const;
    void focusReceived(Qt::FocusReason reason);
    void mouseReleased(Qt::MouseButton button);

    QLineEdit* m_edit;
    NumericKind m_kind;
    bool m_beepOnSecondPoint;
    bool m_selectAllOnRelease = false;
};
