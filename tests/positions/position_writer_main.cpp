// A second copy of the program writing positions, for the tests of two writers and of a kill:
// position_writer FILE NAME COUNT adds COUNT purchases to the position NAME, one transaction
// each, and prints how many are committed after each one.
#include "PositionStore.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 4)
        return 2;
    PositionStore store(arguments[1]);
    if (store.open() != StoreState::Ready)
        return 1;
    Position position;
    position.name = arguments[2];
    store.addPosition(position);
    qint64 id = 0;
    for (const Position& kept : store.positions()) {
        if (kept.name == position.name)
            id = kept.id;
    }
    QTextStream out(stdout);
    const int count = arguments[3].toInt();
    for (int i = 1; i <= count; ++i) {
        Movement purchase;
        purchase.date = QDate(2026, 1, 1).addDays(i % 300);
        purchase.shares = 1;
        purchase.price = Money::fromCents(1000 + i);
        if (!store.addMovement(id, purchase).ok())
            return 1;
        out << i << Qt::endl;
    }
    return 0;
}
