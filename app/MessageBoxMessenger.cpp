#include "MessageBoxMessenger.h"

#include "NumberText.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

int run(const Message& message, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton defaultButton)
{
    // A message without a title of its own carries the program's name, as the platform would.
    const QString title =
        message.title.isEmpty() ? QApplication::applicationDisplayName() : message.title;
    QMessageBox box(boxIcon(message.icon), title, displayText(message.text), buttons,
                    QApplication::activeWindow());
    box.setDefaultButton(defaultButton);
    return box.exec();
}

} // namespace

void MessageBoxMessenger::inform(const Message& message)
{
    run(message, QMessageBox::Ok, QMessageBox::Ok);
}

bool MessageBoxMessenger::confirm(const Message& message)
{
    return run(message, QMessageBox::Yes | QMessageBox::No,
               message.noByDefault ? QMessageBox::No : QMessageBox::Yes) == QMessageBox::Yes;
}
