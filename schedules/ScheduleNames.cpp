#include "ScheduleNames.h"

#include "Cp1252.h"
#include "Language.h"

#include <QSet>

#include <algorithm>

namespace {

QString sectionPrefix()
{
    return QStringLiteral("Barème: ");
}

// What the settings reader would trim, cut or end a section name at.
bool isForbidden(QChar c)
{
    return c == u']' || c.category() == QChar::Other_Control || c == QChar(0x1A);
}

bool wrappedInQuotes(const QString& name)
{
    // The reader removes one pair of outer quotes from the value naming the schedule in use.
    return name.size() >= 2 && (name.front() == u'"' || name.front() == u'\'') &&
           name.back() == name.front();
}

QString outerBlanksRemoved(const QString& name)
{
    qsizetype begin = 0;
    qsizetype end = name.size();
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f'; };
    while (begin < end && blank(name[begin]))
        ++begin;
    while (end > begin && blank(name[end - 1]))
        --end;
    return name.mid(begin, end - begin);
}

bool isTaken(const QString& name, const QStringList& taken)
{
    return std::any_of(taken.begin(), taken.end(),
                       [&](const QString& other) { return sameScheduleName(name, other); });
}

// The taken names as sameScheduleName() compares them, for a search that tries many names
// against thousands of schedules.
QSet<QString> foldedNames(const QStringList& names)
{
    QSet<QString> folded;
    folded.reserve(names.size());
    for (const QString& name : names)
        folded.insert(name.toCaseFolded());
    return folded;
}

} // namespace

QString scheduleSection(const QString& name)
{
    return sectionPrefix() + name;
}

std::optional<QString> nameOfSection(const QString& section)
{
    if (!section.startsWith(sectionPrefix().trimmed(), Qt::CaseInsensitive))
        return std::nullopt;
    const QString name = outerBlanksRemoved(section.mid(sectionPrefix().trimmed().size()));
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

QString scheduleNameKey()
{
    return QStringLiteral("Barème");
}

QString numberedScheduleName(int number, bool english)
{
    return pick(english, QStringLiteral("Barème %1"), QStringLiteral("Schedule %1")).arg(number);
}

QString freeNumberedName(int number, bool english, const QStringList& taken)
{
    const QSet<QString> folded = foldedNames(taken);
    while (folded.contains(numberedScheduleName(number, english).toCaseFolded()))
        ++number;
    return numberedScheduleName(number, english);
}

QString freeName(const QString& name, const QStringList& taken)
{
    const QSet<QString> folded = foldedNames(taken);
    if (!folded.contains(name.toCaseFolded()))
        return name;
    for (int suffix = 2;; ++suffix) {
        const QString ending = QStringLiteral(" (%1)").arg(suffix);
        const QString candidate = name.left(maxScheduleNameLength - ending.size()) + ending;
        if (!folded.contains(candidate.toCaseFolded()))
            return candidate;
    }
}

bool sameScheduleName(const QString& a, const QString& b)
{
    return a.toCaseFolded() == b.toCaseFolded();
}

std::optional<NameProblem> nameProblem(const QString& typed, const QStringList& taken,
                                       bool anyCharacterHeld)
{
    const QString name = outerBlanksRemoved(typed);
    if (name.isEmpty())
        return NameProblem::Empty;
    if (name.size() > maxScheduleNameLength)
        return NameProblem::TooLong;
    if (std::any_of(name.begin(), name.end(), isForbidden) || wrappedInQuotes(name))
        return NameProblem::Forbidden;
    if (anyCharacterHeld ? !name.isValidUtf16() : !Cp1252::encode(name))
        return NameProblem::NotInFile;
    if (isTaken(name, taken))
        return NameProblem::Taken;
    return std::nullopt;
}

Message nameProblemMessage(NameProblem problem, const QString& name, bool english)
{
    const QString title =
        pick(english, QStringLiteral("Nom du barème"), QStringLiteral("Schedule name"));
    QString text;
    switch (problem) {
    case NameProblem::Empty:
        text = pick(english, QStringLiteral("Donnez un nom au barème."),
                    QStringLiteral("Please give the schedule a name."));
        break;
    case NameProblem::TooLong:
        text = pick(english, QStringLiteral("Le nom d'un barème a au plus %1 caractères."),
                    QStringLiteral("A schedule's name has %1 characters at most."))
                   .arg(maxScheduleNameLength);
        break;
    case NameProblem::Forbidden:
        text = pick(english,
                    QStringLiteral("Le nom d'un barème ne peut contenir ni « ] » ni caractère de "
                                   "contrôle, ni être entre guillemets."),
                    QStringLiteral("A schedule's name cannot hold \"]\" or a control character, "
                                   "nor be in quotes."));
        break;
    case NameProblem::NotInFile:
        text =
            pick(english,
                 QStringLiteral("Le fichier de réglages ne peut pas enregistrer certains "
                                "caractères de «\u00A0%1\u00A0». Utilisez des lettres, chiffres et "
                                "signes d'Europe de l'Ouest."),
                 QStringLiteral("The settings file cannot hold some characters of \"%1\". "
                                "Use Western European letters, digits and signs."))
                .arg(name);
        break;
    case NameProblem::Taken:
        text = pick(english, QStringLiteral("Un barème s'appelle déjà «\u00A0%1\u00A0»."),
                    QStringLiteral("A schedule is already called \"%1\"."))
                   .arg(outerBlanksRemoved(name));
        break;
    }
    return {title, text, MessageIcon::Exclamation};
}

QString storableName(const QString& name, const QString& fallback)
{
    QString result;
    for (const QChar c : name) {
        if (isForbidden(c))
            continue;
        result.append(Cp1252::encode(QStringView(&c, 1)) ? c : QChar(u'?'));
    }
    result = outerBlanksRemoved(result.left(maxScheduleNameLength));
    if (wrappedInQuotes(result))
        result = result.mid(1, result.size() - 2);
    result = outerBlanksRemoved(result);
    return result.isEmpty() ? fallback : result;
}
