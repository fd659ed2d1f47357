#include "FeeRow.h"

#include "SetTextIfChanged.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

BracketTexts FeeRow::texts() const
{
    return {lower->text(), upper->text(), fee->text(), percentage->isChecked()};
}

void FeeRow::setTexts(const BracketTexts& texts) const
{
    setTextIfChanged(lower, texts.lower);
    setTextIfChanged(upper, texts.upper);
    setTextIfChanged(fee, texts.fee);
    (texts.percentage ? percentage : value)->setChecked(true);
}

QList<QWidget*> FeeRow::keyboardOrder() const
{
    return {lower, upper, fee, percentage, value};
}
