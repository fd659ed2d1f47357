#include "CsvDialect.h"

#include "CsvTrades.h"
#include "Language.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr std::array<QChar, 3> separators{u',', u';', u'\t'};

qsizetype countOutsideQuotes(QStringView line, QChar separator)
{
    qsizetype count = 0;
    bool quoted = false;
    for (const QChar c : line) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && c == separator)
            ++count;
    }
    return count;
}

CsvDialect withSeparator(QChar separator)
{
    return {separator, separator == u',' ? u'.' : u',', false};
}

} // namespace

CsvDialect detectCsvDialect(QStringView headerLine)
{
    for (const QChar separator : separators) {
        if (isCsvTradeHeader(csvCells(headerLine, separator)))
            return withSeparator(separator);
    }
    QChar found = u',';
    qsizetype most = 0;
    for (const QChar separator : separators) {
        const qsizetype count = countOutsideQuotes(headerLine, separator);
        if (count > most) {
            most = count;
            found = separator;
        }
    }
    return withSeparator(found);
}

std::optional<CsvDialect> namedCsvDialect(const QString& name)
{
    if (name == u"csv")
        return CsvDialect{};
    if (name == u"excel-fr")
        return CsvDialect{u';', u',', true};
    return std::nullopt;
}

QString separatorName(QChar separator, bool english)
{
    if (separator == u';')
        return pick(english, u"le point-virgule « ; »"_s, u"the semicolon \";\""_s);
    if (separator == u'\t')
        return pick(english, u"la tabulation"_s, u"the tab"_s);
    return pick(english, u"la virgule « , »"_s, u"the comma \",\""_s);
}

QString withDecimalMark(QString number, const CsvDialect& dialect)
{
    return number.replace(u'.', dialect.decimalMark);
}
