#include "PositionStore.h"

#include "Holding.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The schema this program writes, in PRAGMA user_version.
constexpr int schemaVersion = 1;

// How long a change waits for another copy of the program to finish its own. A change is a few
// rows and one sync to disk, far below this; only a copy stopped inside a transaction (in a
// debugger) holds the file longer, and the change then fails with the database's message.
constexpr int busyTimeoutMs = 10000;

// Each step brings the schema from the version before it to its own; a file of version n runs
// the steps after n. A later version adds a step and never edits one.
const QList<QStringList>& migrationSteps()
{
    static const QList<QStringList> steps = {
        {
            u"CREATE TABLE positions (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE, "
            "code TEXT NOT NULL DEFAULT '', schedule TEXT NOT NULL DEFAULT '', "
            "purchase_tax_rate TEXT NOT NULL DEFAULT '', sale_tax_rate TEXT NOT NULL DEFAULT '', "
            "sale_tax_cap TEXT NOT NULL DEFAULT '')"_s,
            // Amounts are whole millionths of a euro: exact, never binary fractions.
            u"CREATE TABLE movements (id INTEGER PRIMARY KEY, "
            "position INTEGER NOT NULL REFERENCES positions(id) ON DELETE CASCADE, "
            "date TEXT NOT NULL, kind TEXT NOT NULL CHECK (kind IN ('buy', 'sell')), "
            "shares INTEGER NOT NULL, price INTEGER NOT NULL, fee INTEGER NOT NULL, "
            "taxes INTEGER NOT NULL)"_s,
            u"CREATE INDEX movements_by_position ON movements (position, date, id)"_s,
        },
    };
    return steps;
}

QString kindText(MovementKind kind)
{
    return kind == MovementKind::Sale ? u"sell"_s : u"buy"_s;
}

Movement movementFrom(const QSqlQuery& query, int first)
{
    Movement movement;
    movement.id = query.value(first).toLongLong();
    movement.date = QDate::fromString(query.value(first + 1).toString(), Qt::ISODate);
    movement.kind =
        query.value(first + 2).toString() == u"sell" ? MovementKind::Sale : MovementKind::Purchase;
    movement.shares = query.value(first + 3).toLongLong();
    movement.price = Money::fromUnits(query.value(first + 4).toLongLong());
    movement.fee = Money::fromUnits(query.value(first + 5).toLongLong());
    movement.taxes = Money::fromUnits(query.value(first + 6).toLongLong());
    return movement;
}

void bindMovement(QSqlQuery& query, const Movement& movement)
{
    query.bindValue(u":date"_s, movement.date.toString(Qt::ISODate));
    query.bindValue(u":kind"_s, kindText(movement.kind));
    query.bindValue(u":shares"_s, movement.shares);
    query.bindValue(u":price"_s, movement.price.units());
    query.bindValue(u":fee"_s, movement.fee.units());
    query.bindValue(u":taxes"_s, movement.taxes.units());
}

// A null QString is bound as NULL, which the columns refuse: an empty text is what is meant.
QString text(const QString& value)
{
    return value.isNull() ? u""_s : value;
}

void bindPosition(QSqlQuery& query, const Position& position)
{
    query.bindValue(u":name"_s, text(position.name));
    query.bindValue(u":code"_s, text(position.code));
    query.bindValue(u":schedule"_s, text(position.scheduleName));
    query.bindValue(u":purchaseRate"_s, text(position.purchaseTaxRate));
    query.bindValue(u":saleRate"_s, text(position.saleTaxRate));
    query.bindValue(u":saleCap"_s, text(position.saleTaxCap));
}

StoreRefusal refusal(StoreRefusal::Reason reason, const QString& detail = {})
{
    StoreRefusal refused;
    refused.reason = reason;
    refused.detail = detail;
    return refused;
}

StoreChange refused(StoreRefusal::Reason reason)
{
    return StoreChange{0, {refusal(reason)}};
}

} // namespace

