#include "ScheduleChangeMessage.h"

#include "Language.h"
#include "ScheduleFile.h"
#include "ScheduleMessages.h"
#include "ScheduleNames.h"

std::optional<Message> scheduleChangeMessage(const ScheduleChange& change, bool english)
{
    switch (change.outcome) {
    case ScheduleOutcome::Done:
        return std::nullopt;
    case ScheduleOutcome::Gone:
        return schedulesMessage(
            english,
            QStringLiteral("Le barème %1 n'existe plus : une autre fenêtre ou un autre "
                           "programme l'a supprimé ou renommé. Rien n'a été modifié.")
                .arg(quotedName(change.name, false)),
            QStringLiteral("The schedule %1 no longer exists: another window or program "
                           "deleted or renamed it. Nothing was changed.")
                .arg(quotedName(change.name, true)));
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
    return schedulesFailureMessage(english);
}

Message scheduleFileTooLargeMessage(const QString& path, bool english)
{
    const int kilobytes = int(maxScheduleFileSize / 1024);
    return schedulesMessage(
        english,
        QStringLiteral("Le fichier %1 est trop grand pour être un barème (plus de %2 Ko) : "
                       "il n'est pas importé.")
            .arg(quotedName(path, false))
            .arg(kilobytes),
        QStringLiteral("The file %1 is too large to be a schedule (more than %2 KB): it is "
                       "not imported.")
            .arg(quotedName(path, true))
            .arg(kilobytes));
}
