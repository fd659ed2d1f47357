#include "OptionGroupFocus.h"

#include <QFocusEvent>
#include <QRadioButton>

void OptionGroupFocus::install(QRadioButton* option)
{
    option->installEventFilter(new OptionGroupFocus(option));
}

OptionGroupFocus::OptionGroupFocus(QRadioButton* option) : QObject(option) {}

bool OptionGroupFocus::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::FocusIn)
        return false;
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    auto* option = static_cast<QRadioButton*>(watched);
    if ((reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason) || option->isChecked())
        return false;
    const auto siblings =
        option->parentWidget()->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
    for (QRadioButton* sibling : siblings) {
        if (sibling->isChecked() && sibling->isEnabled()) {
            sibling->setFocus(reason);
            return false;
        }
    }
    return false;
}
