#include "IniStore.h"

#include "IniDocument.h"
#include "IniFile.h"
#include "IniLock.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <variant>

namespace {

// A save holds the lock for milliseconds and a dead holder's lock is taken over within a second
// or so; a writer waits far longer than that, so that waiting behind other copies of the program
// never drops a write, the schedule saved on leaving above all. Only a live copy that keeps the
// lock this long, stopped in a debugger say, makes a write fail.
constexpr std::chrono::milliseconds lockWait = std::chrono::seconds(10);

// Whether the keys read hold every value as it would be written. A value the file holds only as
// written, with its blanks or quotes, is not seen here: the locked write finds it unchanged.
bool holdsAll(const IniDocument& document, const QHash<QString, QString>& keys,
              const QString& section, const QList<std::pair<QString, QString>>& entries)
{
    return std::all_of(entries.begin(), entries.end(), [&](const auto& entry) {
        const auto found = keys.constFind(IniDocument::foldedName(entry.first));
        return found != keys.constEnd() && *found == entry.second &&
               document.canStore(section, entry.first, entry.second);
    });
}

bool sameSection(const QString& a, const QString& b)
{
    return IniDocument::foldedName(a) == IniDocument::foldedName(b);
}

} // namespace

struct IniStore::HeldReading::State
{
    bool active = false;
    QString section;
    IniFile::Identity identity; // of the file the keys were read from
    IniDocument document;
    // What the reads ask of the document, worked out at the first read that needs it.
    std::optional<QHash<QString, QString>> keys; // IniDocument::sectionKeys()
    std::optional<QStringList> sections;         // IniDocument::sectionNames()
    bool writable = false;                       // the file as read could be rewritten
};

void IniStore::takeReading(HeldReading::State& held, const QString& path)
{
    // The identity first: a file replaced in between is then read again at the next look.
    held.identity = IniFile::identity(path);
    const std::optional<QByteArray> bytes = IniFile::read(path);
    held.document = IniDocument::fromFileBytes(bytes.value_or(QByteArray()));
    held.keys.reset();
    held.sections.reset();
    held.writable = bytes && held.document.isWritable();
}

IniStore::HeldReading& IniStore::HeldReading::operator=(HeldReading&& other) noexcept
{
    if (this != &other) {
        if (m_state)
            m_state->active = false;
        m_state = std::move(other.m_state);
    }
    return *this;
}

IniStore::HeldReading::~HeldReading()
{
    if (m_state)
        m_state->active = false;
}

QString IniStore::asRead(QString value)
{
    if (value.size() <= maxValueLength)
        return value;
    value.truncate(maxValueLength);
    if (value.back().isHighSurrogate())
        value.chop(1);
    return value;
}

IniStore::IniStore(QString filePath)
    : m_filePath(std::move(filePath)), m_held(std::make_shared<HeldReading::State>())
{}

IniStore::HeldReading IniStore::holdReading(const QString& section) const
{
    if (m_held->active)
        return {}; // the outer hold keeps its reading, and ends it
    m_held->section = section;
    takeReading(*m_held, m_filePath);
    m_held->active = true;
    return HeldReading(m_held);
}

bool IniStore::holds(const QString& section) const
{
    return m_held->active && sameSection(section, m_held->section);
}

const QHash<QString, QString>* IniStore::heldKeys(const QString& section) const
{
    if (!holds(section) || !heldReadingIsCurrent())
        return nullptr;
    if (!m_held->keys)
        m_held->keys = m_held->document.sectionKeys(m_held->section);
    return &*m_held->keys;
}

bool IniStore::heldReadingIsCurrent() const
{
    if (!m_held->active)
        return false;
    // Another copy of the program may have written since: its rewrite is a new file. (A file
    // rewritten twice within one tick of the file system's clock, to the same size and the same
    // inode number, would go unnoticed; a reading is held for a moment only.)
    if (IniFile::identity(m_filePath) != m_held->identity)
        takeReading(*m_held, m_filePath);
    return true;
}

QStringList IniStore::sectionNames() const
{
    if (heldReadingIsCurrent()) {
        if (!m_held->sections)
            m_held->sections = m_held->document.sectionNames();
        return *m_held->sections;
    }
    const std::optional<QByteArray> bytes = IniFile::read(m_filePath);
    return IniDocument::fromFileBytes(bytes.value_or(QByteArray())).sectionNames();
}

QString IniStore::Lire_Ini(const QString& section, const QString& key) const
{
    if (const QHash<QString, QString>* keys = heldKeys(section))
        return asRead(keys->value(IniDocument::foldedName(key)));
    const std::optional<QByteArray> bytes = IniFile::read(m_filePath);
    if (!bytes)
        return {};
    const IniDocument document = IniDocument::fromFileBytes(*bytes);
    return asRead(document.value(section, key).value_or(QString()));
}

