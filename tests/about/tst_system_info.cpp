#include "SystemInfo.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSystemInfo : public QObject
{
    Q_OBJECT

private:
    static void writeFile(const QString& path, bool executable)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nexit 0\n");
        file.close();
        QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        if (executable)
            permissions |= QFileDevice::ExeOwner;
        QVERIFY(file.setPermissions(permissions));
    }

private slots:
    void emptyDirectoryHoldsNoTool()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(!findSystemInfoTool({dir.path()}).has_value());
    }

    void unrelatedProgramIsNoTool()
    {
#ifdef Q_OS_WIN
        QSKIP("Executables are recognised by their extension on Windows");
#endif
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        writeFile(dir.filePath(QStringLiteral("gnome-system-monitor")), true);
        QVERIFY(!findSystemInfoTool({dir.path()}).has_value());
    }

    void installedToolIsFound_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("KDE info centre") << QStringLiteral("kinfocenter");
        QTest::newRow("HardInfo") << QStringLiteral("hardinfo");
        QTest::newRow("Xfce about") << QStringLiteral("xfce4-about");
    }

    void installedToolIsFound()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows finds its tool through the registry");
#endif
        QFETCH(QString, program);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(program);
        writeFile(path, true);

        const std::optional<SystemInfoTool> tool = findSystemInfoTool({dir.path()});
        QVERIFY(tool.has_value());
        QCOMPARE(tool->program, path);
        QVERIFY(tool->arguments.isEmpty());
    }

    void fileThatCannotRunIsNoTool()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows has no execute permission bit");
#endif
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        writeFile(dir.filePath(QStringLiteral("kinfocenter")), false);
        QVERIFY(!findSystemInfoTool({dir.path()}).has_value());
    }

    void toolWithoutProgramCannotBeLaunched()
    {
        QVERIFY(!launch(SystemInfoTool{}));
    }

    void missingProgramCannotBeLaunched()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(!launch(SystemInfoTool{dir.filePath(QStringLiteral("absent")), {}}));
    }
};

QTEST_GUILESS_MAIN(TestSystemInfo)
#include "tst_system_info.moc"
