#pragma once

#include <QList>
#include <QString>

#include <utility>

// One section's part of a save that changes many keys and sections at once: the section's
// lines are removed first when asked, then the keys are written in order (into a section
// made anew at the end of the file when it was removed or missing).
struct IniSectionEdit
{
    QString section;
    bool removeSection = false;
    QList<std::pair<QString, QString>> entries;
};
