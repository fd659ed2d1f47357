#pragma once

#include <QList>
#include <QString>

class QObject;

// A caption of the main window in both languages, found by the object name of its control.
struct CaptionPair
{
    QString objectName;
    QString french;
    QString english;
};

// The captions the language menu switches. Label4 is not in it: its text follows the profit type.
QList<CaptionPair> mainWindowCaptions();

// Label4's caption for the selected profit type.
QString profitCaption(bool percentage, bool english);

// The caption of a menu, menu item, frame, button or label, and its change.
QString captionOf(const QObject* control);
void setCaption(QObject* control, const QString& caption);
