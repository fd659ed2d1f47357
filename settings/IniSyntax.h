#pragma once

#include <QByteArrayView>
#include <QStringView>

// The line grammar of a private-profile file, on raw bytes. Every character with a meaning
// (blanks, brackets, "=", ";", quotes, CR, LF) is ASCII, so the same scan serves the Windows code
// page and UTF-8 alike, and the bytes of lines that are not edited are never decoded again.
namespace IniSyntax {

// One line as positions in the file: the text is [begin, textEnd), its terminator
// (CRLF, LF, a lone CR, or nothing on a last line) is [textEnd, end).
struct LineSpan
{
    qsizetype begin = 0;
    qsizetype textEnd = 0;
    qsizetype end = 0;

    bool isTerminated() const { return end > textEnd; }
};

// The line starting at `begin`, which must lie inside `bytes`.
LineSpan lineAt(QByteArrayView bytes, qsizetype begin);

enum class LineKind
{
    Other,   // blank, or text without "=": kept as it is, never a key
    Comment, // first non-blank character ";"
    Section, // first non-blank character "["
    Key,     // anything else holding "="
};

struct Line
{
    LineKind kind = LineKind::Other;
    QByteArrayView name;  // section name or key, blanks trimmed, never unquoted
    QByteArrayView value; // the key's value, blanks trimmed and one pair of outer quotes removed
};

Line parse(QByteArrayView text);

// Whether the line is a section line, without parsing it: the lines of a large file outside the
// sections looked for need no more.
bool isSectionLine(QByteArrayView text);

// Space, tab, vertical tab, form feed and Ctrl-Z.
bool isBlank(char16_t c);
QByteArrayView trimmed(QByteArrayView text);
QStringView trimmed(QStringView text);

} // namespace IniSyntax
