#pragma once

#include <QByteArray>
#include <QtGlobal>

// The lines of a file descriptor, one at a time, as they arrive: a line read from a pipe is
// handed over at once, without waiting for the buffer or the end, and a line longer than the
// limit is skipped rather than held, so that memory stays flat whatever the input.
class LineReader
{
public:
    enum class Status
    {
        Line,    // a line, without its LF or CRLF ending
        TooLong, // a line over the limit: said at once, its rest skipped by the next call
        End,
        Failed, // the descriptor could not be read
    };

    LineReader(int descriptor, qsizetype limit) : m_descriptor(descriptor), m_limit(limit) {}

    Status next(QByteArray& line);
    // Whether the next line is already read, whole: the next call will not wait for the input.
    bool lineReady() const { return m_buffer.indexOf('\n', m_start) >= 0; }
    // The number of the line last handed over, from 1.
    qint64 lineNumber() const { return m_lineNumber; }

private:
    // Reads what is there into the buffer; false at the end or on a failure.
    bool fill();
    // Drops the rest of a line found too long; false when the input ends first.
    bool skipRest();

    int m_descriptor;
    qsizetype m_limit;
    QByteArray m_buffer;
    qsizetype m_start = 0; // where the next line begins in the buffer
    qint64 m_lineNumber = 0;
    bool m_skipping = false;
    bool m_ended = false;
    bool m_failed = false;
};
