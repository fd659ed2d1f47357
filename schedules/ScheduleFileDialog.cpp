#include "ScheduleFileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString suffix = QStringLiteral("ini");

QString startFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // A folder that does not exist would be taken for a file name.
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

QString asked(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString withScheduleSuffix(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + u'.' + suffix;
}

QString askExportPath(QWidget* parent, const QString& title, const QString& filter,
                      const QString& fileName)
{
    QFileDialog dialog(parent, title, startFolder(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    QString name = fileName;
    name.replace(u'/', u'-').replace(u'\\', u'-');
    dialog.selectFile(QDir(startFolder()).filePath(name));
    return withScheduleSuffix(asked(dialog));
}

QString askImportPath(QWidget* parent, const QString& title, const QString& filter)
{
    QFileDialog dialog(parent, title, startFolder(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return asked(dialog);
}
