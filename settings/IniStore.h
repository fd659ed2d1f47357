#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// The settings file, edited in place line by line the way the Windows private-profile functions
// do, so a file brought over from Windows keeps its comments, other sections and CRLF endings.
// Every read opens the file afresh: nothing is cached, so a write is seen by the next read.
class IniStore
{
public:
    explicit IniStore(QString filePath);

    const QString& filePath() const { return m_filePath; }

    // The key's value, cut to 254 characters; "" when the file, section or key is missing.
    QString Lire_Ini(const QString& section, const QString& key) const;

    // Several keys read from one reading of the file, each as Lire_Ini would return it.
    QStringList readKeys(const QString& section, const QStringList& keys) const;

    // Replaces the key's value in place, or adds the key (and the section, and the file).
    // A failure is not reported to the user; it leaves the file as it was. Returns whether the
    // file now holds the value.
    bool Ecrire_Ini(const QString& section, const QString& key, const QString& value) const;

    // Several keys in one locked read-change-write; the file ends as the single writes in
    // order would leave it.
    bool writeKeys(const QString& section, const QList<std::pair<QString, QString>>& entries) const;

private:
    QString m_filePath;
};
