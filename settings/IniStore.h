#pragma once

#include "IniSectionEdit.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class IniDocument;

// The settings file, edited in place line by line the way the Windows private-profile functions
// do, so a file brought over from Windows keeps its comments, other sections and CRLF endings.
// Every read opens the file afresh, outside a held reading (below): a write is seen by the next
// read.
class IniStore
{
public:
    explicit IniStore(QString filePath);

    const QString& filePath() const { return m_filePath; }

    // What the Windows reader hands back through its 255-character buffer.
    static constexpr qsizetype maxValueLength = 254;
    // A whole value as a read returns it: cut to maxValueLength.
    static QString asRead(QString value);

    // The key's value, cut to 254 characters; "" when the file, section or key is missing.
    QString Lire_Ini(const QString& section, const QString& key) const;

    // Several keys read from one reading of the file, each as Lire_Ini would return it; from the
    // held reading (below) whatever the section.
    QStringList readKeys(const QString& section, const QStringList& keys) const;

    // Replaces the key's value in place, or adds the key (and the section, and the file).
    // A failure is not reported to the user; it leaves the file as it was. Returns whether the
    // file now holds the value.
    bool Ecrire_Ini(const QString& section, const QString& key, const QString& value) const;

    // Several keys in one locked read-change-write; the file ends as the single writes in
    // order would leave it.
    bool writeKeys(const QString& section, const QList<std::pair<QString, QString>>& entries) const;

    // Many keys of several sections, and sections removed, in one locked read-change-write and
    // one pass over the file, which ends as the single changes in order would leave it. Returns
    // whether every change is in the file; the held reading follows the change.
    bool applyEdits(const QList<IniSectionEdit>& edits) const;

    // The names of the file's sections, in their order, each once.
    QStringList sectionNames() const;

    // The whole file as read now (from the held reading, below, while it is current), for
    // callers that look at many sections.
    IniDocument document() const;

    // A change decided on what the file holds: under the lock, `plan` is shown the file as it is
    // and answers the edits to make, or nothing to leave the file as it is. Another copy of the
    // program cannot change the file between the look and the write. All or nothing: a name or
    // value the file cannot hold writes none of the edits. `plan` may be called more than once.
    enum class Change
    {
        Done,     // the file holds the edits
        Declined, // the plan answered nothing
        Refused,  // a name or value the file cannot hold; the file is as it was
        Failed,   // the file could not be read or replaced, stayed locked, or is one never
                  // written (UTF-16); it is as it was
    };
    using Plan = std::function<std::optional<QList<IniSectionEdit>>(const IniDocument&)>;
    Change change(const Plan& plan) const;

    // A burst of reads from one reading of the file, such as the start-up's, which would
    // otherwise read a large file once per key group. While the returned object lives, this store
    // and its copies answer reads of the section from the reading taken here for as long as the
    // file stays as it was read (its own writes keep the reading up to date); a file changed by
    // another running copy is read again.
    class HeldReading
    {
    public:
        HeldReading() = default;
        HeldReading(HeldReading&& other) noexcept = default;
        HeldReading& operator=(HeldReading&& other) noexcept;
        ~HeldReading();

    private:
        friend class IniStore;
        struct State;
        explicit HeldReading(std::shared_ptr<State> state) : m_state(std::move(state)) {}
        std::shared_ptr<State> m_state;
    };
    [[nodiscard]] HeldReading holdReading(const QString& section) const;

private:
    static void takeReading(HeldReading::State& held, const QString& path);
    bool holds(const QString& section) const;
    const QHash<QString, QString>* heldKeys(const QString& section) const;
    bool heldReadingIsCurrent() const;
    void followWrite(IniDocument document) const;

    QString m_filePath;
    std::shared_ptr<HeldReading::State> m_held;
};
