#include "TempSettings.h"

#include <QFile>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

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
    void unreadableSettingsRefused_data();
    void unreadableSettingsRefused();
    void outputThatCannotBeWritten();
    void csvResultsComeAsLinesArrive();
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

    // The captions in one column, the amounts on their decimal marks.
    const QString example1Fr = "Barème                       : Barème 1\n"
                               "Frais de courtage à l'achat  :  10 euros\n"
                               "Prix de revient unitaire     :  10.1 euros\n"
                               "Prix de vente minimum        :  11.56 euros\n"
                               "Frais de courtage à la vente :  10 euros\n"
                               "Bénéfice avant impôt         : 136.49 euros\n"
                               "Bénéfice après impôt         : 101 euros\n";
    const QString example1En = "Fee schedule:          Schedule 1\n"
                               "Purchase fee:           10 euros\n"
                               "Cost price / unit:      10.1 euros\n"
                               "Selling price minimum:  11.56 euros\n"
                               "Sale fee:               10 euros\n"
                               "Profit before tax:     136.49 euros\n"
                               "Profit after tax:      101 euros\n";
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
        << "{\"schedule\":\"Schedule 1\",\"purchase_fee\":10.00,\"cost_price\":10.10,"
           "\"minimum_price\":11.55,\"sale_fee\":10.00,\"profit_before_tax\":135.14,"
           "\"profit_after_tax\":100.00,\"exact\":true,\"profit_before_tax_at_price\":135.00,"
           "\"profit_after_tax_at_price\":99.90,\"reaches_target\":false,"
           "\"first_reaching_price\":11.56}\n"
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
        << none << 0
        << "\"minimum_price\":11.57,\"sale_fee\":10.00,\"profit_before_tax\":137.00,"
           "\"profit_after_tax\":101.38,\"exact\":true,\"profit_before_tax_at_price\":137.00,"
           "\"profit_after_tax_at_price\":101.38,\"reaches_target\":true}\n"
        << "";
    QTest::newRow("fee jump, English text")
        << calc("9.60", "100", "19", {"--cash", "--tax-option", "1"}) << english << feeDrop << none
        << 0
        << "Purchase fee:" + QString(11, ' ') + "9.6 euros\nCost price / unit:" + QString(6, ' ') +
               "9.7 euros\nSelling price minimum: 10 euros\nSale fee:" + QString(14, ' ') +
               "10 euros\nProfit before tax:" + QString(5, ' ') +
               "20 euros\nProfit after tax:" + QString(6, ' ') +
               "18 euros\n"
               "At this price the profit after tax is 18 euros, short of the wanted profit; at "
               "10.01 "
               "euros a share it is 23.4 euros.\n"
        << "";
    QTest::newRow("fee jump, JSON")
        << calc("9.60", "100", "19", {"--cash", "--tax-option", "1", "--json"}) << french << feeDrop
        << none << 0
        << "{\"schedule\":\"Barème 1\",\"purchase_fee\":9.60,\"cost_price\":9.70,"
           "\"minimum_price\":10.00,\"sale_fee\":10.00,\"profit_before_tax\":20.00,"
           "\"profit_after_tax\":18.00,\"exact\":false,\"profit_before_tax_at_price\":20.00,"
           "\"profit_after_tax_at_price\":18.00,\"reaches_target\":false,"
           "\"first_reaching_price\":10.01,"
           "\"next_cent\":{\"price\":10.01,\"profit_after_tax\":23.40}}\n"
        << "";
    QTest::newRow("details, JSON")
        << calc("10", "100", "10", {"--json", "--details"}) << english << fixedFee << none << 0
        << "\"first_reaching_price\":11.57,\"break_even\":10.20,\"ladder\":[{\"wanted\":0.00,"
           "\"price\":10.20,"
           "\"profit_after_tax\":0.00,\"exact\":true},{\"wanted\":5.00,\"price\":10.89,"
           "\"profit_after_tax\":51.06,\"exact\":true},"
        << "";
    QTest::newRow("details, French text")
        << calc("10", "100", "10", {"--details"}) << french << fixedFee << none << 0
        << example1Fr + "\nDétail du calcul\n"
        << "";
    QTest::newRow("details: the ladder as a table, worded for the command line")
        << calc("10", "100", "10", {"--details"}) << french << fixedFee << none << 0
        << "  Bénéfice voulu  Prix minimum  Bénéfice après impôt  Remarque\n   0 %   "
        << "";
    QTest::newRow("details: the remark names the price shown")
        << calc("10", "100", "10", {"--details"}) << english << fixedFee << none << 0
        << "your target; the price shown is "
        << "";
    // The worked example: 11.56 shown, where 1,156 − 10 − 1,010 = 136 leaves 100.64 after 26 %,
    // short of 101; 11.57 leaves 137 × 0.74 = 101.38.
    QTest::newRow("JSON: the sale at the price shown")
        << calc("10", "100", "101", {"--cash", "--tax-rate", "26", "--json"}) << english << fixedFee
        << none << 0
        << "\"minimum_price\":11.56,\"sale_fee\":10.00,\"profit_before_tax\":136.49,"
           "\"profit_after_tax\":101.00,\"exact\":true,\"profit_before_tax_at_price\":136.00,"
           "\"profit_after_tax_at_price\":100.64,\"reaches_target\":false,"
           "\"first_reaching_price\":11.57}\n"
        << "";

    QTest::newRow("--help in French")
        << QStringList{"--help"} << french << none << none << 0 << "Code de sortie : 0 résultats"
        << "";
    QTest::newRow("--help in English")
        << QStringList{"--help"} << english << none << none << 0 << "Exit status: 0 results"
        << "";
    QTest::newRow("a missing value named, not taken from the next option")
        << calc("10", "100", "10", {"--tax-rate", "--json"}) << english << fixedFee << none << 2
        << ""
        << "vantrelle: --tax-rate needs a value.\n";
    QTest::newRow("a missing value named, in French")
        << QStringList{"calc", "--price", "--shares", "100", "--profit", "10"} << french << fixedFee
        << none << 2 << ""
        << "vantrelle : --price attend une valeur.\n";
    QTest::newRow("unknown option in French")
        << QStringList{"--frobnicate"} << french << none << none << 2 << ""
        << "option inconnue : frobnicate";
    QTest::newRow("a number refused says what it takes")
        << calc("abc", "100", "10") << english << fixedFee << none << 1 << ""
        << "The purchase price may hold only digits and one point or comma: \"abc\"";

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
    // No fees: C = 10, G = 100 / 0.74 = 135.14, (1,000 + 135.14) / 100 = 11.35.
    QTest::newRow("empty schedule: a note, not a question")
        << calc("10", "100", "10") << french << QByteArray("") << none << 0
        << "Frais de courtage à l'achat  :   0 euro\n"
        << "Aucuns frais : calcul sans frais de courtage.\n";
    QTest::newRow("empty schedule, English: a note")
        << calc("10", "100", "10", {"--json"}) << english << QByteArray("[Vantrelle]\r\n") << none
        << 0 << "\"minimum_price\":11.35,"
        << "No fees: calculated without brokerage fees.\n";

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
    // As a French spreadsheet saves it: a byte order mark, semicolons, decimal commas, CRLF.
    const QByteArray frenchCsv = "\xEF\xBB\xBFprice;shares;profit;mode;tax_option\r\n"
                                 "10;100;10;percent;2\r\n10,00;100;100;cash;\r\n";
    QTest::newRow("csv from a French spreadsheet comes back French")
        << QStringList{"calc", "--csv", "-"} << english << fixedFee << frenchCsv << 0
        << QString(QChar(0xFEFF)) +
               "price;shares;profit;mode;tax_option;purchase_fee;cost_price;minimum_price;"
               "sale_fee;profit_before_tax;profit_after_tax;exact;next_cent_price;"
               "next_cent_profit_after_tax;error\n"
               "10;100;10;percent;2;10,00;10,10;11,56;10,00;136,49;101,00;true;;;\n"
               "10,00;100;100;cash;;10,00;10,10;11,55;10,00;135,14;100,00;true;;;\n"
        << "";
    QTest::newRow("csv from a French spreadsheet, written as plain csv")
        << QStringList{"calc", "--csv", "-", "--csv-format", "csv"} << french << fixedFee
        << frenchCsv << 0
        << csvHeader + "10,100,10,percent,2,10.00,10.10,11.56,10.00,136.49,101.00,true,,,\n"
                       "10.00,100,100,cash,,10.00,10.10,11.55,10.00,135.14,100.00,true,,,\n"
        << "";
    QTest::newRow("csv with tabs, written for a French spreadsheet")
        << QStringList{"calc", "--csv", "-", "--csv-format", "excel-fr"} << french << fixedFee
        << QByteArray("price\tshares\tprofit\tmode\ttax_option\n10,5\t100\t10\t\t\n") << 0
        << QString(QChar(0xFEFF)) + "price;shares;profit;mode;tax_option;"
        << "";
    QTest::newRow("csv header with another separator: said what was expected and found")
        << QStringList{"calc", "--csv", "-"} << english << fixedFee
        << QByteArray("price|shares|profit|mode|tax_option\n10|100|10||\n") << 1 << ""
        << "The first line must be the header \"price,shares,profit,mode,tax_option\" (separator "
           "detected: the comma \",\"), not \"price|shares|profit|mode|tax_option\"";
    QTest::newRow("csv header misspelt, semicolons detected")
        << QStringList{"calc", "--csv", "-"} << french << fixedFee
        << QByteArray("prix;actions;profit;mode;tax_option\n") << 1 << ""
        << "l'en-tête « price;shares;profit;mode;tax_option » (séparateur détecté : le "
           "point-virgule « ; »), et non « prix;actions;profit;mode;tax_option »";
    QTest::newRow("csv line over 64 KB refused with its number, the rest goes on")
        << QStringList{"calc", "--csv", "-"} << english << fixedFee
        << "price,shares,profit,mode,tax_option\n" + QByteArray(70000, '1') +
               "\n10,100,10,percent,2\n"
        << 1
        << csvHeader + ",,,,,,,,,,,,,,\"Line 2: over 64 KB, skipped\"\n"
                       "10,100,10,percent,2,10.00,10.10,11.56,10.00,136.49,101.00,true,,,\n"
        << "";
    QTest::newRow("csv line of exactly 64 KB read as a line")
        << QStringList{"calc", "--csv", "-"} << english << fixedFee
        << "price,shares,profit,mode,tax_option\n" + QByteArray(65536, '1') + "\r\n"
        << 1 << "A line must have 5 columns"
        << "";
    QTest::newRow("csv format unknown") << QStringList{"calc", "--csv", "-", "--csv-format", "ods"}
                                        << english << fixedFee << none << 2 << ""
                                        << "--csv-format takes csv or excel-fr";

    // The same trade on two schedules: 11.56 with a fee of 10; with 20, C = 10.20 and
    // (20 + 137.84 + 1,020) / 100 = 11.78.
    QTest::newRow("compare, CSV: the cheapest first")
        << QStringList{"compare", "--price", "10", "--shares", "100", "--profit", "10", "--csv"}
        << english << twoSchedules << none << 0
        << "schedule,in_use,cheapest,status,purchase_fee,cost_price,minimum_price,sale_fee,"
           "profit_after_tax,exact,error\n"
           // 11.57 is the first cent that brings 101: 1,157 - 10 - 1,010 = 137, 101.38 after tax.
           "Courant,true,true,done,10.00,10.10,11.57,10.00,101.38,true,\n"
           "Autre,false,false,done,20.00,10.20,11.78,20.00,"
        << "";
    QTest::newRow("compare, French text: what was compared, then the table")
        << QStringList{"compare", "--price", "10", "--shares", "100", "--profit", "10"} << french
        << twoSchedules << none << 0 << "100 actions achetées à 10,00"
        << "";
    QTest::newRow("compare, JSON: a refused schedule with its message")
        << QStringList{"compare", "--price", "10", "--shares", "100", "--profit", "10", "--json"}
        << english
        << twoSchedules + "[Bar\xe8me: Faux]\r\nFB1=0\r\nFH1=99999999\r\nF1=1\r\n"
                          "Mini=5\r\nMaxi=3\r\n"
        << none << 0
        << "{\"schedule\":\"Faux\",\"in_use\":false,\"cheapest\":false,\"status\":\"refused\","
           "\"purchase_fee\":null,"
        << "";
    QTest::newRow("compare, input refused")
        << QStringList{"compare", "--price", "0", "--shares", "100", "--profit", "10"} << english
        << twoSchedules << none << 1 << ""
        << "The cost price can't be null";
    QTest::newRow("compare takes no --details")
        << QStringList{"compare", "--price", "10", "--shares", "100", "--profit", "10", "--details"}
        << english << twoSchedules << none << 2 << ""
        << "--details cannot go with compare";

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
    if (arguments.contains("calc") || arguments.contains("compare"))
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

    // A byte order mark written is kept, to be seen.
    const QString written =
        QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)
            .decode(process.readAllStandardOutput());
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

