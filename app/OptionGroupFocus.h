#pragma once

#include <QObject>

class QRadioButton;

// Tabbing into a group of option buttons lands on the selected option, as users of desktop
// forms expect; Qt would land on whichever option comes first in the keyboard order.
class OptionGroupFocus : public QObject
{
    Q_OBJECT

public:
    static void install(QRadioButton* option);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit OptionGroupFocus(QRadioButton* option);
};