QStringList IniStore::readKeys(const QString& section, const QStringList& keys) const
{
    QHash<QString, QString> read;
    const QHash<QString, QString>* values = heldKeys(section);
    if (!values && heldReadingIsCurrent()) {
        read = m_held->document.sectionKeys(section);
        values = &read;
    }
    if (!values) {
        const std::optional<QByteArray> bytes = IniFile::read(m_filePath);
        read = IniDocument::fromFileBytes(bytes.value_or(QByteArray())).sectionKeys(section);
        values = &read;
    }
    QStringList result;
    result.reserve(keys.size());
    for (const QString& key : keys)
        result.append(asRead(values->value(IniDocument::foldedName(key))));
    return result;
}

bool IniStore::Ecrire_Ini(const QString& section, const QString& key, const QString& value) const
{
    return writeKeys(section, {{key, value}});
}

bool IniStore::writeKeys(const QString& section,
                         const QList<std::pair<QString, QString>>& entries) const
{
    // A first look without the lock: when the file already holds every value (the language
    // code written at each start, a schedule saved again unchanged), there is nothing to lock or
    // write. One pass over the file answers that for all the keys; a held reading answers it
    // without reading the file again.
    if (const QHash<QString, QString>* keys = heldKeys(section)) {
        if (m_held->writable && holdsAll(m_held->document, *keys, section, entries))
            return true;
    } else {
        const std::optional<QByteArray> current = IniFile::read(m_filePath);
        if (!current)
            return false;
        const IniDocument document = IniDocument::fromFileBytes(*current);
        if (holdsAll(document, document.sectionKeys(section), section, entries))
            return true;
    }
    return applyEdits({{section, false, entries}});
}

bool IniStore::applyEdits(const QList<IniSectionEdit>& edits) const
{
    // No first look here, unlike writeKeys: these edits are made to change the file, and one
    // more reading of a large file costs more than an idle lock.
    return change([&edits](const IniDocument&) { return std::optional(edits); }) == Change::Done;
}

IniDocument IniStore::document() const
{
    if (heldReadingIsCurrent())
        return m_held->document;
    const std::optional<QByteArray> bytes = IniFile::read(m_filePath);
    return IniDocument::fromFileBytes(bytes.value_or(QByteArray()));
}

namespace {

// The file at path read and the plan's edits applied to it in memory: the document to write, or
// how the change ended when there is nothing to write.
std::variant<IniDocument, IniStore::Change> planned(const QString& path, const IniStore::Plan& plan)
{
    const std::optional<QByteArray> bytes = IniFile::read(path);
    if (!bytes)
        return IniStore::Change::Failed;
    IniDocument document = IniDocument::fromFileBytes(*bytes);
    const std::optional<QList<IniSectionEdit>> edits = plan(document);
    if (!edits)
        return IniStore::Change::Declined;
    const IniDocument::Outcome outcome = document.applyEdits(*edits);
    // A UTF-16 file is never written, whatever the values.
    if (!outcome.allStored)
        return document.isWritable() ? IniStore::Change::Refused : IniStore::Change::Failed;
    if (!outcome.changed)
        return IniStore::Change::Done;
    return document;
}

} // namespace

IniStore::Change IniStore::change(const Plan& plan) const
{
    if (!IniFile::mayReplace(m_filePath)) {
        // A file we may not replace may already hold the change, a schedule saved again
        // unchanged say: that is no failure.
        const std::variant<IniDocument, Change> result = planned(m_filePath, plan);
        return std::holds_alternative<Change>(result) ? std::get<Change>(result) : Change::Failed;
    }

    // Another copy of the program may have written since any earlier look: the change is
    // decided again on what the file holds once the lock is ours.
    const QString target = IniFile::resolvedPath(m_filePath);
    IniLock lock(target);
    if (!lock.acquire(lockWait))
        return Change::Failed;
    IniFile::removeLeftovers(target);
    std::variant<IniDocument, Change> result = planned(target, plan);
    if (std::holds_alternative<Change>(result))
        return std::get<Change>(result);
    IniDocument& document = std::get<IniDocument>(result);
    if (!IniFile::replace(target, document.bytes()))
        return Change::Failed;
    followWrite(std::move(document));
    return Change::Done;
}

void IniStore::followWrite(IniDocument document) const
{
    if (!m_held->active)
        return;
    // Still under the lock: the file is the document, and nobody else can change it yet.
    m_held->identity = IniFile::identity(m_filePath);
    m_held->writable = document.isWritable();
    m_held->document = std::move(document);
    m_held->keys.reset();
    m_held->sections.reset();
}
