#include "ScheduleMessages.h"

#include "Language.h"

using namespace Qt::Literals::StringLiterals;

QString quotedName(const QString& name, bool english)
{
    // No-break spaces: the guillemets stay with the name when the message wraps.
    return english ? u'"' + name + u'"' : u"«\u00A0"_s + name + u"\u00A0»"_s;
}

Message schedulesMessage(bool english, const QString& french, const QString& englishText,
                         MessageIcon icon)
{
    return {pick(english, u"Barèmes"_s, u"Schedules"_s), pick(english, french, englishText), icon};
}

Message schedulesFailureMessage(bool english)
{
    return schedulesMessage(english,
                            u"Le fichier de réglages n'a pas pu être modifié : les barèmes restent "
                            "tels qu'ils étaient."_s,
                            u"The settings file could not be changed: the schedules stay as they "
                            "were."_s);
}

Message deleteQuestion(const QString& name, bool english)
{
    const QString quoted = quotedName(name, english);
    Message question = schedulesMessage(
        english, u"Supprimer le barème %1 ? Ses frais de courtage seront perdus."_s.arg(quoted),
        u"Delete the schedule %1? Its brokerage fees will be lost."_s.arg(quoted),
        MessageIcon::Question);
    question.noByDefault = true;
    return question;
}

Message deletedMessage(const QString& deleted, const QString& nowInUse, bool english)
{
    return schedulesMessage(
        english,
        u"Le barème %1 est supprimé. Le barème en cours est maintenant %2."_s.arg(
            quotedName(deleted, false), quotedName(nowInUse, false)),
        u"The schedule %1 is deleted. The schedule in use is now %2."_s.arg(
            quotedName(deleted, true), quotedName(nowInUse, true)),
        MessageIcon::Information);
}

Message exportedMessage(const QString& name, const QString& path, bool english)
{
    return schedulesMessage(english,
                            u"Le barème %1 est exporté dans le fichier %2 (UTF-8)."_s.arg(
                                quotedName(name, false), quotedName(path, false)),
                            u"The schedule %1 is exported to the file %2 (UTF-8)."_s.arg(
                                quotedName(name, true), quotedName(path, true)),
                            MessageIcon::Information);
}

Message exportFailedMessage(const QString& path, bool english)
{
    return schedulesMessage(
        english, u"Le barème n'a pas pu être enregistré dans %1."_s.arg(quotedName(path, false)),
        u"The schedule could not be saved in %1."_s.arg(quotedName(path, true)));
}

Message importedMessage(const QString& name, const QString& nameInFile, bool english)
{
    QString french =
        u"Le barème %1 est ajouté à la liste des barèmes."_s.arg(quotedName(name, false));
    QString inEnglish =
        u"The schedule %1 is added to the list of schedules."_s.arg(quotedName(name, true));
    if (!nameInFile.isEmpty()) {
        french +=
            u"\n\nSon nom dans le fichier, %1, a été changé : le fichier de réglages ne "
            "peut pas contenir certains de ses caractères."_s.arg(quotedName(nameInFile, false));
        inEnglish += u"\n\nIts name in the file, %1, was changed: the settings file cannot hold "
                     "some of its characters."_s.arg(quotedName(nameInFile, true));
    }
    return schedulesMessage(english, french, inEnglish, MessageIcon::Information);
}
