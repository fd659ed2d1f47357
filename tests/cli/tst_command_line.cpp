#include "TempSettings.h"

#include <QFile>
#include <QProcess>
#include <QTest>

namespace {

const QByteArray fixedFee = "[Vantrelle]\r\nFB1=0\r\nFH1=99999999\r\nF1=10\r\n";
const QByteArray feeDrop =
    "[Vantrelle]\r\nFB1=0\r\nFH1=1000\r\nF1=1\r\nP1=Vrai\r\nFB2=1000\r\nFH2=99999999\r\nF2=5\r\n";
const QString french = QStringLiteral("fr_FR.UTF-8");
const QString english = QStringLiteral("en_US.UTF-8");

QStringList calc(const QString& price, const QString& shares, const QString& profit,
                 const QStringList& more = {})
{
    return QStringList{"calc", "--price", price, "--shares", shares, "--profit", profit} + more;
}

const QString csvHeader = "price,shares,profit,mode,tax_option,purchase_fee,cost_price,"
                          "minimum_price,sale_fee,profit_before_tax,profit_after_tax,exact,"
                          "next_cent_price,next_cent_profit_after_tax,error\n";

} // namespace

class CommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void optionsAndExitStatus_data();
    void optionsAndExitStatus();
    void windowTakesTheSettingsFile();
};

