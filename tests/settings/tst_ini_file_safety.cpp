#include "IniStore.h"
#include "TempSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

QString section()
{
    return u"Vantrelle"_s;
}

QByteArray sample()
{
    return "; kept\r\n[Vantrelle]\r\nT1=10\r\n"_ba;
}
constexpr QFile::Permissions readOnly =
    QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
constexpr QFile::Permissions readWrite = readOnly | QFile::WriteOwner | QFile::WriteUser;

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int modeOf(const QString& path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return -1;
    return int(status.st_mode & 07777);
}

QStringList entriesOf(const QString& directory)
{
    return QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                     QDir::NoDotAndDotDot);
}

} // namespace

// The file system side: paths that are not plain files, missing rights, huge files. The test
// runs as root in CI, so read-only cases check the store's own permission logic.
class IniFileSafetyTest : public QObject
{
    Q_OBJECT

private slots:
    void missingDirectoryFails();
    void readOnlyFileFails();
    void readOnlyFileHoldingTheValueIsFine();
    void readOnlyDirectoryFails();
    void readOnlyDirectoryWithoutFileFails();
    void keepsFileMode_data();
    void keepsFileMode();
    void leavesNoTemporaryFiles();
    void removesLeftoversOfKilledSaves_data();
    void removesLeftoversOfKilledSaves();
    void directoryPathGivesNothing();
    void fifoPathDoesNotBlock();
    void symlinkLoopGivesNothing();
    void writesThroughSymlink();
    void hugeFileIsLeftAlone();
    void fileAtTheLimitIsRead();
};

void IniFileSafetyTest::missingDirectoryFails()
{
    const QTemporaryDir dir;
    const IniStore store(dir.filePath(u"missing/vantrelle.ini"_s));
    QVERIFY(!store.Ecrire_Ini(section(), u"T1"_s, u"12"_s));
    QCOMPARE(store.Lire_Ini(section(), u"T1"_s), QString());
    QVERIFY(!QFileInfo::exists(dir.filePath(u"missing"_s)));
}

void IniFileSafetyTest::readOnlyFileFails()
{
    const TempSettings settings;
    settings.setContents(sample());
    QVERIFY(QFile::setPermissions(settings.path(), readOnly));
    QVERIFY(!settings.store().Ecrire_Ini(section(), u"T1"_s, u"12"_s));
    QVERIFY(!settings.store().Ecrire_Ini(section(), u"T2"_s, u"26"_s));
    QCOMPARE(settings.contents(), sample());
    QCOMPARE(modeOf(settings.path()), 0444);
}

void IniFileSafetyTest::readOnlyFileHoldingTheValueIsFine()
{
    const TempSettings settings;
    settings.setContents(sample());
    QVERIFY(QFile::setPermissions(settings.path(), readOnly));
    QVERIFY(settings.store().Ecrire_Ini(section(), u"t1"_s, u"10"_s));
    QCOMPARE(settings.contents(), sample());
}

void IniFileSafetyTest::readOnlyDirectoryFails()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"vantrelle.ini"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(sample());
    file.close();
    QVERIFY(QFile::setPermissions(dir.path(), readOnly | QFile::ExeOwner | QFile::ExeUser));

    const bool written = IniStore(path).Ecrire_Ini(section(), u"T1"_s, u"12"_s);
    const QStringList entries = entriesOf(dir.path());
    QVERIFY(QFile::setPermissions(dir.path(), readWrite | QFile::ExeOwner | QFile::ExeUser));

    QVERIFY(!written);
    QCOMPARE(entries, QStringList{u"vantrelle.ini"_s});
    QCOMPARE(readBytes(path), sample());
}

void IniFileSafetyTest::readOnlyDirectoryWithoutFileFails()
{
    QTemporaryDir dir;
    QVERIFY(QFile::setPermissions(dir.path(), readOnly | QFile::ExeOwner | QFile::ExeUser));
    const bool written =
        IniStore(dir.filePath(u"vantrelle.ini"_s)).Ecrire_Ini(section(), u"C"_s, u"F"_s);
    const QStringList entries = entriesOf(dir.path());
    QVERIFY(QFile::setPermissions(dir.path(), readWrite | QFile::ExeOwner | QFile::ExeUser));

    QVERIFY(!written);
    QCOMPARE(entries, QStringList());
}

void IniFileSafetyTest::keepsFileMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("0600") << 0600;
    QTest::newRow("0640") << 0640;
    QTest::newRow("0664") << 0664;
    QTest::newRow("0606") << 0606;
}

void IniFileSafetyTest::keepsFileMode()
{
    QFETCH(int, mode);
    const TempSettings settings;
    settings.setContents(sample());
    QCOMPARE(::chmod(QFile::encodeName(settings.path()).constData(), mode), 0);

    QVERIFY(settings.store().Ecrire_Ini(section(), u"T1"_s, u"12"_s));
    QVERIFY(settings.store().Ecrire_Ini(section(), u"C"_s, u"A"_s));

    QCOMPARE(modeOf(settings.path()), mode);
    QCOMPARE(settings.contents(), "; kept\r\n[Vantrelle]\r\nT1=12\r\nC=A\r\n"_ba);
}

