#include "CsvTrades.h"

#include "ArgumentTexts.h"
#include "CsvDialect.h"

using namespace Qt::Literals::StringLiterals;

QStringList csvTradeHeader()
{
    return {u"price"_s, u"shares"_s, u"profit"_s, u"mode"_s, u"tax_option"_s};
}

QStringList csvCells(QStringView line, QChar separator)
{
    QStringList cells;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c != u'"')
                cell += c;
            else if (i + 1 < line.size() && line[i + 1] == u'"')
                cell += line[++i];
            else
                quoted = false;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == separator) {
            cells << cell;
            cell.clear();
        } else {
            cell += c;
        }
    }
    return cells << cell;
}

QString csvCell(const QString& text, QChar separator)
{
    const bool plain = !text.contains(separator) && !text.contains(u'"') && text.trimmed() == text;
    if (plain)
        return text;
    return u"\""_s + QString(text).replace(u"\""_s, u"\"\""_s) + u'"';
}

std::variant<CalcRequest, Message> csvTrade(const QStringList& cells, bool english)
{
    if (cells.size() != csvTradeHeader().size()) {
        return captureError(
            english, u"Une ligne doit avoir 5 colonnes : price,shares,profit,mode,tax_option"_s,
            u"A line must have 5 columns: price,shares,profit,mode,tax_option"_s);
    }
    CalcRequest request{{cells[0], cells[1], cells[2]}, true, 1, std::nullopt};

    const QString mode = cells[3].trimmed().toLower();
    if (mode == u"cash")
        request.percentMode = false;
    else if (!mode.isEmpty() && mode != u"percent")
        return captureError(english,
                            u"Le mode doit être percent ou cash : « "_s + cells[3] + u" »"_s,
                            u"The mode must be percent or cash: \""_s + cells[3] + u'"');

    const QString option = cells[4].trimmed();
    if (option == u"1" || option == u"2" || option == u"3")
        request.taxOption = option.toInt() - 1;
    else if (!option.isEmpty())
        return captureError(
            english, u"L'option d'imposition doit être 1, 2 ou 3 : « "_s + cells[4] + u" »"_s,
            u"The tax option must be 1, 2 or 3: \""_s + cells[4] + u'"');
    return request;
}

bool isCsvTradeHeader(const QStringList& cells)
{
    QStringList names;
    for (const QString& cell : cells)
        names << cell.trimmed().toLower();
    return names == csvTradeHeader();
}

Message csvHeaderMessage(QChar separator, const QString& found, bool english)
{
    const QString expected = csvTradeHeader().join(separator);
    const QString name = separatorName(separator, english);
    return captureError(english,
                        u"La première ligne doit être l'en-tête « %1 » (séparateur détecté : %2), "
                        "et non « %3 »"_s.arg(expected, name, found),
                        u"The first line must be the header \"%1\" (separator detected: %2), "
                        "not \"%3\""_s.arg(expected, name, found));
}
