#include "MovementsCsv.h"

#include "Cp1252.h"
#include "Language.h"

#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace {

QStringList columnNames()
{
    return {u"date"_s, u"position"_s, u"kind"_s, u"shares"_s, u"price"_s, u"fee"_s, u"taxes"_s};
}

QString decoded(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    // Not UTF-8: what a spreadsheet under Windows writes in Western Europe.
    return Cp1252::decode(bytes);
}

// The fields of one line; a field in double quotes may hold the separator and doubled quotes.
// Nothing when a quote is left open.
std::optional<QStringList> fieldsOf(QStringView line, QChar separator)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    bool wasQuoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == u'"' && i + 1 < line.size() && line[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"' && field.trimmed().isEmpty() && !wasQuoted) {
            quoted = true;
            wasQuoted = true;
            field.clear();
        } else if (c == separator) {
            fields.append(wasQuoted ? field : field.trimmed());
            field.clear();
            wasQuoted = false;
        } else if (!wasQuoted) {
            field += c;
        } else if (!c.isSpace()) {
            return std::nullopt; // text after a closing quote
        }
    }
    if (quoted)
        return std::nullopt;
    fields.append(wasQuoted ? field : field.trimmed());
    return fields;
}

QDate dateOf(const QString& text)
{
    const QDate iso = QDate::fromString(text, u"yyyy-MM-dd"_s);
    return iso.isValid() ? iso : QDate::fromString(text, u"dd/MM/yyyy"_s);
}

std::optional<MovementKind> kindOf(const QString& text)
{
    const QString kind = text.toLower();
    if (kind == u"achat" || kind == u"buy")
        return MovementKind::Purchase;
    if (kind == u"vente" || kind == u"sell")
        return MovementKind::Sale;
    return std::nullopt;
}

// An amount of zero or more; an empty fee or taxes field is none paid.
std::optional<Money> amountOf(const QString& text, bool emptyIsZero)
{
    if (text.isEmpty())
        return emptyIsZero ? std::optional<Money>(Money()) : std::nullopt;
    const std::optional<Money> money = Money::parse(text);
    if (!money || *money < Money())
        return std::nullopt;
    return money;
}

QString quotedIfNeeded(const QString& text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r') && text.trimmed() == text)
        return text;
    return u'"' + QString(text).replace(u"\""_s, u"\"\""_s) + u'"';
}

} // namespace

CsvMovements readMovementsCsv(const QByteArray& bytes, bool english)
{
    CsvMovements result;
    const QStringList columns = columnNames();
    const QString text = decoded(bytes);
    const QStringList lines = QString(text).replace(u"\r\n"_s, u"\n"_s).split(u'\n');
    const auto bad = [&](int line, const QString& french, const QString& inEnglish) {
        result.errors.append({line, pick(english, french, inEnglish)});
    };

    int headerLine = 0;
    while (headerLine < lines.size() && lines[headerLine].trimmed().isEmpty())
        ++headerLine;
    if (headerLine == lines.size()) {
        bad(1, u"le fichier est vide"_s, u"the file is empty"_s);
        return result;
    }
    const QString header = lines[headerLine].trimmed();
    // A spreadsheet that writes decimal commas separates its fields with semicolons.
    const QChar separator = header.contains(u';') ? u';' : u',';
    const std::optional<QStringList> names = fieldsOf(header, separator);
    QList<int> at(columns.size(), -1);
    for (qsizetype i = 0; names && i < names->size(); ++i) {
        const qsizetype column = columns.indexOf((*names)[i].toLower());
        if (column >= 0 && at[column] < 0)
            at[column] = int(i);
    }
    if (!names || at.contains(-1) || names->size() != columns.size()) {
        bad(headerLine + 1, u"l'en-tête doit être date,position,kind,shares,price,fee,taxes"_s,
            u"the header must be date,position,kind,shares,price,fee,taxes"_s);
        return result;
    }

    for (int i = headerLine + 1; i < lines.size(); ++i) {
        const int number = i + 1;
        if (lines[i].trimmed().isEmpty())
            continue;
        const std::optional<QStringList> fields = fieldsOf(lines[i], separator);
        if (!fields || fields->size() != columns.size()) {
            bad(number, u"il faut "_s + QString::number(columns.size()) + u" champs"_s,
                QString::number(columns.size()) + u" fields are needed"_s);
            continue;
        }
        const auto field = [&](int column) { return (*fields)[at[column]]; };
        ImportedMovement imported;
        imported.line = number;
        imported.position = field(1);
        Movement& movement = imported.movement;
        movement.date = dateOf(field(0));
        const std::optional<MovementKind> kind = kindOf(field(2));
        bool sharesRead = false;
        movement.shares = field(3).toLongLong(&sharesRead);
        const std::optional<Money> price = amountOf(field(4), false);
        const std::optional<Money> fee = amountOf(field(5), true);
        const std::optional<Money> taxes = amountOf(field(6), true);
        if (!movement.date.isValid()) {
            bad(number, u"date illisible : "_s + field(0), u"unreadable date: "_s + field(0));
        } else if (imported.position.isEmpty()) {
            bad(number, u"position sans nom"_s, u"position without a name"_s);
        } else if (!kind) {
            bad(number, u"opération inconnue : "_s + field(2), u"unknown kind: "_s + field(2));
        } else if (!sharesRead || movement.shares <= 0 || movement.shares > 1'000'000'000) {
            bad(number, u"nombre d'actions illisible : "_s + field(3),
                u"unreadable number of shares: "_s + field(3));
        } else if (!price) {
            bad(number, u"prix illisible : "_s + field(4), u"unreadable price: "_s + field(4));
        } else if (!fee) {
            bad(number, u"frais illisibles : "_s + field(5), u"unreadable fee: "_s + field(5));
        } else if (!taxes) {
            bad(number, u"taxes illisibles : "_s + field(6), u"unreadable taxes: "_s + field(6));
        } else if (price->units() > Money::unitsPerEuro * 100'000'000 / movement.shares) {
            bad(number, u"montant au-delà de 99 999 999 euros"_s,
                u"amount over 99,999,999 euros"_s);
        } else {
            movement.kind = *kind;
            movement.price = *price;
            movement.fee = *fee;
            movement.taxes = *taxes;
            result.movements.append(imported);
        }
    }
    if (!result.ok())
        result.movements.clear();
    return result;
}

QByteArray writeMovementsCsv(const QList<Position>& positions)
{
    QString text = columnNames().join(u',') + u'\n';
    for (const Position& position : positions) {
        const QString name = quotedIfNeeded(position.name);
        for (const Movement& movement : position.movements) {
            text += movement.date.toString(u"yyyy-MM-dd"_s) + u',' + name + u',' +
                    (movement.kind == MovementKind::Sale ? u"sell"_s : u"buy"_s) + u',' +
                    QString::number(movement.shares) + u',' + movement.price.text() + u',' +
                    movement.fee.text() + u',' + movement.taxes.text() + u'\n';
        }
    }
    return text.toUtf8();
}
