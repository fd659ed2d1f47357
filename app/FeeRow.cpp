#include "FeeRow.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

BracketTexts FeeRow::texts() const
{
    return {lower->text(), upper->text(), fee->text(), percentage->isChecked()};
}

void FeeRow::setTexts(const BracketTexts& texts) const
{
    lower->setText(texts.lower);
    upper->setText(texts.upper);
    fee->setText(texts.fee);
    (texts.percentage ? percentage : value)->setChecked(true);
}

QList<QWidget*> FeeRow::keyboardOrder() const
{
    return {lower, upper, fee, percentage, value};
}
