// libFuzzer harness: the input is a CSV file given to "vantrelle calc --csv". It is read line by
// line through the bounded reader (with a small bound, so that inputs reach it), its dialect told
// from the first line, and each line split into cells and read as a trade. Nothing may crash; no
// line handed over may exceed the bound or hold a line feed; the lines never hold more bytes than
// the input; and cells written back in the dialect read back the same.
#include "CsvDialect.h"
#include "CsvTrades.h"
#include "LineReader.h"

#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr qsizetype limit = 512;

[[noreturn]] void fail(const char* what, const QByteArray& detail)
{
    std::fprintf(stderr, "csv_reader_fuzz: %s\n%s\n", what, detail.toPercentEncoding().constData());
    std::abort();
}

// The input behind a descriptor, as a file or the standard input would give it.
int descriptorOf(const uint8_t* data, size_t size)
{
    const int descriptor = memfd_create("csv_reader_fuzz", 0);
    if (descriptor < 0)
        std::abort();
    size_t done = 0;
    while (done < size) {
        const ssize_t count = ::write(descriptor, data + done, size - done);
        if (count <= 0)
            std::abort();
        done += size_t(count);
    }
    ::lseek(descriptor, 0, SEEK_SET);
    return descriptor;
}

void checkRoundTrip(const QStringList& cells, QChar separator, const QByteArray& line)
{
    QStringList written;
    for (const QString& cell : cells)
        written << csvCell(cell, separator);
    if (csvCells(written.join(separator), separator) != cells)
        fail("cells written back read differently", line);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const int descriptor = descriptorOf(data, size);
    LineReader reader(descriptor, limit);
    QByteArray line;
    qsizetype bytes = 0;
    std::optional<CsvDialect> dialect;
    for (;;) {
        const LineReader::Status status = reader.next(line);
        if (status == LineReader::Status::End || status == LineReader::Status::Failed)
            break;
        if (status == LineReader::Status::TooLong)
            continue;
        if (line.size() > limit || line.contains('\n'))
            fail("a line over the bound or holding a line feed", line);
        bytes += line.size();
        if (bytes > qsizetype(size))
            fail("more bytes in the lines than in the input", line);
        const QString text = QString::fromUtf8(line);
        if (!dialect) {
            dialect = detectCsvDialect(text);
            if (dialect->decimalMark == dialect->separator)
                fail("the decimal mark is the separator", line);
            isCsvTradeHeader(csvCells(text, dialect->separator));
            continue;
        }
        const QStringList cells = csvCells(text, dialect->separator);
        checkRoundTrip(cells, dialect->separator, line);
        csvTrade(cells, size % 2 == 0);
    }
    if (reader.lineNumber() > qint64(size) + 1)
        fail("more lines than bytes", QByteArray());
    ::close(descriptor);
    return 0;
}
