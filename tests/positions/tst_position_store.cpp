#include "Holding.h"
#include "MovementList.h"
#include "PositionStore.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(StoreState)

namespace {

QByteArray digestOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// A file made by other means than the store: SQL statements run on a connection of its own.
void makeDatabase(const QString& path, const QStringList& statements)
{
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"maker"_qs);
        database.setDatabaseName(path);
        QVERIFY(database.open());
        QSqlQuery query(database);
        for (const QString& statement : statements)
            QVERIFY2(query.exec(statement), qPrintable(statement));
        database.close();
    }
    QSqlDatabase::removeDatabase(u"maker"_qs);
}

qint64 addPosition(PositionStore& store, const QString& name)
{
    Position position;
    position.name = name;
    return store.addPosition(position).id;
}

} // namespace

class PositionStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void opensOrLeavesAlone_data();
    void opensOrLeavesAlone();
    void keepsWhatIsWritten();
    void refusesAnEditThatOversells_data();
    void refusesAnEditThatOversells();
    void importsAllOrNothing();
    void twoWritersLoseNothing();
    void aKillLeavesTheLastCommit();

private:
    QTemporaryDir m_dir;
};

void PositionStoreTest::opensOrLeavesAlone_data()
{
    QTest::addColumn<QByteArray>("bytes"); // the file before, when it is not made with SQL
    QTest::addColumn<QStringList>("sql");  // or the statements that make it
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<StoreState>("state");
    QTest::addColumn<bool>("untouched");

    QTest::newRow("no file, to read")
        << QByteArray() << QStringList() << false << true << StoreState::Missing << true;
    QTest::newRow("no file, to write")
        << QByteArray() << QStringList() << false << false << StoreState::Ready << false;
    QTest::newRow("an empty file")
        << QByteArray() << QStringList() << true << false << StoreState::Ready << false;
    QTest::newRow("not a database")
        << QByteArray("date,position,kind\n2026-01-01,Air,buy\n").repeated(200) << QStringList()
        << true << false << StoreState::Damaged << true;
    QTest::newRow("a newer version")
        << QByteArray()
        << QStringList{"CREATE TABLE positions (id INTEGER)", "PRAGMA user_version = 7"} << true
        << false << StoreState::Newer << true;
    QTest::newRow("another program's database")
        << QByteArray() << QStringList{"CREATE TABLE notes (text TEXT)"} << true << false
        << StoreState::Damaged << true;
    QTest::newRow("a newer version, to read")
        << QByteArray() << QStringList{"PRAGMA user_version = 2"} << true << true
        << StoreState::Newer << true;
}

void PositionStoreTest::opensOrLeavesAlone()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, sql);
    QFETCH(bool, exists);
    QFETCH(bool, readOnly);
    QFETCH(StoreState, state);
    QFETCH(bool, untouched);

    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".sqlite");
    if (!sql.isEmpty()) {
        makeDatabase(path, sql);
    } else if (exists) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    const QByteArray before = digestOf(path);
    {
        PositionStore store(path, readOnly);
        QCOMPARE(store.open(), state);
        if (state != StoreState::Ready)
            QVERIFY(!store.addMovement(1, Movement{}).ok());
    }
    QCOMPARE(digestOf(path) == before, untouched);
    QCOMPARE(QFile::exists(path), exists || !readOnly);
}

void PositionStoreTest::keepsWhatIsWritten()
{
    const QString path = m_dir.filePath("kept.sqlite");
    Position air;
    air.name = "Air Liquide";
    air.code = "FR0000120073";
    air.purchaseTaxRate = "0.4";
    air.saleTaxRate = "0.35";
    air.saleTaxCap = "1600";
    air.scheduleName = "Ma banque";
    {
        PositionStore store(path);
        air.id = store.addPosition(air).id;
        QVERIFY(air.id != 0);
        QCOMPARE(store.addPosition(air).refusals.value(0).reason, StoreRefusal::Reason::NameTaken);
        for (Movement movement : movementList("2026-03-05 buy 200 120.1234 9.99 96.05; "
                                              "2026-01-05 buy 100 100 0 0; "
                                              "2026-04-01 sell 200 130 7 0")) {
            movement.id = 0;
            const StoreChange change = store.addMovement(air.id, movement);
            QVERIFY(change.ok());
            movement.id = change.id;
            air.movements.append(movement);
        }
    }
    air.movements = inDateOrder(air.movements);
    PositionStore reader(path, true);
    const QList<Position> kept = reader.positions();
    QCOMPARE(kept.size(), 1);
    QCOMPARE(kept.first(), air);
    // 200 × 120.1234 + 9.99 + 96.05 + 10,000 = 34,130.72 for 300; 200 of them cost
    // 22,753.813333 and are sold for 26,000 less 7.
    const PositionHistory history = replay(kept.first().movements);
    QCOMPARE(history.sales.first().gain.text(), "3239.186667");
}

