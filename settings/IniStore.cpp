#include "IniStore.h"

IniStore::IniStore(QString filePath) : m_filePath(std::move(filePath)) {}

QString IniStore::Lire_Ini(const QString&, const QString&) const
{
    return {};
}

bool IniStore::Ecrire_Ini(const QString&, const QString&, const QString&) const
{
    return false;
}

bool IniStore::writeKeys(const QString&, const QList<std::pair<QString, QString>>&) const
{
    return false;
}
