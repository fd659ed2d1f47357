#include "TextLayout.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// Where the decimal mark of the amount is, or would be: the last point or comma followed by a
// digit, else just after the last digit; -1 for a text without digits.
qsizetype markPosition(const QString& amount)
{
    qsizetype lastDigit = -1;
    for (qsizetype i = amount.size() - 1; i >= 0; --i) {
        if (!amount[i].isDigit())
            continue;
        if (lastDigit < 0)
            lastDigit = i;
        if (i > 0 && (amount[i - 1] == u'.' || amount[i - 1] == u','))
            return i - 1;
    }
    return lastDigit < 0 ? -1 : lastDigit + 1;
}

QString padded(const QString& text, qsizetype width)
{
    return text + QString(std::max<qsizetype>(0, width - text.size()), u' ');
}

qsizetype widest(const QStringList& texts)
{
    qsizetype width = 0;
    for (const QString& text : texts)
        width = std::max(width, text.size());
    return width;
}

} // namespace

QStringList alignedAmounts(const QStringList& amounts)
{
    qsizetype mark = 0;
    for (const QString& amount : amounts)
        mark = std::max(mark, markPosition(amount));
    QStringList aligned;
    for (const QString& amount : amounts) {
        const qsizetype position = markPosition(amount);
        aligned << (position < 0 ? amount : QString(mark - position, u' ') + amount);
    }
    return aligned;
}

QString labelledLines(const QList<LabelledLine>& lines, bool english, const QString& indent)
{
    QStringList labels;
    QStringList amounts;
    for (const LabelledLine& line : lines) {
        labels << line.label;
        if (line.amount)
            amounts << line.value;
    }
    const qsizetype width = widest(labels);
    amounts = alignedAmounts(amounts);
    QStringList values;
    for (const LabelledLine& line : lines)
        values << (line.amount ? amounts.takeFirst() : line.value);
    const QString colon = english ? u": "_s : u" : "_s;
    QString text;
    for (qsizetype i = 0; i < labels.size(); ++i) {
        // English puts the colon right after the word, French a space before it: in both the
        // colons line up.
        const QString label =
            english ? padded(labels[i] + u':', width + 1) + u' ' : padded(labels[i], width) + colon;
        text += indent + label + values[i] + u'\n';
    }
    return text;
}

QString alignedTable(const QStringList& headings, const QList<QStringList>& rows,
                     const QList<bool>& amountColumns, const QString& indent)
{
    QList<QStringList> columns(headings.size());
    for (const QStringList& row : rows) {
        for (qsizetype column = 0; column < columns.size(); ++column)
            columns[column] << row.value(column);
    }
    QList<qsizetype> widths;
    for (qsizetype column = 0; column < columns.size(); ++column) {
        if (amountColumns.value(column))
            columns[column] = alignedAmounts(columns[column]);
        widths << std::max(widest(columns[column]), headings[column].size());
    }
    const auto line = [&](const auto& cellAt) {
        QString text = indent;
        for (qsizetype column = 0; column < widths.size(); ++column)
            text += padded(cellAt(column), widths[column] + (column + 1 < widths.size() ? 2 : 0));
        while (text.endsWith(u' '))
            text.chop(1);
        return text + u'\n';
    };
    QString text = line([&](qsizetype column) { return headings[column]; });
    for (qsizetype row = 0; row < rows.size(); ++row)
        text += line([&](qsizetype column) { return columns[column][row]; });
    return text;
}
