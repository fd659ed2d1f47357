#pragma once

class QLineEdit;
class QString;

// Typing into the edit stops at typedLength characters, but a longer text that the program puts
// in (a value from the settings file, a tidied number) is shown and kept whole: the limit rises to
// fit it, and comes back once the user has shortened the text that far.
void limitTyping(QLineEdit* edit, int typedLength);

// Puts the text into the edit whole, whatever its limit.
void showWhole(QLineEdit* edit, const QString& text);
