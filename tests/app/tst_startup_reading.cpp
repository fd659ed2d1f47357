#include "DataPage.h"
#include "FeePage.h"
#include "FeeRow.h"
#include "MainWindowFixture.h"

#include <QFile>
#include <QLineEdit>
#include <QRadioButton>

namespace {

// What this process has read so far, from any file; nothing where the system does not say.
std::optional<qint64> bytesReadSoFar()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return std::nullopt;
    for (QByteArray line = io.readLine(); !line.isEmpty(); line = io.readLine()) {
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    }
    return std::nullopt;
}

// A settings file grown large by another program's section in front of ours.
QByteArray largeSettings()
{
    QByteArray file = "[Autre]\r\n";
    for (int i = 0; file.size() < 4 * 1024 * 1024; ++i)
        file += "cle" + QByteArray::number(i) + '=' + QByteArray(60, 'v') + "\r\n";
    return file + "[Vantrelle]\r\nC=F\r\nFB1=0\r\nFH1=1000\r\nF1=2\r\nP1=Vrai\r\nT1=12\r\n";
}

} // namespace

class StartupReadingTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void startupReadsTheSettingsFileOnce();
};

void StartupReadingTest::startupReadsTheSettingsFileOnce()
{
    // A first window loads what every start reads besides the settings file, such as fonts.
    MainWindowFixture first;
    first.open();
    MainWindowFixture f;
    const QByteArray file = largeSettings();
    f.settings.setContents(file);
    const std::optional<qint64> before = bytesReadSoFar();
    if (!before)
        QSKIP("this system does not count the bytes a process reads");

    f.open();
    QCoreApplication::processEvents();
    const qint64 read = *bytesReadSoFar() - *before;
    QVERIFY2(read >= file.size() && read < file.size() * 3 / 2, QByteArray::number(read));
    const FeeRow& row = f.window->feePage()->rows[0];
    QCOMPARE(row.upper->text(), QStringLiteral("1000"));
    QVERIFY(row.percentage->isChecked());
    QCOMPARE(f.window->dataPage()->dix->text(), QStringLiteral("12 %"));
}

QTEST_MAIN(StartupReadingTest)
#include "tst_startup_reading.moc"
