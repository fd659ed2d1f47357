// libFuzzer harness: the input is a CSV file of purchases and sales as a user may import one,
// hostile or not. Reading it may refuse it but never crash or run away; a file it accepts is
// written back and read again to the very same movements, and written again to the same bytes.
#include "MovementsCsv.h"

#include <QByteArray>
#include <QHash>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void fail(const char* what)
{
    std::fprintf(stderr, "positions_csv_fuzz: %s\n", what);
    std::abort();
}

QList<Position> grouped(const QList<ImportedMovement>& movements)
{
    QList<Position> positions;
    QHash<QString, qsizetype> byName;
    for (const ImportedMovement& line : movements) {
        auto found = byName.constFind(line.position);
        if (found == byName.constEnd()) {
            Position position;
            position.name = line.position;
            found = byName.insert(line.position, positions.size());
            positions.append(position);
        }
        positions[*found].movements.append(line.movement);
    }
    return positions;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const CsvMovements read = readMovementsCsv(bytes, size % 2 == 0);
    if (!read.ok()) {
        if (!read.movements.isEmpty())
            fail("a refused file gave movements");
        return 0;
    }
    const QList<Position> positions = grouped(read.movements);
    const QByteArray written = writeMovementsCsv(positions);
    const CsvMovements again = readMovementsCsv(written, false);
    if (!again.ok())
        fail("a file written back is refused");
    if (grouped(again.movements) != positions)
        fail("a file written back reads as other movements");
    if (writeMovementsCsv(grouped(again.movements)) != written)
        fail("a file written twice differs");
    return 0;
}