void IniFileSafetyTest::leavesNoTemporaryFiles()
{
    const TempSettings settings;
    settings.setContents(sample());
    QVERIFY(settings.store().Ecrire_Ini(section(), u"T1"_s, u"12"_s));
    QCOMPARE(entriesOf(QFileInfo(settings.path()).absolutePath()), QStringList{u"vantrelle.ini"_s});
}

void IniFileSafetyTest::removesLeftoversOfKilledSaves_data()
{
    QTest::addColumn<QStringList>("before"); // files beside the settings file
    QTest::addColumn<QStringList>("after");
    QTest::newRow("new file not yet renamed")
        << QStringList{u"vantrelle.ini.saving"_s} << QStringList();
    QTest::newRow("temporary files of the new file")
        << QStringList{u"vantrelle.ini.saving.AbCdEf"_s, u"vantrelle.ini.saving.zzzzzz"_s}
        << QStringList();
    const QStringList others = {u"vantrelle.ini.backup"_s, u"vantrelle.ini.saving.AbCdE1"_s,
                                u"vantrelle.ini.saving.old"_s, u"autre.ini.saving"_s,
                                u"Vantrelle.ini.saving"_s};
    QTest::newRow("files of the user and of other programs") << others << others;
}

void IniFileSafetyTest::removesLeftoversOfKilledSaves()
{
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    const TempSettings settings;
    settings.setContents(sample());
    const QDir folder = QFileInfo(settings.path()).dir();
    for (const QString& name : before) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(sample());
    }

    QVERIFY(settings.store().Ecrire_Ini(section(), u"T1"_s, u"12"_s));
    QCOMPARE(settings.contents(), "; kept\r\n[Vantrelle]\r\nT1=12\r\n"_ba);
    QStringList expected = after + QStringList{u"vantrelle.ini"_s};
    expected.sort();
    QStringList entries = entriesOf(folder.path());
    entries.sort();
    QCOMPARE(entries, expected);
}

void IniFileSafetyTest::directoryPathGivesNothing()
{
    const QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"vantrelle.ini"_s));
    const IniStore store(dir.filePath(u"vantrelle.ini"_s));
    QCOMPARE(store.Lire_Ini(section(), u"C"_s), QString());
    QVERIFY(!store.Ecrire_Ini(section(), u"C"_s, u"F"_s));
    QVERIFY(QFileInfo(store.filePath()).isDir());
}

void IniFileSafetyTest::fifoPathDoesNotBlock()
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(u"vantrelle.ini"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    const IniStore store(path);
    QCOMPARE(store.Lire_Ini(section(), u"C"_s), QString());
    QVERIFY(!store.Ecrire_Ini(section(), u"C"_s, u"F"_s));
    QVERIFY(!QFileInfo(path).isFile());
    QVERIFY(QFileInfo(path).exists());
}

void IniFileSafetyTest::symlinkLoopGivesNothing()
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(u"vantrelle.ini"_s);
    const QString other = dir.filePath(u"other.ini"_s);
    QVERIFY(QFile::link(other, path));
    QVERIFY(QFile::link(path, other));
    const IniStore store(path);
    QCOMPARE(store.Lire_Ini(section(), u"C"_s), QString());
    QVERIFY(!store.Ecrire_Ini(section(), u"C"_s, u"F"_s));
    QVERIFY(QFileInfo(path).isSymLink());
}

void IniFileSafetyTest::writesThroughSymlink()
{
    const TempSettings settings;
    settings.setContents(sample());
    const QTemporaryDir dir;
    const QString link = dir.filePath(u"link.ini"_s);
    QVERIFY(QFile::link(settings.path(), link));

    const IniStore store(link);
    QCOMPARE(store.Lire_Ini(section(), u"T1"_s), u"10"_s);
    QVERIFY(store.Ecrire_Ini(section(), u"T1"_s, u"12"_s));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(settings.contents(), "; kept\r\n[Vantrelle]\r\nT1=12\r\n"_ba);
}

void IniFileSafetyTest::hugeFileIsLeftAlone()
{
    const TempSettings settings;
    settings.setContents(sample());
    {
        QFile file(settings.path());
        QVERIFY(file.resize(100 * 1000 * 1000)); // sparse: cheap to make
    }
    QCOMPARE(settings.store().Lire_Ini(section(), u"T1"_s), QString());
    QVERIFY(!settings.store().Ecrire_Ini(section(), u"T1"_s, u"12"_s));
    QCOMPARE(QFileInfo(settings.path()).size(), 100 * 1000 * 1000);
    QFile file(settings.path());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(sample().size()), sample());
}

void IniFileSafetyTest::fileAtTheLimitIsRead()
{
    constexpr qint64 limit = 16 * 1024 * 1024;
    const TempSettings settings;
    const QByteArray head = "[Vantrelle]\r\nT1=10\r\n;"_ba;
    settings.setContents(head + QByteArray(limit - head.size(), 'x'));
    QCOMPARE(settings.store().Lire_Ini(section(), u"T1"_s), u"10"_s);

    QFile file(settings.path());
    QVERIFY(file.resize(limit + 1));
    QCOMPARE(settings.store().Lire_Ini(section(), u"T1"_s), QString());
}

QTEST_GUILESS_MAIN(IniFileSafetyTest)
#include "tst_ini_file_safety.moc"