void PositionStoreTest::refusesAnEditThatOversells_data()
{
    QTest::addColumn<QString>("edit"); // "update N movement" or "remove N"
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("left"); // the shares and cost left after

    // Kept as ids 1, 2, 3: 100 bought at 100, 200 at 120 (34,000 for 300), 250 sold; the 50 left
    // cost a sixth of the whole.
    QTest::newRow("an earlier purchase made smaller")
        << "update 1 2026-01-05 buy 40 100 0 0" << true << "50 5666.666667";
    QTest::newRow("an earlier purchase removed") << "remove 1" << true << "50 5666.666667";
    QTest::newRow("the sale dated before a purchase")
        << "update 3 2026-01-20 sell 250 130 0 0" << true << "50 5666.666667";
    QTest::newRow("an earlier purchase made dearer")
        << "update 1 2026-01-05 buy 100 130 0 0" << false << "50 6166.666667";
    QTest::newRow("the sale made smaller")
        << "update 3 2026-03-01 sell 100 130 0 0" << false << "200 22666.666667";
    QTest::newRow("a new sale of what is left")
        << "add 2026-04-01 sell 50 10 0 0" << false << "0 0";
    QTest::newRow("a new sale of more")
        << "add 2026-04-01 sell 51 10 0 0" << true << "50 5666.666667";
}

void PositionStoreTest::refusesAnEditThatOversells()
{
    QFETCH(QString, edit);
    QFETCH(bool, refused);
    QFETCH(QString, left);

    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".sqlite");
    PositionStore store(path);
    const qint64 id = addPosition(store, "Orange");
    for (const Movement& movement : movementList("2026-01-05 buy 100 100 0 0; "
                                                 "2026-02-05 buy 200 120 0 0; "
                                                 "2026-03-01 sell 250 130 0 0")) {
        Movement added = movement;
        added.id = 0;
        QVERIFY(store.addMovement(id, added).ok());
    }
    const QStringList words = edit.split(u' ');
    StoreChange change;
    if (words[0] == u"remove") {
        change = store.removeMovement(id, words[1].toLongLong());
    } else if (words[0] == u"add") {
        Movement movement = movementList(words.mid(1).join(u' ')).first();
        movement.id = 0;
        change = store.addMovement(id, movement);
    } else {
        Movement movement = movementList(words.mid(2).join(u' ')).first();
        movement.id = words[1].toLongLong();
        change = store.updateMovement(id, movement);
    }
    QCOMPARE(!change.ok(), refused);
    if (refused)
        QCOMPARE(change.refusals.first().reason, StoreRefusal::Reason::Oversold);
    const Holding holding = replay(store.position(id)->movements).holding;
    QCOMPARE(QString::number(holding.shares) + u' ' + holding.cost.text(), left);
}

void PositionStoreTest::importsAllOrNothing()
{
    const QString path = m_dir.filePath("import.sqlite");
    PositionStore store(path);
    const auto lines = [](const QString& position, const QString& text, int first) {
        QList<ImportedMovement> imported;
        for (const Movement& movement : movementList(text))
            imported.append({first++, position,
                             Movement{0, movement.date, movement.kind, movement.shares,
                                      movement.price, movement.fee, movement.taxes}});
        return imported;
    };
    QList<ImportedMovement> bad =
        lines("Air", "2026-01-05 buy 10 100 0 0; 2026-02-01 sell 20 1 0 0", 2);
    bad += lines("Orange", "2026-01-05 buy 10 10 0 0", 4);
    bad += lines("Total", "2026-01-05 sell 1 10 0 0", 5);
    const StoreChange refused = store.importMovements(bad);
    QCOMPARE(refused.refusals.size(), 2);
    QCOMPARE(refused.refusals[0].line, 3);
    QCOMPARE(refused.refusals[1].line, 5);
    QCOMPARE(store.positions().size(), 0);

    const StoreChange accepted = store.importMovements(
        lines("Air", "2026-01-05 buy 10 100 0 0; 2026-02-01 sell 5 1 0 0", 2));
    QVERIFY(accepted.ok());
    QCOMPARE(store.positions().size(), 1);
    QCOMPARE(store.positions().first().movements.size(), 2);
}

void PositionStoreTest::twoWritersLoseNothing()
{
    const QString path = m_dir.filePath("two.sqlite");
    QProcess first;
    QProcess second;
    first.start(POSITION_WRITER_PATH, {path, "Air", "120"});
    second.start(POSITION_WRITER_PATH, {path, "Air", "120"});
    QVERIFY(first.waitForFinished(60000));
    QVERIFY(second.waitForFinished(60000));
    QCOMPARE(first.exitCode(), 0);
    QCOMPARE(second.exitCode(), 0);
    PositionStore store(path, true);
    const QList<Position> kept = store.positions();
    QCOMPARE(kept.size(), 1);
    QCOMPARE(kept.first().movements.size(), 240);
}

void PositionStoreTest::aKillLeavesTheLastCommit()
{
    const QString path = m_dir.filePath("killed.sqlite");
    for (const int after : {5, 17, 31}) {
        QProcess writer;
        writer.start(POSITION_WRITER_PATH, {path, "Air", "100000"});
        QVERIFY(writer.waitForStarted());
        int committed = 0;
        while (committed < after && writer.waitForReadyRead(20000)) {
            while (writer.canReadLine())
                committed = writer.readLine().trimmed().toInt();
        }
        writer.kill();
        QVERIFY(writer.waitForFinished());
        while (writer.canReadLine())
            committed = writer.readLine().trimmed().toInt();
        QVERIFY(committed >= after);

        PositionStore store(path, true);
        QCOMPARE(store.open(), StoreState::Ready);
        const qsizetype rows = store.positions().first().movements.size();
        static qsizetype before = 0;
        // What was committed before the kill is there; the transaction it cut is not half there.
        QVERIFY2(rows >= before + committed && rows <= before + committed + 1,
                 qPrintable(QString::number(rows)));
        before = rows;
    }
}

QTEST_GUILESS_MAIN(PositionStoreTest)
#include "tst_position_store.moc"
