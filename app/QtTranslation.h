#pragma once

#include <QString>
#include <QTranslator>

// Qt's own texts (the standard buttons of message boxes, the fields' context menus) in the
// language of the window's captions. Qt's French comes from Debian's qt6-translations-l10n; without
// it, Qt's texts simply stay in English.
class QtTranslation
{
public:
    explicit QtTranslation(QString directory = defaultDirectory());

    void setFrench(bool french);

    static QString defaultDirectory();

private:
    QString m_directory;
    QTranslator m_french;
    bool m_loadTried = false;
    bool m_loaded = false;
};
