#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

#include <optional>

// How a CSV file is written: what separates its cells, which mark its decimals take and whether
// it opens with a byte order mark. A French spreadsheet writes semicolons, decimal commas and a
// mark; most others commas and points.
struct CsvDialect
{
    QChar separator = u',';
    QChar decimalMark = u'.';
    bool byteOrderMark = false;

    bool operator==(const CsvDialect&) const = default;
};

// The dialect of a file, told by its header line: the separator among the comma, the semicolon
// and the tab that splits the line into the expected columns, or else the one found most often
// outside quotes (the comma when none is). The decimal mark is a comma wherever the separator
// is not.
CsvDialect detectCsvDialect(QStringView headerLine);

// The dialects a user may ask for by name: "csv" (commas and points) and "excel-fr"
// (semicolons, decimal commas and a byte order mark, as a French spreadsheet saves them).
std::optional<CsvDialect> namedCsvDialect(const QString& name);

// The separator as a user calls it: "la virgule", "the comma"...
QString separatorName(QChar separator, bool english);

// A number written with a point, with the dialect's decimal mark instead.
QString withDecimalMark(QString number, const CsvDialect& dialect);
