#include "SettingsLocation.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class SettingsLocationTest : public QObject
{
    Q_OBJECT

private slots:
    void fileFollowsWhereTheProgramRuns();
};

void SettingsLocationTest::fileFollowsWhereTheProgramRuns()
{
    QTemporaryDir build;
    const QString config = QStringLiteral("/home/someone/.config/Vantrelle/vantrelle");

    // A copy the user built or unpacked keeps its file beside it, named after it.
    QCOMPARE(settingsPathFor(build.filePath(QStringLiteral("vantrelle")), config),
             build.filePath(QStringLiteral("vantrelle.ini")));
    QCOMPARE(settingsPathFor(build.filePath(QStringLiteral("calc")), config),
             build.filePath(QStringLiteral("calc.ini")));
    // An installed copy, even one root could write beside, uses the configuration directory.
    QCOMPARE(settingsPathFor(QStringLiteral("/usr/bin/vantrelle"), config),
             config + QStringLiteral("/vantrelle.ini"));
    QCOMPARE(settingsPathFor(QStringLiteral("/opt/vantrelle/bin/vantrelle"), config),
             config + QStringLiteral("/vantrelle.ini"));
    QVERIFY(QDir(build.path()).mkpath(QStringLiteral("local/bin")));
    QCOMPARE(settingsPathFor(build.filePath(QStringLiteral("local/bin/vantrelle")), config),
             config + QStringLiteral("/vantrelle.ini"));
    QCOMPARE(settingsPathFor(build.filePath(QStringLiteral("missing/vantrelle")), config),
             config + QStringLiteral("/vantrelle.ini"));
}

QTEST_GUILESS_MAIN(SettingsLocationTest)
#include "tst_settings_location.moc"
