#include "ScheduleNameDialog.h"

#include "Language.h"
#include "Messenger.h"
#include "ScheduleNames.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

ScheduleNameDialog::ScheduleNameDialog(Messenger& messenger, const QString& title,
                                       const QString& initial, QStringList taken, bool english,
                                       QWidget* parent)
    : QDialog(parent), m_messenger(messenger), m_taken(std::move(taken)), m_english(english)
{
    setObjectName(QStringLiteral("ScheduleNameDialog"));
    setWindowTitle(title);
    Label_NomBareme = new QLabel(
        pick(english, QStringLiteral("&Nom du barème :"), QStringLiteral("Schedule &name:")), this);
    Text_NomBareme = new QLineEdit(initial, this);
    Text_NomBareme->setObjectName(QStringLiteral("Text_NomBareme"));
    Text_NomBareme->setMaxLength(int(maxScheduleNameLength) + 10);
    Text_NomBareme->selectAll();
    Label_NomBareme->setBuddy(Text_NomBareme);
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ScheduleNameDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // No name, nothing to accept: OK waits for one.
    const auto okWhenNamed = [this] {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(!name().isEmpty());
    };
    connect(Text_NomBareme, &QLineEdit::textChanged, this, okWhenNamed);
    okWhenNamed();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label_NomBareme);
    layout->addWidget(Text_NomBareme);
    layout->addWidget(buttons);
    setMinimumWidth(Text_NomBareme->fontMetrics().averageCharWidth() * 40);
}

QString ScheduleNameDialog::name() const
{
    return Text_NomBareme->text().trimmed();
}

void ScheduleNameDialog::accept()
{
    if (const std::optional<NameProblem> problem =
            nameProblem(Text_NomBareme->text(), m_taken, m_anyCharacterHeld)) {
        // A name taken is quoted as the other schedule spells it, not as typed.
        const auto stored = std::find_if(m_taken.begin(), m_taken.end(), [this](const QString& t) {
            return sameScheduleName(t, name());
        });
        const bool taken = *problem == NameProblem::Taken && stored != m_taken.end();
        m_messenger.inform(
            nameProblemMessage(*problem, taken ? *stored : Text_NomBareme->text(), m_english));
        Text_NomBareme->setFocus();
        return;
    }
    QDialog::accept();
}
