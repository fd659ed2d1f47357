#include "ScheduleFile.h"
#include "ScheduleFileDialog.h"

#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(ScheduleTexts)

class ScheduleFileTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void exportedFileComesBackWhole();
    void importedFilesReadLikeTheSettings_data();
    void importedFilesReadLikeTheSettings();
    void exportedNameGetsTheSuffix_data();
    void exportedNameGetsTheSuffix();
};

void ScheduleFileTest::exportedFileComesBackWhole()
{
    ScheduleTexts texts;
    texts.brackets[0] = {"0", "500", "1.99", false};
    texts.brackets[1] = {"500", "99999999", "0.5", true};
    texts.maximum = "40";
    const QTemporaryDir folder;
    const QString path = folder.filePath("b.ini");
    QVERIFY(writeScheduleFile(path, "Crédit — été", texts));
    const std::optional<ImportedSchedule> back = importScheduleFile(path, false);
    QVERIFY(back);
    QCOMPARE(back->name, QString("Crédit — été"));
    QCOMPARE(back->texts, texts);
    QVERIFY(scheduleFileBytes("é", texts).startsWith("[Bar\xC3\xA8me: \xC3\xA9]\r\nFB1=0\r\n"));
}

void ScheduleFileTest::importedFilesReadLikeTheSettings_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("name"); // empty: no schedule
    QTest::addColumn<QString>("fee1");
    QTest::newRow("Windows code page, unknown keys, quotes")
        << QByteArray("[Bar\xE8me: Soci\xE9t\xE9]\r\nX=1\r\nf1=\" 2,5 \"\r\nP1=VRAI\r\n")
        << "Société"
        << " 2,5 ";
    QTest::newRow("UTF-8 with a byte-order mark")
        << QByteArray("\xEF\xBB\xBF[Bar\xC3\xA8me: \xC3\x89t\xC3\xA9]\nF1=3") << "Été"
        << "3";
    QTest::newRow("UTF-16") << QByteArray("\xFF\xFE[\0V\0]\0\n\0F\0"
                                          "1\0=\0"
                                          "4\0",
                                          18)
                            << "imported"
                            << "4";
    QTest::newRow("settings file of the program")
        << QByteArray("[Autre]\r\nF1=9\r\n[VANTRELLE]\r\nF1=5\r\n") << "imported"
        << "5";
    QTest::newRow("name the file could not hold")
        << QByteArray("[Bar\xC3\xA8me: \xCE\xA9 \"x\"]\nF1=1") << "? \"x\""
        << "1";
    QTest::newRow("name of nothing but a bracket")
        << QByteArray("[Bar\xE8me: ]]\nF1=1") << "imported"
        << "1";
    QTest::newRow("value longer than the reader returns")
        << "[a]\nF1=" + QByteArray(300, '7') << "imported" << QString(254, u'7');
    QTest::newRow("no fee key") << QByteArray("[Barème: x]\nT1=10\n") << ""
                                << "";
    QTest::newRow("no section") << QByteArray("F1=1\n") << ""
                                << "";
    QTest::newRow("random bytes") << QByteArray("\x00\xFF[\x81\x8D]\r\r\n=\n", 11) << ""
                                  << "";
}

void ScheduleFileTest::importedFilesReadLikeTheSettings()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, name);
    QFETCH(QString, fee1);
    const std::optional<ImportedSchedule> read = readScheduleFile(file, "/tmp/imported.ini", false);
    QCOMPARE(read.has_value(), !name.isEmpty());
    if (!read)
        return;
    QCOMPARE(read->name, name);
    QCOMPARE(read->texts.brackets[0].fee, fee1);
    // Only a name that lost characters to the settings file says what it was.
    QCOMPARE(read->nameInFile.isEmpty(), !name.contains(u'?'));
}

void ScheduleFileTest::exportedNameGetsTheSuffix_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::newRow("no suffix") << "/d/exp1"
                               << "/d/exp1.ini";
    QTest::newRow("a dot in the folder only") << "/d/a.b/exp1"
                                              << "/d/a.b/exp1.ini";
    QTest::newRow("suffix of its own kept") << "/d/exp1.txt"
                                            << "/d/exp1.txt";
    QTest::newRow("cancelled") << ""
                               << "";
}

void ScheduleFileTest::exportedNameGetsTheSuffix()
{
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QCOMPARE(withScheduleSuffix(typed), saved);
}

QTEST_GUILESS_MAIN(ScheduleFileTest)
#include "tst_schedule_file.moc"
