#include "IniSyntax.h"

namespace {

bool isBlankByte(char c)
{
    return IniSyntax::isBlank(static_cast<unsigned char>(c));
}

QByteArrayView unquoted(QByteArrayView value)
{
    if (value.size() < 2)
        return value;
    const char first = value.front();
    if ((first == '"' || first == '\'') && value.back() == first)
        return value.sliced(1, value.size() - 2);
    return value;
}

} // namespace

namespace IniSyntax {

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f' || c == 0x1A;
}

QByteArrayView trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && isBlankByte(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlankByte(text.back()))
        text.chop(1);
    return text;
}

QStringView trimmed(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front().unicode()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back().unicode()))
        text.chop(1);
    return text;
}

LineSpan lineAt(QByteArrayView bytes, qsizetype begin)
{
    qsizetype pos = begin;
    while (pos < bytes.size() && bytes[pos] != '\r' && bytes[pos] != '\n')
        ++pos;
    LineSpan line{begin, pos, pos};
    if (pos == bytes.size())
        return line;
    line.end = pos + 1;
    if (bytes[pos] == '\r' && line.end < bytes.size() && bytes[line.end] == '\n')
        ++line.end;
    return line;
}

Line parse(QByteArrayView text)
{
    const QByteArrayView content = trimmed(text);
    if (content.isEmpty())
        return {};
    if (content.front() == ';')
        return {LineKind::Comment, {}, {}};
    if (content.front() == '[') {
        const QByteArrayView inside = content.sliced(1);
        const qsizetype close = inside.indexOf(']');
        return {LineKind::Section, trimmed(close < 0 ? inside : inside.first(close)), {}};
    }
    const qsizetype equals = content.indexOf('=');
    if (equals < 0)
        return {};
    return {LineKind::Key, trimmed(content.first(equals)),
            unquoted(trimmed(content.sliced(equals + 1)))};
}

bool isSectionLine(QByteArrayView text)
{
    for (const char c : text) {
        if (!isBlankByte(c))
            return c == '[';
    }
    return false;
}

} // namespace IniSyntax
