#include "ScheduleImport.h"

#include "CalcMessages.h"
#include "Cp1252.h"
#include "FeeStore.h"
#include "FieldNormalisation.h"
#include "IniDocument.h"
#include "IniFile.h"
#include "IniSyntax.h"
#include "Language.h"
#include "Messenger.h"
#include "ScheduleMessages.h"
#include "SchedulePreparation.h"
#include "SellingPriceSearch.h"

#include <QHash>
#include <QStringDecoder>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// The fee page's fields take eight characters.
constexpr qsizetype fieldLength = 8;

// Keeps the fee rules' last message, the refusal's, and answers their one question Yes: a
// schedule without fees is a schedule.
class LastMessage : public Messenger
{
public:
    void inform(const Message& message) override { last = message; }
    bool confirm(const Message&) override { return true; }

    Message last;
};

QString decodedFile(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(QStringDecoder::Utf16);
        return utf16(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() ? Cp1252::decode(bytes) : text;
}

// A section name as the settings reader, which reads the code page, has it.
QString inCodePage(QString name)
{
    for (QChar& c : name) {
        if (!Cp1252::encode(QStringView(&c, 1)))
            c = u'?';
    }
    return IniDocument::foldedName(name);
}

struct KeyLine
{
    int line = 0; // from 1
    QString value;
};

// Each key of the section's first occurrence with its first line, read as the settings reader
// reads it: blanks around, then one pair of quotes, removed.
QHash<QString, KeyLine> keyLines(const QByteArray& bytes, const QString& section)
{
    QHash<QString, KeyLine> keys;
    const QString wanted = IniDocument::foldedName(section);
    bool inside = false;
    bool seen = false;
    QString text = decodedFile(bytes);
    text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
    const QStringList all = text.split(u'\n');
    for (qsizetype i = 0; i < all.size(); ++i) {
        const QStringView line = IniSyntax::trimmed(QStringView(all[i]));
        if (line.startsWith(u'[')) {
            if (inside)
                break;
            const qsizetype end = line.indexOf(u']');
            const QString name = IniSyntax::trimmed(line.mid(1, end < 0 ? -1 : end - 1)).toString();
            inside = !seen && inCodePage(name) == wanted;
            seen = seen || inside;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inside || equals <= 0 || line.startsWith(u';'))
            continue;
        const QString key = IniDocument::foldedName(IniSyntax::trimmed(line.left(equals)));
        QStringView value = IniSyntax::trimmed(line.mid(equals + 1));
        if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
            value = value.mid(1, value.size() - 2);
        if (!keys.contains(key))
            keys.insert(key, {int(i) + 1, value.toString()});
    }
    return keys;
}

enum class Field
{
    Whole,   // a bound: digits
    Decimal, // a fee, the minimum, the maximum: digits and a point
    Type,    // Vrai or Faux
};

std::optional<QString> fieldProblem(Field field, const QString& stored, bool english)
{
    const QString value = IniSyntax::trimmed(QStringView(stored)).toString();
    const QString quoted = quotedName(value, english);
    if (field == Field::Type) {
        const QString lower = value.toLower();
        if (value.isEmpty() || lower == u"vrai"_s || lower == u"faux"_s)
            return std::nullopt;
        return pick(english, u"%1 n'est ni Vrai (pourcentage) ni Faux (valeur)"_s,
                    u"%1 is neither Vrai (percentage) nor Faux (fixed sum)"_s)
            .arg(quoted);
    }
    const bool decimal = field == Field::Decimal;
    const bool digitsOnly = std::all_of(value.begin(), value.end(), [decimal](QChar c) {
        return (c >= u'0' && c <= u'9') || (decimal && c == u'.');
    });
    if (!digitsOnly || value.count(u'.') > 1) {
        return decimal ? pick(english,
                              u"%1 n'est pas un nombre : le champ ne prend que des chiffres et "
                              "un point"_s,
                              u"%1 is not a number: the field takes digits and a point only"_s)
                             .arg(quoted)
                       : pick(english,
                              u"%1 n'est pas un nombre entier : le champ ne prend que des "
                              "chiffres"_s,
                              u"%1 is not a whole number: the field takes digits only"_s)
                             .arg(quoted);
    }
    if (value.size() > fieldLength)
        return pick(english, u"%1 a %2 caractères : le champ en prend au plus %3"_s,
                    u"%1 has %2 characters: the field takes %3 at most"_s)
            .arg(quoted)
            .arg(value.size())
            .arg(fieldLength);
    return std::nullopt;
}

Field fieldOf(qsizetype index)
{
    const qsizetype brackets = qsizetype(bracketCount) * 4;
    if (index >= brackets)
        return Field::Decimal;
    switch (index % 4) {
    case 0:
    case 1:
        return Field::Whole;
    case 2:
        return Field::Decimal;
    default:
        return Field::Type;
    }
}

QStringList savedValues(const ScheduleTexts& texts)
{
    QStringList values;
    for (const BracketTexts& bracket : texts.brackets)
        values << bracket.lower << bracket.upper << bracket.fee << QString();
    values << texts.minimum << texts.maximum;
    return values;
}

QString noScheduleText(const QString& path, bool english)
{
    const QString example = u"[Barème: Ma banque]\nFB1=0\nFH1=500\nF1=1.99\nP1=Faux\n"
                            "FB2=500\nFH2=99999999\nF2=0.5\nP2=Vrai\nMini=\nMaxi=40"_s;
    return pick(english,
                u"Le fichier %1 ne contient pas de barème. Un barème s'écrit ainsi, une "
                "fourchette n par groupe FBn, FHn, Fn, Pn (n de 1 à 5) :\n\n%2"_s,
                u"The file %1 holds no schedule. A schedule is written like this, one bracket n "
                "per group FBn, FHn, Fn, Pn (n from 1 to 5):\n\n%2"_s)
        .arg(quotedName(path, english), example);
}

Message refused(const QString& path, const QString& why, bool english)
{
    return schedulesMessage(
        english,
        u"Le barème du fichier %1 n'est pas importé : rien n'est ajouté.\n\n%2"_s.arg(
            quotedName(path, false), why),
        u"The schedule of the file %1 is not imported: nothing is added.\n\n%2"_s.arg(
            quotedName(path, true), why));
}

} // namespace

