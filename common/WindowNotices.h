#pragma once

#include <QObject>

// What the main window tells the capabilities plugged into it, as it happens. The main window
// emits; a capability connects to what it follows and never to the main window's widgets.
class WindowNotices : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    // A field, an option or a setting that a calculation reads has changed, typed or made by a
    // command; the results' out-of-date state has been brought up to date before.
    void inputsChanged();
    // Results were shown for a calculation that went through.
    void calculationShown();
    // The results were cleared: there is no calculation on show any more.
    void calculationForgotten();
    // The captions have switched language.
    void languageChanged();
    // The fee page has come to the front.
    void feePageShown();
};
