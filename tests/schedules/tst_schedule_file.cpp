#include "ScheduleFile.h"
#include "ScheduleFileDialog.h"
#include "ScheduleImport.h"

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
    void importsAreCheckedNotRepaired_data();
    void importsAreCheckedNotRepaired();
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

void ScheduleFileTest::importsAreCheckedNotRepaired_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("said"); // empty: imported
    const QByteArray head = "[Bar\xC3\xA8me: Main]\r\n";
    QTest::newRow("letters in a fee") << head + "FB1=0\r\nFH1=500\r\nF1=abc\r\n"
                                      << "F1, ligne 4 : « abc » n'est pas un nombre";
    QTest::newRow("a point in a bound") << head + "; hand-made\r\nFB1=0.5\r\n"
                                        << "FB1, ligne 3 : « 0.5 » n'est pas un nombre entier";
    QTest::newRow("a regional comma in the minimum")
        << head + "F1=1\r\nMini=2,5\r\n"
        << "Mini, ligne 3 : « 2,5 » n'est pas un nombre";
    QTest::newRow("two points in the maximum") << head + "Maxi=1.2.3\n"
                                               << "Maxi, ligne 2 : « 1.2.3 »";
    QTest::newRow("more digits than the field takes")
        << head + "FB1=0\r\nFH1=123456789\r\nF1=1\r\n"
        << "FH1, ligne 3 : « 123456789 » a 9 caractères : le champ en prend au plus 8";
    QTest::newRow("more decimals than the field takes")
        << head + "F1=0.1234567\r\n"
        << "F1, ligne 2 : « 0.1234567 » a 9 caractères";
    QTest::newRow("a fee type neither Vrai nor Faux") << head + "F1=1\r\nP1=oui\r\n"
                                                      << "P1, ligne 3 : « oui » n'est ni Vrai";
    QTest::newRow("bounds out of order")
        << head + "FB1=0\r\nFH1=500\r\nF1=1\r\nFB2=500\r\nFH2=100\r\nF2=2\r\n"
        << "fourchette haute doit être supérieure";
    QTest::newRow("a fee of 100 per cent")
        << head + "FB1=0\r\nFH1=99999999\r\nF1=100\r\nP1=Vrai\r\n"
        << "inférieurs à 100 %";
    QTest::newRow("a minimum above the maximum")
        << head + "FB1=0\r\nFH1=99999999\r\nF1=1\r\nMini=9\r\nMaxi=3\r\n"
        << "minimum";
    QTest::newRow("no schedule section")
        << QByteArray("[Autre]\r\nX=1\r\n") << "Un barème s'écrit ainsi";
    QTest::newRow("a good file, blanks and quotes around values")
        << head + "FB1= 0 \r\nFH1=\"500\"\r\nF1=1.99\r\nP1=faux\r\nFB2=500\r\nFH2=99999999\r\n"
                  "F2=0.5\r\nP2=VRAI"
        << "";
    QTest::newRow("only the first section of the name counts")
        << head + "FB1=0\r\nFH1=99999999\r\nF1=1\r\n[Bar\xC3\xA8me: main]\r\nF1=x\r\n"
        << "";
}

void ScheduleFileTest::importsAreCheckedNotRepaired()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, said);
    const ScheduleImport checked = checkScheduleFile(file, "/d/main.ini", false);
    QVERIFY2(checked.schedule.has_value() == said.isEmpty(), qPrintable(checked.refusal.text));
    if (said.isEmpty())
        return;
    // The guillemets hold to their word with no-break spaces.
    QString text = checked.refusal.text;
    text.replace(QChar(0xA0), u' ');
    QVERIFY2(text.contains(said), qPrintable(text));
    QCOMPARE(checked.refusal.title, QString("Barèmes"));
}

QTEST_GUILESS_MAIN(ScheduleFileTest)
#include "tst_schedule_file.moc"
