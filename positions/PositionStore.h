#pragma once

#include "Position.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QSqlDatabase;

// Why the store could not be opened. A file from a newer version of the program, or one that is
// not a sound database of positions, is left exactly as it is: the user's data is never
// recreated over.
enum class StoreState
{
    Closed, // not opened yet: the file is opened on first need, never at start-up
    Ready,
    Missing, // opened to read and there is no file yet: no positions
    Newer,   // its schema version is above the one this program knows
    Damaged, // not a database, or not one of positions, or failing its check
    Failed,  // could not be opened or written (rights, disk)
};

// A line of an import: the movement, the position it belongs to by name, and its line number.
struct ImportedMovement
{
    int line = 0;
    QString position;
    Movement movement;
};

// Why a change was not made; on a refusal nothing of it was written.
struct StoreRefusal
{
    enum class Reason
    {
        Oversold,  // a sale of more shares than held on its date; movement says which
        NameTaken, // another position has that name
        NotFound,  // the position or the movement is gone (deleted by another copy)
        Failed,    // the database said no: detail holds its text
    };
    Reason reason = Reason::Failed;
    Movement movement;
    int line = 0; // of an import
    QString detail;
};

// What a change came to: the id of a new row, or every reason it was refused.
struct StoreChange
{
    qint64 id = 0;
    QList<StoreRefusal> refusals;

    bool ok() const { return refusals.isEmpty(); }
};

// The positions kept in one SQLite file beside the settings file. Every change is one
// transaction that first checks the position's history as it will stand, so two copies of the
// program open at once wait for each other and neither loses what the other wrote, and a kill at
// any moment leaves the last committed state. Each store has its own connection, removed with it.
class PositionStore
{
public:
    // vantrelle.ini → vantrelle-positions.sqlite in the same directory.
    static QString pathBeside(const QString& settingsPath);

    // A store that only reads never creates nor changes the file.
    explicit PositionStore(QString path, bool readOnly = false);
    ~PositionStore();
    PositionStore(const PositionStore&) = delete;
    PositionStore& operator=(const PositionStore&) = delete;

    const QString& path() const { return m_path; }
    // Opens the file on first call and gives the same answer afterwards.
    StoreState open();
    StoreState state() const { return m_state; }
    QString errorText() const { return m_error; }

    // Every position, by name, with its movements.
    QList<Position> positions();
    std::optional<Position> position(qint64 id);

    // A new position (its movements are ignored) or its name, code, schedule and taxes changed.
    StoreChange addPosition(const Position& position);
    StoreChange updatePosition(const Position& position);
    StoreChange removePosition(qint64 id);

    StoreChange addMovement(qint64 positionId, const Movement& movement);
    StoreChange updateMovement(qint64 positionId, const Movement& movement);
    StoreChange removeMovement(qint64 positionId, qint64 movementId);

    // Every line in one transaction, positions created by name as needed: all or nothing, with
    // every sale refused listed by its line.
    StoreChange importMovements(const QList<ImportedMovement>& lines);

private:
    class Transaction;

    bool createOrCheckSchema();
    StoreChange changeMovements(qint64 positionId, const std::optional<Movement>& put,
                                qint64 removedId);
    QList<Movement> movementsOf(qint64 positionId, bool* ok);
    StoreChange failure(const QString& detail);
    // Opens the store if need be and runs the work in one transaction, committed when the work
    // has nothing to refuse.
    using Work = std::function<StoreChange(const QSqlDatabase& database)>;
    StoreChange inTransaction(const Work& work);

    QString m_path;
    QString m_connection;
    bool m_readOnly = false;
    StoreState m_state = StoreState::Closed;
    QString m_error;
};
