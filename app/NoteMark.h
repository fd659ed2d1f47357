#pragma once

#include <QLabel>

// A small picture beside a result that holds a note: the note shows as its tooltip under the
// mouse, and when the Tab key reaches it, or Space or Enter is pressed on it, for the keyboard;
// screen readers read the note as its description.
class NoteMark : public QLabel
{
    Q_OBJECT

public:
    explicit NoteMark(QWidget* parent);

    // Shown with the note and the picture, or hidden with no note.
    void setNote(const QIcon& icon, const QString& name, const QString& note);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void showNote();
};
