#include "TempSettings.h"

#include <QFile>

TempSettings::TempSettings() = default;

QString TempSettings::path() const
{
    return m_dir.filePath(QStringLiteral("vantrelle.ini"));
}

QByteArray TempSettings::contents() const
{
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void TempSettings::setContents(const QByteArray& bytes) const
{
    QFile file(path());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

bool TempSettings::exists() const
{
    return QFile::exists(path());
}
