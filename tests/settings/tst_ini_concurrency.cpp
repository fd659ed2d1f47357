#include "IniStore.h"
#include "TempSettings.h"

#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr int keysPerWriter = 40;

QProcess* startWriter(QObject* parent, const QStringList& arguments)
{
    auto* process = new QProcess(parent);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QStringLiteral(INI_WRITER_PATH), arguments);
    return process;
}

} // namespace

// Two running copies of the program share the settings file.
class IniConcurrencyTest : public QObject
{
    Q_OBJECT

private slots:
    void twoWritersLoseNothing();
    void staleLockOfKilledProcessIsRecovered();
};

void IniConcurrencyTest::twoWritersLoseNothing()
{
    const TempSettings settings;
    settings.setContents("; shared\r\n[Vantrelle]\r\nC=F\r\n"_ba);
    const QString count = QString::number(keysPerWriter);
    QObject owner;
    QProcess* first = startWriter(&owner, {u"write"_s, settings.path(), u"A"_s, count});
    QProcess* second = startWriter(&owner, {u"write"_s, settings.path(), u"B"_s, count});

    for (QProcess* process : {first, second}) {
        QVERIFY(process->waitForFinished(60000));
        QCOMPARE(process->exitStatus(), QProcess::NormalExit);
        QCOMPARE(process->exitCode(), 0);
    }

    const IniStore store = settings.store();
    for (int i = 0; i < keysPerWriter; ++i) {
        QCOMPARE(store.Lire_Ini(u"Vantrelle"_s, u"A"_s + QString::number(i)), QString::number(i));
        QCOMPARE(store.Lire_Ini(u"Vantrelle"_s, u"B"_s + QString::number(i)), QString::number(i));
    }
    const QByteArray contents = settings.contents();
    QVERIFY(contents.startsWith("; shared\r\n[Vantrelle]\r\nC=F\r\n"));
    QCOMPARE(contents.count("\r\n"), 3 + 2 * keysPerWriter);
    QCOMPARE(contents.count('\n'), 3 + 2 * keysPerWriter);
}

void IniConcurrencyTest::staleLockOfKilledProcessIsRecovered()
{
    const TempSettings settings;
    settings.setContents("[Vantrelle]\r\nC=F\r\n"_ba);
    QObject owner;
    QProcess* holder = startWriter(&owner, {u"hold"_s, settings.path()});
    QVERIFY(holder->waitForReadyRead(30000));
    QCOMPARE(holder->readLine().trimmed(), "locked"_ba);

    holder->kill();
    QVERIFY(holder->waitForFinished(30000));
    QVERIFY(QFile::exists(settings.path() + u".lock"_s));

    QVERIFY(settings.store().Ecrire_Ini(u"Vantrelle"_s, u"C"_s, u"A"_s));
    QCOMPARE(settings.contents(), "[Vantrelle]\r\nC=A\r\n"_ba);
    QVERIFY(!QFile::exists(settings.path() + u".lock"_s));
}

QTEST_GUILESS_MAIN(IniConcurrencyTest)
#include "tst_ini_concurrency.moc"