void CommandLineTest::optionsAndExitStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("settings"); // none: no settings file at all
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // what the standard output holds
    QTest::addColumn<QString>("err"); // what the standard error holds

    const QString example1Fr = "Frais de courtage à l'achat : 10 euros\n"
                               "Prix de revient unitaire : 10.1 euros\n"
                               "Prix de vente minimum : 11.56 euros\n"
                               "Frais de courtage à la vente : 10 euros\n"
                               "Bénéfice avant impôt : 136.49 euros\n"
                               "Bénéfice après impôt : 101 euros\n";
    const QString example1En = "Purchase fee: 10 euros\nCost price / unit: 10.1 euros\n"
                               "Selling price minimum: 11.56 euros\nSale fee: 10 euros\n"
                               "Profit before tax: 136.49 euros\nProfit after tax: 101 euros\n";
    const QByteArray none;

    QTest::newRow("--help") << QStringList{"--help"} << english << none << none << 0
                            << "--tax-option 1|2|3"
                            << "";
    QTest::newRow("-h") << QStringList{"-h"} << english << none << none << 0 << "Exit status"
                        << "";
    QTest::newRow("--version") << QStringList{"--version"} << english << none << none << 0
                               << "vantrelle " PROJECT_VERSION_TEXT "\n"
                               << "";
    QTest::newRow("-v") << QStringList{"-v"} << french << none << none << 0
                        << "vantrelle " PROJECT_VERSION_TEXT "\n"
                        << "";
    QTest::newRow("unknown option")
        << QStringList{"--frobnicate"} << english << none << none << 2 << ""
        << "frobnicate";
    QTest::newRow("missing value")
        << QStringList{"calc", "--price"} << english << none << none << 2 << ""
        << "--price";
    QTest::newRow("missing trade option")
        << QStringList{"calc", "--shares", "100", "--profit", "10"} << english << none << none << 2
        << ""
        << "--price, --shares and --profit";
    QTest::newRow("unknown command") << QStringList{"compute"} << english << none << none << 2 << ""
                                     << "compute";
    QTest::newRow("trade option without calc")
        << QStringList{"--price", "10"} << english << none << none << 2 << ""
        << "calc";
    QTest::newRow("tax option out of range")
        << calc("10", "100", "10", {"--tax-option", "4"}) << english << fixedFee << none << 2 << ""
        << "1, 2 or 3";
    QTest::newRow("tax option and rate")
        << calc("10", "100", "10", {"--tax-option", "1", "--tax-rate", "5"}) << english << fixedFee
        << none << 2 << ""
        << "cannot go together";
    QTest::newRow("csv with a trade") << QStringList{"calc", "--csv", "-", "--price", "1"}
                                      << english << fixedFee << none << 2 << ""
                                      << "--csv";

    // The two worked examples: a fixed fee of 10, 100 shares at 10, 10 % (or 100 euros) at 26 %;
    // a fee of 1 % up to 1,000 then 5, 100 shares at 9.60, 19 euros at 10 %.
    QTest::newRow("example, French text")
        << calc("10", "100", "10") << french << fixedFee << none << 0 << example1Fr << "";
    QTest::newRow("example, English text, decimal comma")
        << calc("10,00", "100", "10") << english << fixedFee << none << 0 << example1En << "";
    QTest::newRow("example in cash, JSON")
        << calc("10", "100", "100", {"--cash", "--json"}) << english << fixedFee << none << 0
        << "{\"purchase_fee\":10.00,\"cost_price\":10.10,\"minimum_price\":11.55,"
           "\"sale_fee\":10.00,\"profit_before_tax\":135.14,\"profit_after_tax\":100.00,"
           "\"exact\":true}\n"
        << "";
    QTest::newRow("tax option read from the file") << calc("10", "100", "10", {"--tax-option", "1"})
                                                   << french << fixedFee + "T1=26\r\nT2=50\r\n"
                                                   << none << 0 << example1Fr << "";
    QTest::newRow("tax rate given instead")
        << calc("10", "100", "10", {"--tax-rate", "26"}) << french << fixedFee + "T2=50\r\n"
        << none << 0 << example1Fr << "";
    // A fixed fee of 20 in the other schedule: C = 10.20, (20 + 137.84 + 1,020) / 100 = 11.78.
    // The file is in Windows-1252, where è is one byte.
    const QByteArray twoSchedules = fixedFee + "Bar\xe8me=Courant\r\n[Bar\xe8me: Autre]\r\n"
                                               "FB1=0\r\nFH1=99999999\r\nF1=20\r\n";
    QTest::newRow("a named schedule")
        << calc("10", "100", "10", {"--schedule", "autre", "--json"}) << english << twoSchedules
        << none << 0 << "\"cost_price\":10.20,\"minimum_price\":11.78,"
        << "";
    QTest::newRow("no schedule of that name") << calc("10", "100", "10", {"--schedule", "Ailleurs"})
                                              << english << twoSchedules << none << 1 << ""
                                              << "Courant, Autre";
    QTest::newRow("rounded up as the file asks")
        << calc("10", "100", "10", {"--json"}) << english << fixedFee + "Arrondi=Superieur\r\n"
        << none << 0 << "\"minimum_price\":11.57,\"sale_fee\":10.00,\"profit_before_tax\":137.00"
        << "";
    QTest::newRow("fee jump, English text")
        << calc("9.60", "100", "19", {"--cash", "--tax-option", "1"}) << english << feeDrop << none
        << 0
        << "Purchase fee: 9.6 euros\nCost price / unit: 9.7 euros\n"
           "Selling price minimum: 10 euros\nSale fee: 10 euros\n"
           "Profit before tax: 20 euros\nProfit after tax: 18 euros\n"
           "At this price the profit after tax is 18 euros, short of the wanted profit; at 10.01 "
           "euros a share it is 23.4 euros.\n"
        << "";
    QTest::newRow("fee jump, JSON")
        << calc("9.60", "100", "19", {"--cash", "--tax-option", "1", "--json"}) << french << feeDrop
        << none << 0
        << "{\"purchase_fee\":9.60,\"cost_price\":9.70,\"minimum_price\":10.00,"
           "\"sale_fee\":10.00,\"profit_before_tax\":20.00,\"profit_after_tax\":18.00,"
           "\"exact\":false,\"next_cent\":{\"price\":10.01,\"profit_after_tax\":23.40}}\n"
        << "";
    QTest::newRow("details, JSON")
        << calc("10", "100", "10", {"--json", "--details"}) << english << fixedFee << none << 0
        << "\"exact\":true,\"break_even\":10.20,\"ladder\":[{\"wanted\":0.00,\"price\":10.20,"
           "\"profit_after_tax\":0.00,\"exact\":true},{\"wanted\":5.00,\"price\":10.89,"
           "\"profit_after_tax\":51.06,\"exact\":true},"
        << "";
    QTest::newRow("details, French text")
        << calc("10", "100", "10", {"--details"}) << french << fixedFee << none << 0
        << example1Fr + "\nDétail du calcul\n"
        << "";

    QTest::newRow("input refused")
        << calc("0", "100", "10") << french << fixedFee << none << 1 << ""
        << "La valeur du prix d'achat ne peut être nulle\n";
    QTest::newRow("input refused, JSON")
        << calc("0", "100", "10", {"--json"}) << english << fixedFee << none << 1
        << "{\"error\":{\"kind\":\"input\",\"message\":\"The cost price can't be null\"}}\n"
        << "";
    QTest::newRow("profit over 100 %")
        << calc("10", "100", "100.5") << french << fixedFee << none << 1 << ""
        << "Le bénéfice recherché ne doit pas être supérieur à 100 %";
    QTest::newRow("not a number") << calc("10", "2.5", "10") << french << fixedFee << none << 1
                                  << ""
                                  << "La quantité d'actions ne peut contenir que des chiffres : "
                                     "« 2.5 »";
    QTest::newRow("fee schedule refused, JSON")
        << calc("10", "100", "10", {"--json"}) << french << fixedFee + "Mini=5\r\nMaxi=3\r\n"
        << none << 1
        << "{\"error\":{\"kind\":\"fees\",\"message\":\"Les frais de courtage minimums ne peuvent "
           "être supérieurs\\naux frais de courtage maximums.\"}}\n"
        << "";
    QTest::newRow("purchase over the limit, JSON")
        << calc("1000000", "100", "10", {"--json"}) << english << fixedFee << none << 3
        << "{\"error\":{\"kind\":\"purchase_limit\",\"message\":\"Ce logiciel n'est pas conçu "
           "pour traiter des actions\\ndont le prix de revient est supérieur à 99 999 999 "
           "euros.\\nMerci de faire les corrections nécessaires.\"}}\n"
        << "";
    QTest::newRow("sale over the limit")
        << calc("900000", "100", "20") << french << fixedFee << none << 3 << ""
        << "dont le prix de vente est supérieur à 99 999 999";
    QTest::newRow("no settings file: no fees, said so")
        << calc("10", "100", "10") << french << none << none << 0
        << "Frais de courtage à l'achat : 0 euro\n"
        << "Les frais de courtage sont nuls.";

    QTest::newRow("csv of the examples and a refused line")
        << QStringList{"calc", "--csv", "-"} << french << fixedFee
        << QByteArray("price,shares,profit,mode,tax_option\r\n10,100,10,percent,2\r\n"
                      "\"10,00\",100,100,cash,\r\n0,100,10,percent,2\r\n")
        << 1
        << csvHeader + "10,100,10,percent,2,10.00,10.10,11.56,10.00,136.49,101.00,true,,,\n"
                       "\"10,00\",100,100,cash,,10.00,10.10,11.55,10.00,135.14,100.00,true,,,\n"
                       "0,100,10,percent,2,,,,,,,,,,La valeur du prix d'achat ne peut être nulle\n"
        << "";
    QTest::newRow("csv of the fee jump")
        << QStringList{"calc", "--csv", "-"} << english << feeDrop
        << QByteArray("price,shares,profit,mode,tax_option\n9.60,100,19,cash,1\n") << 0
        << csvHeader + "9.60,100,19,cash,1,9.60,9.70,10.00,10.00,20.00,18.00,false,10.01,23.40,\n"
        << "";
    QTest::newRow("csv without its header")
        << QStringList{"calc", "--csv", "-"} << english << fixedFee
        << QByteArray("10,100,10,percent,2\n") << 1 << ""
        << "price,shares,profit,mode,tax_option";
}

