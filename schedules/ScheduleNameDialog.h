#pragma once

#include <QDialog>
#include <QStringList>

class Messenger;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

// Asks for a schedule's name; OK keeps the dialog open, with a message, until the name is one
// the settings file can hold and no other schedule has.
class ScheduleNameDialog : public QDialog
{
    Q_OBJECT

public:
    ScheduleNameDialog(Messenger& messenger, const QString& title, const QString& initial,
                       QStringList taken, bool english, QWidget* parent);

    // The name typed, its outer blanks removed.
    QString name() const;

    // A settings file in UTF-8 holds any character (ScheduleBook::holdsAnyCharacter()); one in
    // the Windows code page, as by default, only the code page's.
    void setAnyCharacterHeld(bool held) { m_anyCharacterHeld = held; }

    void accept() override;

    QLabel* Label_NomBareme;
    QLineEdit* Text_NomBareme;
    QDialogButtonBox* buttons;

private:
    Messenger& m_messenger;
    QStringList m_taken;
    bool m_english;
    bool m_anyCharacterHeld = false;
};
