#include "IniDocument.h"

#include "Cp1252.h"

#include <QStringDecoder>

using IniSyntax::LineKind;
using IniSyntax::LineSpan;

namespace {

constexpr QByteArrayView utf8Bom("\xEF\xBB\xBF");
constexpr QByteArrayView crlf("\r\n");

std::optional<QStringDecoder::Encoding> utf16Encoding(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder::Utf16LE;
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder::Utf16BE;
    return std::nullopt;
}

bool holdsLineBreakOrNul(QStringView text)
{
    return text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(0));
}

// What Windows would write verbatim and so corrupt the file with.
bool isStorable(QStringView section, QStringView key, QStringView value)
{
    if (section.isEmpty() || key.isEmpty())
        return false;
    if (holdsLineBreakOrNul(section) || holdsLineBreakOrNul(key) || holdsLineBreakOrNul(value))
        return false;
    if (section.contains(u']') || key.contains(u'='))
        return false;
    return !key.startsWith(u';') && !key.startsWith(u'[');
}

} // namespace

IniDocument IniDocument::fromFileBytes(const QByteArray& bytes)
{
    IniDocument document;
    if (const auto encoding = utf16Encoding(bytes)) {
        QStringDecoder decoder(*encoding, QStringDecoder::Flag::Stateless);
        const QString text = decoder(QByteArrayView(bytes).sliced(2));
        document.m_bytes = text.toUtf8();
        document.m_utf16File = bytes;
        return document;
    }
    document.m_bytes = bytes;
    if (bytes.startsWith(utf8Bom))
        document.m_textStart = utf8Bom.size();
    return document;
}

template <typename Visit> void IniDocument::walkSection(QStringView section, Visit visit) const
{
    bool inSection = false;
    const QByteArrayView bytes(m_bytes);
    for (qsizetype begin = m_textStart; begin < bytes.size();) {
        const LineSpan span = IniSyntax::lineAt(bytes, begin);
        begin = span.end;
        const QByteArrayView text = bytes.sliced(span.begin, span.textEnd - span.begin);
        if (!inSection && !IniSyntax::isSectionLine(text))
            continue;
        const IniSyntax::Line line = IniSyntax::parse(text);
        if (line.kind == LineKind::Section) {
            if (inSection)
                return; // only the first section of the name is searched
            if (!sameName(line.name, section))
                continue;
            inSection = true;
        } else if (!inSection) {
            continue;
        }
        if (!visit(span, line))
            return;
    }
}

std::optional<QString> IniDocument::value(QStringView section, QStringView key) const
{
    const KeyLocation location = locate(IniSyntax::trimmed(section), IniSyntax::trimmed(key));
    if (!location.keyLine)
        return std::nullopt;
    const LineSpan line = *location.keyLine;
    const QByteArrayView text =
        QByteArrayView(m_bytes).sliced(line.begin, line.textEnd - line.begin);
    return decode(IniSyntax::parse(text).value);
}

QHash<QString, QString> IniDocument::sectionKeys(QStringView section) const
{
    QHash<QString, QString> keys;
    section = IniSyntax::trimmed(section);
    if (section.isEmpty())
        return keys;
    walkSection(section, [&](const LineSpan&, const IniSyntax::Line& line) {
        if (line.kind != LineKind::Key || line.name.isEmpty())
            return true;
        // The first line of a name wins, as it does for value().
        const QString name = foldedName(decode(line.name));
        if (!keys.contains(name))
            keys.insert(name, decode(line.value));
        return true;
    });
    return keys;
}

QString IniDocument::foldedName(QStringView name)
{
    // Folding character by character is what a comparison without regard to case does.
    return IniSyntax::trimmed(name).toString().toCaseFolded();
}

bool IniDocument::canStore(QStringView section, QStringView key, QStringView value)
{
    section = IniSyntax::trimmed(section);
    key = IniSyntax::trimmed(key);
    return isStorable(section, key, value) && Cp1252::encode(section) && Cp1252::encode(key) &&
           Cp1252::encode(value);
}

IniDocument::Edit IniDocument::setValue(QStringView section, QStringView key, QStringView value)
{
    section = IniSyntax::trimmed(section);
    key = IniSyntax::trimmed(key);
    if (m_utf16File || !isStorable(section, key, value))
        return Edit::Refused;
    // New text is always in the code page; a UTF-16 file never gets this far.
    const std::optional<QByteArray> sectionBytes = Cp1252::encode(section);
    const std::optional<QByteArray> keyBytes = Cp1252::encode(key);
    const std::optional<QByteArray> valueBytes = Cp1252::encode(value);
    if (!sectionBytes || !keyBytes || !valueBytes)
        return Edit::Refused;

    const KeyLocation location = locate(section, key);
    if (!location.sectionFound) {
        appendSection(*sectionBytes, *keyBytes + '=' + *valueBytes);
        return Edit::Changed;
    }
    if (!location.keyLine) {
        insertLineAfter(location.lastLineOfKeys, *keyBytes + '=' + *valueBytes);
        return Edit::Changed;
    }

    const LineSpan line = *location.keyLine;
    const QByteArrayView oldText =
        QByteArrayView(m_bytes).sliced(line.begin, line.textEnd - line.begin);
    const IniSyntax::Line parsed = IniSyntax::parse(oldText);
    const QByteArray newText = parsed.name.toByteArray() + '=' + *valueBytes;
    if (decode(parsed.value) == value || oldText == newText)
        return Edit::Unchanged;
    replaceLine(line, newText);
    return Edit::Changed;
}

IniDocument::KeyLocation IniDocument::locate(QStringView section, QStringView key) const
{
    KeyLocation location;
    if (section.isEmpty() || key.isEmpty())
        return location;
    walkSection(section, [&](const LineSpan& span, const IniSyntax::Line& line) {
        if (line.kind == LineKind::Section) {
            location.sectionFound = true;
            location.lastLineOfKeys = span;
            return true;
        }
        if (line.kind != LineKind::Key)
            return true;
        location.lastLineOfKeys = span;
        if (!sameName(line.name, key))
            return true;
        location.keyLine = span;
        return false;
    });
    return location;
}

bool IniDocument::sameName(QByteArrayView name, QStringView wanted) const
{
    // One byte is one character in the code page: a cheap test before decoding.
    if (!m_utf16File && name.size() != wanted.size())
        return false;
    return QStringView(decode(name)).compare(wanted, Qt::CaseInsensitive) == 0;
}

QString IniDocument::decode(QByteArrayView bytes) const
{
    return m_utf16File ? QString::fromUtf8(bytes) : Cp1252::decode(bytes);
}

void IniDocument::replaceLine(const LineSpan& line, const QByteArray& text)
{
    m_bytes.replace(line.begin, line.textEnd - line.begin, text);
}

void IniDocument::insertLineAfter(const LineSpan& line, const QByteArray& text)
{
    qsizetype at = line.end;
    if (!line.isTerminated()) {
        m_bytes.insert(at, crlf);
        at += crlf.size();
    }
    m_bytes.insert(at, crlf);
    m_bytes.insert(at, text);
}

void IniDocument::appendSection(const QByteArray& section, const QByteArray& keyLine)
{
    const bool lastLineOpen =
        m_bytes.size() > m_textStart && !m_bytes.endsWith('\n') && !m_bytes.endsWith('\r');
    if (lastLineOpen)
        m_bytes.append(crlf);
    m_bytes.append('[').append(section).append(']').append(crlf).append(keyLine).append(crlf);
}
