#include "MovementsCsv.h"

#include <QTest>

namespace {

// The movements read, one per line as "position date kind shares price fee taxes".
QStringList readBack(const CsvMovements& read)
{
    QStringList lines;
    for (const ImportedMovement& m : read.movements) {
        const Movement& v = m.movement;
        lines.append(QStringList{
            m.position, v.date.toString(Qt::ISODate), v.kind == MovementKind::Sale ? "sell" : "buy",
            QString::number(v.shares), v.price.text(), v.fee.text(), v.taxes.text()}
                         .join(u' '));
    }
    return lines;
}

QStringList errorsOf(const CsvMovements& read)
{
    QStringList errors;
    for (const CsvLineError& error : read.errors)
        errors.append(QString::number(error.line) + ": " + error.reason);
    return errors;
}

} // namespace

class MovementsCsvTest : public QObject
{
    Q_OBJECT

private slots:
    void readsAsSpreadsheetsWrite_data();
    void readsAsSpreadsheetsWrite();
    void writesWhatItReads();
};

void MovementsCsvTest::readsAsSpreadsheetsWrite_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("movements");
    QTest::addColumn<QStringList>("errors");

    const QString air = "Air Liquide 2026-03-14 buy 10 150.5 4.95 6.02";
    QTest::newRow("commas and points")
        << QByteArray("date,position,kind,shares,price,fee,taxes\n"
                      "2026-03-14,Air Liquide,buy,10,150.5,4.95,6.02\n")
        << QStringList{air} << QStringList{};
    QTest::newRow("semicolons, decimal commas, CRLF, French words and dates")
        << QByteArray("date;position;kind;shares;price;fee;taxes\r\n"
                      "14/03/2026;Air Liquide;achat;10;150,5;4,95;6,02\r\n")
        << QStringList{air} << QStringList{};
    QTest::newRow("UTF-8 mark and accents")
        << QByteArray("\xEF\xBB\xBF"
                      "date,position,kind,shares,price,fee,taxes\n"
                      "2026-03-14,Société Générale,Vente,5,30,,\n")
        << QStringList{"Société Générale 2026-03-14 sell 5 30 0 0"} << QStringList{};
    QTest::newRow("Windows-1252") << QByteArray(
                                         "date;position;kind;shares;price;fee;taxes\n"
                                         "14/03/2026;Soci\xE9t\xE9 G\xE9n\xE9rale;vente;5;30;1;0\n")
                                  << QStringList{"Société Générale 2026-03-14 sell 5 30 1 0"}
                                  << QStringList{};
    QTest::newRow("columns in another order, a quoted name with the separator")
        << QByteArray("kind,date,shares,position,price,taxes,fee\n"
                      "buy,2026-01-02,3,\"Dupont, \"\"A\"\"\",10.25,0,1\n\n")
        << QStringList{"Dupont, \"A\" 2026-01-02 buy 3 10.25 1 0"} << QStringList{};
    QTest::newRow("every bad line, and nothing imported")
        << QByteArray("date,position,kind,shares,price,fee,taxes\n"
                      "2026-02-30,Air,buy,1,1,0,0\n"
                      "2026-03-01,Air,gift,1,1,0,0\n"
                      "2026-03-01,Air,buy,1.5,1,0,0\n"
                      "2026-03-01,Air,buy,1,1\n"
                      "2026-03-01,Air,buy,1,1,0,0\n"
                      "2026-03-01,,buy,1,1,0,0\n"
                      "2026-03-01,Air,buy,1,-1,0,0\n"
                      "2026-03-01,Air,buy,1000000,200,0,0\n"
                      "2026-03-01,\"Air,buy,1,1,0,0\n")
        << QStringList{}
        << QStringList{"2: unreadable date: 2026-02-30",      "3: unknown kind: gift",
                       "4: unreadable number of shares: 1.5", "5: 7 fields are needed",
                       "7: position without a name",          "8: unreadable price: -1",
                       "9: amount over 99,999,999 euros",     "10: 7 fields are needed"};
    QTest::newRow("a wrong header")
        << QByteArray("date,name,kind,shares,price,fee,taxes\n") << QStringList{}
        << QStringList{"1: the header must be date,position,kind,"
                       "shares,price,fee,taxes"};
    QTest::newRow("empty") << QByteArray("\n\n") << QStringList{}
                           << QStringList{"1: the file is empty"};
}

void MovementsCsvTest::readsAsSpreadsheetsWrite()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, movements);
    QFETCH(QStringList, errors);

    const CsvMovements read = readMovementsCsv(file, true);
    QCOMPARE(errorsOf(read), errors);
    QCOMPARE(readBack(read), movements);
}

void MovementsCsvTest::writesWhatItReads()
{
    Position air;
    air.name = "Air \"Liquide\", SA";
    air.movements = {
        {7, QDate(2026, 1, 5), MovementKind::Purchase, 100, *Money::parse(u"100.123456"),
         *Money::parse(u"4.95"), *Money::parse(u"40.05")},
        {9, QDate(2026, 4, 1), MovementKind::Sale, 50, *Money::parse(u"130"), Money(), Money()}};
    const QByteArray written = writeMovementsCsv({air});
    const CsvMovements read = readMovementsCsv(written, false);
    QVERIFY(read.ok());
    QCOMPARE(read.movements.size(), 2);
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(read.movements[i].position, air.name);
        Movement back = read.movements[i].movement;
        back.id = air.movements[i].id;
        QCOMPARE(back, air.movements[i]);
    }
    QCOMPARE(writeMovementsCsv({air}), written);
}

QTEST_GUILESS_MAIN(MovementsCsvTest)
#include "tst_movements_csv.moc"
