#pragma once

#include "IniSectionEdit.h"
#include "IniSyntax.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// The bytes of a settings file, read and edited the way the Windows private-profile functions
// do: names match without regard to case, only the first section of a name counts, and an edit
// touches the one line it concerns and keeps every other byte of the file.
class IniDocument
{
public:
    enum class Encoding
    {
        Cp1252, // what the Windows program reads and writes, and any file that is not UTF-8
        Utf8,   // valid UTF-8 holding more than ASCII, or after a UTF-8 byte-order mark
        Utf16,  // by its byte-order mark: read, never written
    };

    // A text editor saves in UTF-8 by default: such a file is read, and written back, in UTF-8,
    // so that its accented names are neither garbled nor mixed with the code page's bytes. Every
    // other file is the Windows program's, in the Windows-1252 code page.
    static IniDocument fromFileBytes(const QByteArray& bytes);

    Encoding encoding() const { return m_encoding; }
    bool isWritable() const { return m_encoding != Encoding::Utf16; }
    // The file as edited; a UTF-16 file as it was read.
    const QByteArray& bytes() const { return isWritable() ? m_bytes : m_utf16File; }

    // The whole value, not cut; empty when the section or the key is missing.
    std::optional<QString> value(QStringView section, QStringView key) const;

    // Every key of the section in one pass over the file, for callers that need many: each name
    // case-folded (foldedName()) with the whole value of its first line. Empty when the section
    // is missing.
    QHash<QString, QString> sectionKeys(QStringView section) const;
    static QString foldedName(QStringView name);

    // Whether this file could hold the value under these names in its encoding; a UTF-16 file
    // holds nothing new.
    bool canStore(QStringView section, QStringView key, QStringView value) const;

    enum class Edit
    {
        Unchanged, // the key already holds the value
        Changed,
        Refused, // a name or value the file cannot hold, or a file we never write
    };
    Edit setValue(QStringView section, QStringView key, QStringView value);

    // The first section of the name, from its section line up to the next section line.
    Edit removeSection(QStringView section);

    // Every section's name as spelled at its first line, in the order of the file, without the
    // later sections of a name already seen.
    QStringList sectionNames() const;

    struct Outcome
    {
        bool changed = false;
        bool allStored = true; // nothing refused
    };
    // The edits in one pass over the file, which ends as the single removals and writes in
    // order would leave it; a batch the pass cannot answer alike (the same section or key
    // twice, a removed section that has a second of its name) is applied one change at a time.
    // All or nothing: when one name or value cannot be stored, nothing changes.
    Outcome applyEdits(const QList<IniSectionEdit>& edits);
    Outcome applyEditsOneByOne(const QList<IniSectionEdit>& edits);

private:
    struct KeyLocation
    {
        bool sectionFound = false;
        std::optional<IniSyntax::LineSpan> keyLine;
        IniSyntax::LineSpan lastLineOfKeys; // the section's last key line, or its section line
    };

    KeyLocation locate(QStringView section, QStringView key) const;
    // Calls visit(span, line) for the section line of the first section of the name and for
    // each line after it up to the next section, as long as visit returns true.
    struct EditTarget;
    bool locateTargets(QList<EditTarget>& targets) const;
    template <typename Visit> void walkSection(QStringView section, Visit visit) const;
    bool sameName(QByteArrayView name, QStringView wanted) const;
    QString decode(QByteArrayView bytes) const;
    std::optional<QByteArray> encode(QStringView text) const;
    bool canStoreAll(const QList<IniSectionEdit>& edits) const;

    void replaceLine(const IniSyntax::LineSpan& line, const QByteArray& text);
    void insertLineAfter(const IniSyntax::LineSpan& line, const QByteArray& text);
    void appendSection(const QByteArray& section, const QByteArray& keyLine);

    QByteArray m_bytes;        // what is parsed: the file, or a UTF-16 file in UTF-8
    qsizetype m_textStart = 0; // past the byte-order mark
    Encoding m_encoding = Encoding::Cp1252;
    QByteArray m_utf16File; // the file as read, when it is in UTF-16
};
