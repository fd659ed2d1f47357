#include "ScheduleChangeMessage.h"

#include "Language.h"
#include "ScheduleFile.h"
#include "ScheduleNames.h"

namespace {

Message schedulesMessage(bool english, const QString& french, const QString& englishText)
{
    return {pick(english, QStringLiteral("Barèmes"), QStringLiteral("Schedules")),
            pick(english, french, englishText), MessageIcon::Exclamation};
}

} // namespace

std::optional<Message> scheduleChangeMessage(const ScheduleChange& change, bool english)
{
    switch (change.outcome) {
    case ScheduleOutcome::Done:
        return std::nullopt;
    case ScheduleOutcome::Gone:
        return schedulesMessage(
            english,
            QStringLiteral("Le barème « %1 » n'existe plus : une autre fenêtre ou un autre "
                           "programme l'a supprimé ou renommé. Rien n'a été modifié.")
                .arg(change.name),
            QStringLiteral("The schedule \"%1\" no longer exists: another window or program "
                           "deleted or renamed it. Nothing was changed.")
                .arg(change.name));
    case ScheduleOutcome::Taken:
        return nameProblemMessage(NameProblem::Taken, change.name, english);
    case ScheduleOutcome::LastOne:
        return schedulesMessage(english,
                                QStringLiteral("Le dernier barème ne peut pas être supprimé."),
                                QStringLiteral("The last schedule cannot be deleted."));
    case ScheduleOutcome::Refused:
        return schedulesMessage(
            english,
            QStringLiteral("Le fichier de réglages ne peut pas enregistrer un nom ou une valeur "
                           "de ce changement (un caractère nul ou un saut de ligne, par "
                           "exemple) : rien n'a été modifié, les barèmes restent tels qu'ils "
                           "étaient."),
            QStringLiteral("The settings file cannot hold a name or a value of this change (a "
                           "NUL character or a line break, say): nothing was changed, the "
                           "schedules stay as they were."));
    case ScheduleOutcome::NotWritten:
        break;
    }
    return schedulesMessage(
        english,
        QStringLiteral("Le fichier de réglages n'a pas pu être modifié : les barèmes restent tels "
                       "qu'ils étaient."),
        QStringLiteral("The settings file could not be changed: the schedules stay as they "
                       "were."));
}

Message scheduleFileTooLargeMessage(const QString& path, bool english)
{
    const int kilobytes = int(maxScheduleFileSize / 1024);
    return schedulesMessage(
        english,
        QStringLiteral("Le fichier « %1 » est trop grand pour être un barème (plus de %2 Ko) : "
                       "il n'est pas importé.")
            .arg(path)
            .arg(kilobytes),
        QStringLiteral("The file \"%1\" is too large to be a schedule (more than %2 KB): it is "
                       "not imported.")
            .arg(path)
            .arg(kilobytes));
}
