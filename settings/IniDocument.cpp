#include "IniDocument.h"

#include "Cp1252.h"

#include <QStringDecoder>

#include <cstdint>
#include <cstring>

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

// Whether the bytes are strict UTF-8 (no overlong form, no surrogate, nothing above U+10FFFF)
// holding more than ASCII; nothing when they are not UTF-8.
std::optional<bool> utf8BeyondAscii(QByteArrayView bytes)
{
    bool beyondAscii = false;
    const qsizetype size = bytes.size();
    const char* data = bytes.data();
    for (qsizetype i = 0; i < size;) {
        // Most of a settings file is ASCII: eight bytes at a time while it is.
        std::uint64_t word = 0;
        if (i + qsizetype(sizeof word) <= size) {
            std::memcpy(&word, data + i, sizeof word);
            if ((word & 0x8080808080808080U) == 0) {
                i += sizeof word;
                continue;
            }
        }
        const auto lead = static_cast<unsigned char>(data[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        beyondAscii = true;
        qsizetype length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return std::nullopt;
        }
        if (i + length > size)
            return std::nullopt;
        for (qsizetype k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(data[i + k]);
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF))
                return std::nullopt;
        }
        i += length;
    }
    return beyondAscii;
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
        document.m_encoding = Encoding::Utf16;
        return document;
    }
    document.m_bytes = bytes;
    const bool bom = bytes.startsWith(utf8Bom);
    if (bom)
        document.m_textStart = utf8Bom.size();
    // A file of ASCII alone reads the same either way and stays in the code page, unless a
    // byte-order mark says UTF-8; so does a file that is not valid UTF-8, with or without one.
    const std::optional<bool> beyondAscii =
        utf8BeyondAscii(QByteArrayView(bytes).sliced(document.m_textStart));
    if (beyondAscii && (*beyondAscii || bom))
        document.m_encoding = Encoding::Utf8;
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

bool IniDocument::canStore(QStringView section, QStringView key, QStringView value) const
{
    section = IniSyntax::trimmed(section);
    key = IniSyntax::trimmed(key);
    return isWritable() && isStorable(section, key, value) && encode(section) && encode(key) &&
           encode(value);
}

IniDocument::Edit IniDocument::setValue(QStringView section, QStringView key, QStringView value)
{
    section = IniSyntax::trimmed(section);
    key = IniSyntax::trimmed(key);
    if (!isWritable() || !isStorable(section, key, value))
        return Edit::Refused;
    const std::optional<QByteArray> sectionBytes = encode(section);
    const std::optional<QByteArray> keyBytes = encode(key);
    const std::optional<QByteArray> valueBytes = encode(value);
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
    if (m_encoding == Encoding::Cp1252 && name.size() != wanted.size())
        return false;
    return QStringView(decode(name)).compare(wanted, Qt::CaseInsensitive) == 0;
}

QString IniDocument::decode(QByteArrayView bytes) const
{
    return m_encoding == Encoding::Cp1252 ? Cp1252::decode(bytes) : QString::fromUtf8(bytes);
}

std::optional<QByteArray> IniDocument::encode(QStringView text) const
{
    if (m_encoding == Encoding::Cp1252)
        return Cp1252::encode(text);
    // A lone surrogate has no UTF-8 form.
    if (!text.isValidUtf16())
        return std::nullopt;
    return text.toUtf8();
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