std::optional<ValueProblem> valueProblem(const QByteArray& bytes, const ImportedSchedule& imported,
                                         bool english)
{
    const QStringList keys = savedScheduleKeys();
    QStringList values = savedValues(imported.texts);
    const QHash<QString, KeyLine> file = keyLines(bytes, imported.section);
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const KeyLine found = file.value(IniDocument::foldedName(keys[i]));
        // The fee type is read as a flag: its text comes from the file itself.
        if (fieldOf(i) == Field::Type)
            values[i] = found.value;
        if (const std::optional<QString> reason = fieldProblem(fieldOf(i), values[i], english))
            return ValueProblem{keys[i], found.line, *reason};
    }
    return std::nullopt;
}

ScheduleImport checkScheduleFile(const QByteArray& bytes, const QString& path, bool english)
{
    std::optional<ImportedSchedule> imported = readScheduleFile(bytes, path, english);
    if (!imported)
        return {std::nullopt, schedulesMessage(english, noScheduleText(path, english),
                                               noScheduleText(path, english))};
    if (const std::optional<ValueProblem> problem = valueProblem(bytes, *imported, english)) {
        const QString where = problem->line > 0
                                  ? pick(english, u"%1, ligne %2 : %3."_s, u"%1, line %2: %3."_s)
                                        .arg(problem->key)
                                        .arg(problem->line)
                                        .arg(problem->reason)
                                  : u"%1 : %2."_s.arg(problem->key, problem->reason);
        return {std::nullopt, refused(path, where, english)};
    }
    // The rules a calculation applies, on a copy: the schedule is added as the file has it.
    ScheduleTexts texts = imported->texts;
    TradeTexts noTrade;
    normaliseFields(noTrade, texts);
    LastMessage rules;
    const QString code = english ? u"A"_s : u"F"_s;
    if (prepareSchedule(
            texts, rules, [&code] { return code; }, [](const ScheduleTexts&) {}))
        return {std::nullopt, refused(path, rules.last.text, english)};
    // A percentage of 100 or more is the search's own refusal, whatever the trade.
    const CalcOutcome anyTrade =
        findSellingPrice(scheduleFromTexts(texts), Trade{1, 1, 0, true}, 0);
    if (anyTrade.status == CalcStatus::PercentageFeeInvalid)
        return {std::nullopt, refused(path, refusalMessage(anyTrade, code).text, english)};
    return {std::move(imported), {}};
}

ScheduleImport importCheckedScheduleFile(const QString& path, bool english)
{
    // Read no further than a schedule file may go: a larger file is refused before this.
    const std::optional<QByteArray> bytes = IniFile::read(path, maxScheduleFileSize);
    if (!bytes)
        return {std::nullopt,
                schedulesMessage(
                    english, u"Le fichier %1 n'a pas pu être lu."_s.arg(quotedName(path, false)),
                    u"The file %1 could not be read."_s.arg(quotedName(path, true)))};
    return checkScheduleFile(*bytes, path, english);
}
