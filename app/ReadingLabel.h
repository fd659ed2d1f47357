#pragma once

#include <QLabel>

// How assistive technology reads a label whose plain text would say too little or too much.
enum class LabelReading
{
    Result,     // named by its frame's caption (or its own accessible name), its text the value
    Decoration, // not read at all: a word that only joins the controls beside it on screen
};

// A label read its own way. A class of its own, because Qt asks the accessibility factories by
// class name and answers a plain QLabel itself.
class ReadingLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ReadingLabel(LabelReading reading, QWidget* parent = nullptr);

    LabelReading reading() const { return m_reading; }

private:
    LabelReading m_reading;
};
