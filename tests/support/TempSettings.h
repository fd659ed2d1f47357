#pragma once

#include "IniStore.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A settings file in a fresh temporary directory, removed with the object.
class TempSettings
{
public:
    TempSettings();

    QString path() const;
    IniStore store() const { return IniStore(path()); }

    QByteArray contents() const; // the raw bytes, empty when the file does not exist
    void setContents(const QByteArray& bytes) const;
    bool exists() const;

private:
    QTemporaryDir m_dir;
};
