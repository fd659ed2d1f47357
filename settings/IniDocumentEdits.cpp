#include "IniDocument.h"

#include <QHash>
#include <QSet>

#include <algorithm>

using IniSyntax::LineKind;
using IniSyntax::LineSpan;

namespace {

constexpr QByteArrayView crlf("\r\n");

// A name that matches no real key: what canStore() asks of a section alone.
constexpr QStringView anyKey = u"k";

struct NewKey
{
    QString folded;
    QByteArray key;
    QByteArray value;
    QString text;
    std::optional<LineSpan> line; // its first line in the section, when it has one
};

// A change of the file's bytes: [begin, end) becomes text.
struct Splice
{
    qsizetype begin = 0;
    qsizetype end = 0;
    QByteArray text;
};

} // namespace

struct IniDocument::EditTarget
{
    QString folded;
    QByteArray section;
    bool remove = false;
    QList<NewKey> keys;
    QHash<QString, qsizetype> keyIndex;

    bool found = false;
    LineSpan sectionLine;
    LineSpan lastLineOfKeys;
    qsizetype sectionEnd = 0; // where the next section line begins, or the end of the file
};

IniDocument::Edit IniDocument::removeSection(QStringView section)
{
    section = IniSyntax::trimmed(section);
    if (!canStore(section, anyKey, {}))
        return Edit::Refused;
    std::optional<qsizetype> begin;
    qsizetype end = m_bytes.size();
    bool inSection = false;
    const QByteArrayView bytes(m_bytes);
    for (qsizetype at = m_textStart; at < bytes.size();) {
        const LineSpan span = IniSyntax::lineAt(bytes, at);
        at = span.end;
        const QByteArrayView text = bytes.sliced(span.begin, span.textEnd - span.begin);
        if (!IniSyntax::isSectionLine(text))
            continue;
        const IniSyntax::Line line = IniSyntax::parse(text);
        if (inSection) {
            end = span.begin;
            break;
        }
        if (sameName(line.name, section)) {
            begin = span.begin;
            inSection = true;
        }
    }
    if (!begin)
        return Edit::Unchanged;
    m_bytes.remove(*begin, end - *begin);
    return Edit::Changed;
}

QStringList IniDocument::sectionNames() const
{
    QStringList names;
    QSet<QString> seen;
    const QByteArrayView bytes(m_bytes);
    for (qsizetype at = m_textStart; at < bytes.size();) {
        const LineSpan span = IniSyntax::lineAt(bytes, at);
        at = span.end;
        const QByteArrayView text =
            IniSyntax::trimmed(bytes.sliced(span.begin, span.textEnd - span.begin));
        // Only section lines are parsed: the other lines of a large file are merely skipped.
        if (text.isEmpty() || text.front() != '[')
            continue;
        const QString name = decode(IniSyntax::parse(text).name);
        const QString folded = foldedName(name);
        if (name.isEmpty() || seen.contains(folded))
            continue;
        seen.insert(folded);
        names.append(name);
    }
    return names;
}

bool IniDocument::canStoreAll(const QList<IniSectionEdit>& edits) const
{
    return std::all_of(edits.begin(), edits.end(), [this](const IniSectionEdit& edit) {
        return canStore(edit.section, anyKey, {}) &&
               std::all_of(edit.entries.begin(), edit.entries.end(), [&](const auto& entry) {
                   return canStore(edit.section, entry.first, entry.second);
               });
    });
}

IniDocument::Outcome IniDocument::applyEditsOneByOne(const QList<IniSectionEdit>& edits)
{
    Outcome outcome;
    // A save is one change to the user: a part of it alone would mix two schedules.
    if (!canStoreAll(edits)) {
        outcome.allStored = false;
        return outcome;
    }
    const auto record = [&outcome](Edit edit) {
        outcome.changed = outcome.changed || edit == Edit::Changed;
        outcome.allStored = outcome.allStored && edit != Edit::Refused;
    };
    for (const IniSectionEdit& edit : edits) {
        if (edit.removeSection)
            record(removeSection(edit.section));
        for (const auto& [key, value] : edit.entries)
            record(setValue(edit.section, key, value));
    }
    return outcome;
}