// A settings file that cannot be read would give a price without fees that looks right: the
// command names the file and why, and ends with 1.
void CommandLineTest::unreadableSettingsRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "missing"
                             << "does not exist";
    QTest::newRow("a folder") << "folder"
                              << "is not a regular file";
    QTest::newRow("a FIFO") << "fifo"
                            << "is not a regular file";
    QTest::newRow("a device") << "device"
                              << "is not a regular file";
    QTest::newRow("unreadable") << "unreadable"
                                << "cannot be read";
    QTest::newRow("over 16 MB") << "large"
                                << "is over the size allowed";
}

void CommandLineTest::unreadableSettingsRefused()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    const QTemporaryDir dir;
    QString path = dir.filePath("vantrelle.ini");
    if (kind == "folder") {
        path = dir.path();
    } else if (kind == "fifo") {
        QCOMPARE(QProcess::execute("mkfifo", {path}), 0);
    } else if (kind == "device") {
        path = "/dev/zero";
    } else if (kind == "unreadable") {
        if (::geteuid() == 0)
            QSKIP("root reads a file whatever its permissions");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(fixedFee);
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::Permissions()));
    } else if (kind == "large") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(16 * 1024 * 1024 + 1));
    }
    for (const QStringList& command :
         {calc("10", "100", "10"), QStringList{"calc", "--csv", "-"},
          QStringList{"compare", "--price", "10", "--shares", "100", "--profit", "10"}}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LC_ALL", english);
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(VANTRELLE_EXECUTABLE, QStringList{"--settings", path} + command);
        QVERIFY(process.waitForStarted());
        process.write("price,shares,profit,mode,tax_option\n10,100,10,percent,2\n");
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished(20000));
        const QString complained = QString::fromUtf8(process.readAllStandardError());
        QVERIFY2(complained.contains("The settings file \"" + path + "\" " + reason),
                 qPrintable(complained));
        QCOMPARE(process.readAllStandardOutput(), QByteArray());
        QCOMPARE(process.exitCode(), 1);
    }
}

