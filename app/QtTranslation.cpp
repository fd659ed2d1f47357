#include "QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

QtTranslation::QtTranslation(QString directory) : m_directory(std::move(directory)) {}

QString QtTranslation::defaultDirectory()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

void QtTranslation::setFrench(bool french)
{
    // English is Qt's own language: no translator at all.
    if (!french) {
        QCoreApplication::removeTranslator(&m_french);
        return;
    }
    if (!m_loadTried) {
        m_loadTried = true;
        m_loaded = m_french.load(QStringLiteral("qtbase_fr"), m_directory);
    }
    if (m_loaded)
        QCoreApplication::installTranslator(&m_french);
}
