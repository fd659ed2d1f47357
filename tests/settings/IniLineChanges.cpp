#include "IniLineChanges.h"

#include <QList>

#include <algorithm>

namespace {

struct Line
{
    QByteArray text;
    QByteArray terminator;

    bool operator==(const Line&) const = default;
};

QList<Line> splitLines(const QByteArray& bytes)
{
    QList<Line> lines;
    Line current;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            current.text.append(c);
            continue;
        }
        current.terminator.append(c);
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            current.terminator.append(bytes[++i]);
        lines.append(current);
        current = {};
    }
    if (!current.text.isEmpty())
        lines.append(current);
    return lines;
}

QString describe(const QList<Line>& removed, const QList<Line>& added)
{
    QString text = QStringLiteral("removed:");
    for (const Line& line : removed)
        text += u' ' + QString::fromLatin1((line.text + line.terminator).toPercentEncoding());
    text += QStringLiteral(" added:");
    for (const Line& line : added)
        text += u' ' + QString::fromLatin1((line.text + line.terminator).toPercentEncoding());
    return text;
}

bool allEndWithCrlf(const QList<Line>& lines)
{
    return std::all_of(lines.begin(), lines.end(),
                       [](const Line& line) { return line.terminator == "\r\n"; });
}

} // namespace

namespace IniLineChanges {

QString problem(const QByteArray& before, const QByteArray& after, const QByteArray& value)
{
    const QByteArray bom("\xEF\xBB\xBF");
    const bool hadBom = before.startsWith(bom);
    if (hadBom && !after.startsWith(bom))
        return QStringLiteral("byte-order mark lost");
    const qsizetype bomSize = hadBom ? bom.size() : 0;

    QList<Line> removed = splitLines(before.sliced(bomSize));
    QList<Line> added = splitLines(after.sliced(bomSize));
    while (!removed.isEmpty() && !added.isEmpty() && removed.front() == added.front()) {
        removed.removeFirst();
        added.removeFirst();
    }
    while (!removed.isEmpty() && !added.isEmpty() && removed.back() == added.back()) {
        removed.removeLast();
        added.removeLast();
    }
    if (removed.isEmpty() && added.isEmpty())
        return {};

    const QByteArray written = '=' + value;
    const bool wroteKeyLast = !added.isEmpty() && added.back().text.endsWith(written);
    if (removed.size() == 1 && added.size() == 1) {
        // Replaced in place, keeping the line's terminator.
        if (added[0].terminator == removed[0].terminator && wroteKeyLast)
            return {};
        return describe(removed, added);
    }
    if (removed.size() == 1 && removed[0].terminator.isEmpty() && added.size() >= 2 &&
        added[0].text == removed[0].text) {
        // The last line gained a terminator before the new lines.
        added.removeFirst();
        removed.clear();
    }
    // An inserted key line, or an appended section line and key line.
    if (removed.isEmpty() && added.size() <= 2 && allEndWithCrlf(added) && wroteKeyLast &&
        (added.size() == 1 || added[0].text.startsWith('[')))
        return {};
    return describe(removed, added);
}

} // namespace IniLineChanges