// A full disk: the results are lost, which the command says with its own exit status.
void CommandLineTest::outputThatCannotBeWritten()
{
    const TempSettings file;
    file.setContents(fixedFee);
    for (const QStringList& command :
         {calc("10", "100", "10"), calc("10", "100", "10", {"--json"}),
          QStringList{"calc", "--csv", "-"},
          QStringList{"compare", "--price", "10", "--shares", "100", "--profit", "10"}}) {
        QProcess process;
        process.setStandardOutputFile("/dev/full");
        process.start(VANTRELLE_EXECUTABLE, QStringList{"--settings", file.path()} + command);
        QVERIFY(process.waitForStarted());
        process.write("price,shares,profit,mode,tax_option\n10,100,10,percent,2\n");
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished(20000));
        QVERIFY(!process.readAllStandardError().isEmpty());
        QCOMPARE(process.exitCode(), 4);
    }
}

// A trade typed into a pipe gets its result at once, while the input is still open.
void CommandLineTest::csvResultsComeAsLinesArrive()
{
    const TempSettings file;
    file.setContents(fixedFee);
    QProcess process;
    process.start(VANTRELLE_EXECUTABLE, {"--settings", file.path(), "calc", "--csv", "-"});
    QVERIFY(process.waitForStarted());
    process.write("price,shares,profit,mode,tax_option\n10,100,10,percent,2\n");
    QByteArray written;
    QTRY_VERIFY_WITH_TIMEOUT((written += process.readAllStandardOutput()).count('\n') == 2, 20000);
    QVERIFY(
        written.endsWith("10,100,10,percent,2,10.00,10.10,11.56,10.00,136.49,101.00,true,,,\n"));
    process.write("0,100,10,percent,2\n");
    QTRY_VERIFY_WITH_TIMEOUT((written += process.readAllStandardOutput()).count('\n') == 3, 20000);
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitCode(), 1);
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