void CommandLineTest::optionsAndExitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, locale);
    QFETCH(QByteArray, settings);
    QFETCH(QByteArray, input);

    const TempSettings file;
    if (!settings.isNull())
        file.setContents(settings);
    if (arguments.contains("calc"))
        arguments = QStringList{"--settings", file.path()} + arguments;

    // No display of any kind: what runs here must not need one.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANG", "LANGUAGE",
                             "LC_MESSAGES", "LC_NUMERIC"})
        environment.remove(name);
    environment.insert("LC_ALL", locale);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(VANTRELLE_EXECUTABLE, arguments);
    QVERIFY(process.waitForStarted());
    process.write(input);
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(20000));

    const QString written = QString::fromUtf8(process.readAllStandardOutput());
    const QString complained = QString::fromUtf8(process.readAllStandardError());
    QFETCH(QString, out);
    QFETCH(QString, err);
    QVERIFY2(written.contains(out), qPrintable(written));
    QVERIFY2(err.isEmpty() ? complained.isEmpty() : complained.contains(err),
             qPrintable(complained));
    QFETCH(int, status);
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), status);
    // The calculation reads the settings file and never writes it.
    QCOMPARE(file.contents(), settings.isNull() ? QByteArray() : settings);
    QCOMPARE(file.exists(), !settings.isNull());
}

// The window writes the language code as it starts: into the file given, which it creates.
void CommandLineTest::windowTakesTheSettingsFile()
{
    const TempSettings file;
    QProcess process;
    process.start(VANTRELLE_EXECUTABLE, {"-platform", "offscreen", "--settings", file.path()});
    QVERIFY(process.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(file.contents().contains("C=F"), 20000);
    process.kill();
    process.waitForFinished();
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_command_line.moc"