// One pass over the file finds, for every section edited, its first section line, its end,
// its last key line and the first line of each key written.
bool IniDocument::locateTargets(QList<EditTarget>& targets) const
{
    QHash<QString, qsizetype> byName;
    for (qsizetype i = 0; i < targets.size(); ++i)
        byName.insert(targets[i].folded, i);
    QSet<QString> seen;
    EditTarget* current = nullptr;
    const QByteArrayView bytes(m_bytes);
    for (qsizetype at = m_textStart; at < bytes.size();) {
        const LineSpan span = IniSyntax::lineAt(bytes, at);
        at = span.end;
        const QByteArrayView text = bytes.sliced(span.begin, span.textEnd - span.begin);
        if (!current && !IniSyntax::isSectionLine(text))
            continue;
        const IniSyntax::Line line = IniSyntax::parse(text);
        if (line.kind == LineKind::Section) {
            if (current)
                current->sectionEnd = span.begin;
            current = nullptr;
            const QString folded = foldedName(decode(line.name));
            const auto target = byName.constFind(folded);
            if (seen.contains(folded)) {
                // Once the first is removed, a second section of the name is the one written.
                if (target != byName.constEnd() && targets[*target].remove)
                    return false;
                continue;
            }
            seen.insert(folded);
            if (target == byName.constEnd())
                continue;
            current = &targets[*target];
            current->found = true;
            current->sectionLine = span;
            current->lastLineOfKeys = span;
            current->sectionEnd = bytes.size();
            continue;
        }
        if (!current || line.kind != LineKind::Key)
            continue;
        current->lastLineOfKeys = span;
        if (line.name.isEmpty())
            continue;
        const auto key = current->keyIndex.constFind(foldedName(decode(line.name)));
        if (key != current->keyIndex.constEnd() && !current->keys[*key].line)
            current->keys[*key].line = span;
    }
    return true;
}

IniDocument::Outcome IniDocument::applyEdits(const QList<IniSectionEdit>& edits)
{
    Outcome outcome;
    if (!canStoreAll(edits)) {
        outcome.allStored = false;
        return outcome;
    }

    QList<EditTarget> targets;
    QSet<QString> sections;
    for (const IniSectionEdit& edit : edits) {
        const QStringView section = IniSyntax::trimmed(edit.section);
        EditTarget target;
        target.folded = foldedName(section);
        if (sections.contains(target.folded))
            return applyEditsOneByOne(edits);
        sections.insert(target.folded);
        target.section = *encode(section);
        target.remove = edit.removeSection;
        for (const auto& [key, value] : edit.entries) {
            const QStringView name = IniSyntax::trimmed(key);
            NewKey added{foldedName(name), *encode(name), *encode(value), value, std::nullopt};
            if (target.keyIndex.contains(added.folded))
                return applyEditsOneByOne(edits);
            target.keyIndex.insert(added.folded, target.keys.size());
            target.keys.append(std::move(added));
        }
        targets.append(std::move(target));
    }
    if (!locateTargets(targets))
        return applyEditsOneByOne(edits);

    QList<Splice> splices;
    QList<const EditTarget*> appended;
    for (const EditTarget& target : targets) {
        if (target.found && target.remove) {
            splices.append({target.sectionLine.begin, target.sectionEnd, {}});
            outcome.changed = true;
        }
        if (target.keys.isEmpty())
            continue;
        if (!target.found || target.remove) {
            appended.append(&target);
            continue;
        }
        QByteArray inserted;
        for (const NewKey& key : target.keys) {
            if (!key.line) {
                inserted += key.key + '=' + key.value + crlf.toByteArray();
                continue;
            }
            const LineSpan line = *key.line;
            const QByteArrayView oldText =
                QByteArrayView(m_bytes).sliced(line.begin, line.textEnd - line.begin);
            const IniSyntax::Line parsed = IniSyntax::parse(oldText);
            const QByteArray newText = parsed.name.toByteArray() + '=' + key.value;
            if (decode(parsed.value) == key.text || oldText == newText)
                continue;
            splices.append({line.begin, line.textEnd, newText});
        }
        if (!inserted.isEmpty()) {
            if (!target.lastLineOfKeys.isTerminated())
                inserted.prepend(crlf.toByteArray());
            splices.append({target.lastLineOfKeys.end, target.lastLineOfKeys.end, inserted});
        }
    }
    outcome.changed = outcome.changed || !splices.isEmpty() || !appended.isEmpty();

    // A replaced line and the keys inserted after it share no byte: the replacement goes first.
    std::stable_sort(splices.begin(), splices.end(),
                     [](const Splice& a, const Splice& b) { return a.begin < b.begin; });
    QByteArray result;
    result.reserve(m_bytes.size() + 64 * (splices.size() + 1));
    qsizetype copied = 0;
    for (const Splice& splice : splices) {
        result.append(QByteArrayView(m_bytes).sliced(copied, splice.begin - copied));
        result.append(splice.text);
        copied = splice.end;
    }
    result.append(QByteArrayView(m_bytes).sliced(copied));
    m_bytes = std::move(result);

    for (const EditTarget* target : appended) {
        const NewKey& first = target->keys.front();
        appendSection(target->section, first.key + '=' + first.value);
        for (qsizetype i = 1; i < target->keys.size(); ++i)
            m_bytes.append(target->keys[i].key)
                .append('=')
                .append(target->keys[i].value)
                .append(crlf);
    }
    return outcome;
}
