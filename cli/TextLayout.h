#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Plain text laid out for a terminal's fixed-width font: what reads as a column is one.

// Amounts padded on the left so that their decimal marks (or, without one, the ends of their
// numbers) fall in one column; texts that hold no number are left as they are.
QStringList alignedAmounts(const QStringList& amounts);

struct LabelledLine
{
    QString label;
    QString value;
    bool amount = true; // aligned with the other amounts; a name is not
};

// "label : value" lines, the labels padded to one width, the amounts aligned.
QString labelledLines(const QList<LabelledLine>& lines, bool english,
                      const QString& indent = QString());

// A table: the headings, then the rows, each column as wide as its widest cell, two spaces
// between columns, the amount columns aligned on their decimal marks.
QString alignedTable(const QStringList& headings, const QList<QStringList>& rows,
                     const QList<bool>& amountColumns, const QString& indent = QString());