// One write transaction, taken at once (BEGIN IMMEDIATE) so that its reads already see what
// every other copy committed and no other copy can write in between; rolled back unless
// committed.
class PositionStore::Transaction
{
public:
    explicit Transaction(const QSqlDatabase& database) : m_database(database)
    {
        QSqlQuery query(m_database);
        m_begun = query.exec(u"BEGIN IMMEDIATE"_s);
        if (!m_begun)
            m_error = query.lastError().text();
    }
    ~Transaction()
    {
        if (m_begun && !m_done)
            QSqlQuery(m_database).exec(u"ROLLBACK"_s);
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool begun() const { return m_begun; }
    QString error() const { return m_error; }
    bool commit()
    {
        QSqlQuery query(m_database);
        m_done = query.exec(u"COMMIT"_s);
        if (!m_done)
            m_error = query.lastError().text();
        return m_done;
    }

private:
    QSqlDatabase m_database;
    bool m_begun = false;
    bool m_done = false;
    QString m_error;
};

QString PositionStore::pathBeside(const QString& settingsPath)
{
    const QFileInfo settings(settingsPath);
    return settings.dir().filePath(settings.completeBaseName() + u"-positions.sqlite"_s);
}

PositionStore::PositionStore(QString path, bool readOnly)
    : m_path(std::move(path)),
      m_connection(u"positions-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces)),
      m_readOnly(readOnly)
{}

PositionStore::~PositionStore()
{
    if (m_state == StoreState::Closed)
        return;
    {
        QSqlDatabase database = QSqlDatabase::database(m_connection, false);
        database.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

StoreState PositionStore::open()
{
    if (m_state != StoreState::Closed)
        return m_state;
    if (m_readOnly && !QFileInfo::exists(m_path)) {
        m_state = StoreState::Missing;
        return m_state;
    }
    if (!QSqlDatabase::isDriverAvailable(u"QSQLITE"_s)) {
        m_error = u"QSQLITE"_s;
        m_state = StoreState::Failed;
        return m_state;
    }
    QSqlDatabase database = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_connection);
    database.setDatabaseName(m_path);
    QString options = u"QSQLITE_BUSY_TIMEOUT="_s + QString::number(busyTimeoutMs);
    if (m_readOnly)
        options += u";QSQLITE_OPEN_READONLY"_s;
    database.setConnectOptions(options);
    if (!database.open()) {
        m_error = database.lastError().text();
        m_state = StoreState::Failed;
        return m_state;
    }
    m_state = StoreState::Ready;
    if (!createOrCheckSchema() && m_state == StoreState::Ready)
        m_state = StoreState::Failed;
    return m_state;
}

bool PositionStore::createOrCheckSchema()
{
    const QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(database);
    // A file that is not a database fails its very first read.
    if (!query.exec(u"PRAGMA user_version"_s) || !query.next()) {
        m_error = query.lastError().text();
        m_state = StoreState::Damaged;
        return false;
    }
    int version = query.value(0).toInt();
    query.finish();
    if (version > schemaVersion) {
        m_state = StoreState::Newer;
        return false;
    }
    if (version == 0 && m_readOnly) {
        m_state = StoreState::Missing;
        return true;
    }
    if (version < schemaVersion) {
        Transaction transaction(database);
        if (!transaction.begun()) {
            m_error = transaction.error();
            return false;
        }
        // Read again inside the transaction: another copy may have just made the schema.
        if (!query.exec(u"PRAGMA user_version"_s) || !query.next())
            return false;
        version = query.value(0).toInt();
        query.finish();
        if (version == 0) {
            // A file with tables of its own but no version is not ours: leave it alone.
            if (!query.exec(u"SELECT count(*) FROM sqlite_master"_s) || !query.next())
                return false;
            if (query.value(0).toInt() != 0) {
                m_state = StoreState::Damaged;
                return false;
            }
            query.finish();
        }
        for (int step = version; step < schemaVersion; ++step) {
            for (const QString& statement : migrationSteps()[step]) {
                if (!query.exec(statement)) {
                    m_error = query.lastError().text();
                    return false;
                }
            }
        }
        if (version < schemaVersion &&
            (!query.exec(u"PRAGMA user_version = "_s + QString::number(schemaVersion)) ||
             !transaction.commit())) {
            m_error = query.lastError().text() + transaction.error();
            return false;
        }
    }
    if (!query.exec(u"PRAGMA quick_check"_s) || !query.next() ||
        query.value(0).toString() != u"ok") {
        m_error = query.lastError().text();
        m_state = StoreState::Damaged;
        return false;
    }
    query.finish();
    if (!m_readOnly) {
        query.exec(u"PRAGMA foreign_keys = ON"_s);
        // A commit in the write-ahead log syncs once, where the rollback journal syncs the
        // journal, the file and the directory: 4 ms a change instead of 20 here. FULL keeps
        // every committed change through a power cut.
        query.exec(u"PRAGMA journal_mode = WAL"_s);
        query.exec(u"PRAGMA synchronous = FULL"_s);
    }
    return true;
}

QList<Position> PositionStore::positions()
{
    if (open() != StoreState::Ready)
        return {};
    const QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(database);
    query.setForwardOnly(true);
    QList<Position> result;
    QHash<qint64, qsizetype> byId;
    if (!query.exec(u"SELECT id, name, code, schedule, purchase_tax_rate, sale_tax_rate, "
                    "sale_tax_cap FROM positions ORDER BY name"_s))
        return {};
    while (query.next()) {
        Position position;
        position.id = query.value(0).toLongLong();
        position.name = query.value(1).toString();
        position.code = query.value(2).toString();
        position.scheduleName = query.value(3).toString();
        position.purchaseTaxRate = query.value(4).toString();
        position.saleTaxRate = query.value(5).toString();
        position.saleTaxCap = query.value(6).toString();
        byId.insert(position.id, result.size());
        result.append(position);
    }
    if (!query.exec(u"SELECT position, id, date, kind, shares, price, fee, taxes FROM movements "
                    "ORDER BY position, date, id"_s))
        return {};
    while (query.next()) {
        const auto found = byId.constFind(query.value(0).toLongLong());
        if (found != byId.constEnd())
            result[*found].movements.append(movementFrom(query, 1));
    }
    return result;
}

std::optional<Position> PositionStore::position(qint64 id)
{
    for (const Position& position : positions()) {
        if (position.id == id)
            return position;
    }
    return std::nullopt;
}

StoreChange PositionStore::inTransaction(const Work& work)
{
    if (m_readOnly || open() != StoreState::Ready)
        return failure(m_error);
    const QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    Transaction transaction(database);
    if (!transaction.begun())
        return failure(transaction.error());
    // A change refused or failed part-way is rolled back whole when the transaction goes.
    const StoreChange change = work(database);
    if (!change.ok())
        return change;
    if (!transaction.commit())
        return failure(transaction.error());
    return change;
}

StoreChange PositionStore::failure(const QString& detail)
{
    m_error = detail;
    return StoreChange{0, {refusal(StoreRefusal::Reason::Failed, detail)}};
}

StoreChange PositionStore::addPosition(const Position& position)
{
    return inTransaction([&](const QSqlDatabase& database) -> StoreChange {
        QSqlQuery query(database);
        query.prepare(u"SELECT 1 FROM positions WHERE name = :name"_s);
        query.bindValue(u":name"_s, position.name);
        if (query.exec() && query.next())
            return refused(StoreRefusal::Reason::NameTaken);
        query.prepare(
            u"INSERT INTO positions (name, code, schedule, purchase_tax_rate, "
            "sale_tax_rate, sale_tax_cap) VALUES (:name, :code, :schedule, :purchaseRate, "
            ":saleRate, :saleCap)"_s);
        bindPosition(query, position);
        if (!query.exec())
            return failure(query.lastError().text());
        const qint64 id = query.lastInsertId().toLongLong();
        return StoreChange{id, {}};
    });
}

StoreChange PositionStore::updatePosition(const Position& position)
{
    return inTransaction([&](const QSqlDatabase& database) -> StoreChange {
        QSqlQuery query(database);
        query.prepare(u"SELECT 1 FROM positions WHERE name = :name AND id <> :id"_s);
        query.bindValue(u":name"_s, position.name);
        query.bindValue(u":id"_s, position.id);
        if (query.exec() && query.next())
            return refused(StoreRefusal::Reason::NameTaken);
        query.prepare(u"UPDATE positions SET name = :name, code = :code, schedule = :schedule, "
                      "purchase_tax_rate = :purchaseRate, sale_tax_rate = :saleRate, "
                      "sale_tax_cap = :saleCap WHERE id = :id"_s);
        bindPosition(query, position);
        query.bindValue(u":id"_s, position.id);
        if (!query.exec())
            return failure(query.lastError().text());
        if (query.numRowsAffected() == 0)
            return refused(StoreRefusal::Reason::NotFound);
        return StoreChange{position.id, {}};
    });
}

StoreChange PositionStore::removePosition(qint64 id)
{
    return inTransaction([&](const QSqlDatabase& database) -> StoreChange {
        QSqlQuery query(database);
        query.prepare(u"DELETE FROM positions WHERE id = :id"_s);
        query.bindValue(u":id"_s, id);
        if (!query.exec())
            return failure(query.lastError().text());
        return StoreChange{id, {}};
    });
}

QList<Movement> PositionStore::movementsOf(qint64 positionId, bool* ok)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    query.prepare(u"SELECT id, date, kind, shares, price, fee, taxes FROM movements "
                  "WHERE position = :position"_s);
    query.bindValue(u":position"_s, positionId);
    QList<Movement> movements;
    *ok = query.exec();
    while (*ok && query.next())
        movements.append(movementFrom(query, 0));
    return movements;
}

StoreChange PositionStore::addMovement(qint64 positionId, const Movement& movement)
{
    Movement added = movement;
    added.id = 0;
    return changeMovements(positionId, added, 0);
}

StoreChange PositionStore::updateMovement(qint64 positionId, const Movement& movement)
{
    return changeMovements(positionId, movement, 0);
}

StoreChange PositionStore::removeMovement(qint64 positionId, qint64 movementId)
{
    return changeMovements(positionId, std::nullopt, movementId);
}

StoreChange PositionStore::changeMovements(qint64 positionId, const std::optional<Movement>& put,
                                           qint64 removedId)
{
    return inTransaction([&](const QSqlDatabase& database) -> StoreChange {
        QSqlQuery query(database);
        query.prepare(u"SELECT 1 FROM positions WHERE id = :id"_s);
        query.bindValue(u":id"_s, positionId);
        if (!query.exec() || !query.next())
            return refused(StoreRefusal::Reason::NotFound);
        query.finish();

        bool ok = false;
        QList<Movement> movements = movementsOf(positionId, &ok);
        if (!ok)
            return failure(database.lastError().text());
        const qint64 changedId = put ? put->id : removedId;
        if (changedId != 0) {
            const auto kept = std::find_if(movements.begin(), movements.end(),
                                           [&](const Movement& m) { return m.id == changedId; });
            if (kept == movements.end())
                return refused(StoreRefusal::Reason::NotFound);
            movements.erase(kept);
        }
        if (put)
            movements.append(*put);
        // The history as it will stand decides: a change anywhere may leave a later sale short.
        const PositionHistory history = replay(movements);
        if (history.oversold) {
            StoreChange change = refused(StoreRefusal::Reason::Oversold);
            change.refusals.first().movement = *history.oversold;
            return change;
        }

        qint64 id = changedId;
        if (!put) {
            query.prepare(u"DELETE FROM movements WHERE id = :id"_s);
            query.bindValue(u":id"_s, removedId);
        } else if (put->id == 0) {
            query.prepare(
                u"INSERT INTO movements (position, date, kind, shares, price, fee, taxes) "
                "VALUES (:position, :date, :kind, :shares, :price, :fee, :taxes)"_s);
            query.bindValue(u":position"_s, positionId);
            bindMovement(query, *put);
        } else {
            query.prepare(u"UPDATE movements SET date = :date, kind = :kind, shares = :shares, "
                          "price = :price, fee = :fee, taxes = :taxes WHERE id = :id"_s);
            bindMovement(query, *put);
            query.bindValue(u":id"_s, put->id);
        }
        if (!query.exec())
            return failure(query.lastError().text());
        if (put && put->id == 0)
            id = query.lastInsertId().toLongLong();
        return StoreChange{id, {}};
    });
}

StoreChange PositionStore::importMovements(const QList<ImportedMovement>& lines)
{
    return inTransaction([&](const QSqlDatabase& database) -> StoreChange {
        QHash<QString, qint64> positionIds;
        QSqlQuery query(database);
        query.setForwardOnly(true);
        if (!query.exec(u"SELECT id, name FROM positions"_s))
            return failure(query.lastError().text());
        while (query.next())
            positionIds.insert(query.value(1).toString(), query.value(0).toLongLong());
        query.finish();

        QSqlQuery addPositionQuery(database);
        addPositionQuery.prepare(u"INSERT INTO positions (name) VALUES (:name)"_s);
        QSqlQuery insert(database);
        insert.prepare(u"INSERT INTO movements (position, date, kind, shares, price, fee, taxes) "
                       "VALUES (:position, :date, :kind, :shares, :price, :fee, :taxes)"_s);
        QHash<qint64, int> lineOfMovement;
        QList<qint64> touched;
        for (const ImportedMovement& line : lines) {
            auto found = positionIds.constFind(line.position);
            if (found == positionIds.constEnd()) {
                addPositionQuery.bindValue(u":name"_s, line.position);
                if (!addPositionQuery.exec())
                    return failure(addPositionQuery.lastError().text());
                found =
                    positionIds.insert(line.position, addPositionQuery.lastInsertId().toLongLong());
            }
            if (!touched.contains(*found))
                touched.append(*found);
            insert.bindValue(u":position"_s, *found);
            bindMovement(insert, line.movement);
            if (!insert.exec())
                return failure(insert.lastError().text());
            lineOfMovement.insert(insert.lastInsertId().toLongLong(), line.line);
        }

        StoreChange change;
        for (const qint64 positionId : std::as_const(touched)) {
            bool ok = false;
            const PositionHistory history = replay(movementsOf(positionId, &ok));
            if (!ok)
                return failure(database.lastError().text());
            if (!history.oversold)
                continue;
            StoreRefusal refusedSale = refusal(StoreRefusal::Reason::Oversold);
            refusedSale.movement = *history.oversold;
            refusedSale.line = lineOfMovement.value(history.oversold->id);
            refusedSale.detail = positionIds.key(positionId);
            change.refusals.append(refusedSale);
        }
        if (!change.ok())
            return change;
        return change;
    });
}
