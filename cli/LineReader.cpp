#include "LineReader.h"

#include <cerrno>
#include <unistd.h>

namespace {

// Big enough that a file is read in few calls, small enough to stay flat.
constexpr qsizetype chunkSize = 64 * 1024;

QByteArray withoutEnding(QByteArray line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

} // namespace

bool LineReader::fill()
{
    if (m_ended)
        return false;
    if (m_start > 0) {
        m_buffer.remove(0, m_start);
        m_start = 0;
    }
    const qsizetype size = m_buffer.size();
    m_buffer.resize(size + chunkSize);
    ssize_t count = 0;
    do {
        count = ::read(m_descriptor, m_buffer.data() + size, size_t(chunkSize));
    } while (count < 0 && errno == EINTR);
    m_buffer.resize(size + qMax<qsizetype>(count, 0));
    if (count <= 0) {
        m_ended = true;
        m_failed = count < 0;
        return false;
    }
    return true;
}

bool LineReader::skipRest()
{
    for (;;) {
        const qsizetype end = m_buffer.indexOf('\n', m_start);
        if (end >= 0) {
            m_start = end + 1;
            m_skipping = false;
            return true;
        }
        m_buffer.clear();
        m_start = 0;
        if (!fill())
            return false;
    }
}

LineReader::Status LineReader::next(QByteArray& line)
{
    if (m_skipping && !skipRest())
        return m_failed ? Status::Failed : Status::End;
    for (;;) {
        const qsizetype end = m_buffer.indexOf('\n', m_start);
        const qsizetype length = (end >= 0 ? end : m_buffer.size()) - m_start;
        // A CR may end the line: one byte more than the limit is still a line until its LF.
        if (end < 0 ? length > m_limit + 1
                    : withoutEnding(m_buffer.mid(m_start, qMin(length, m_limit + 2))).size() >
                          m_limit) {
            ++m_lineNumber;
            if (end >= 0) {
                m_start = end + 1;
            } else {
                m_skipping = true;
                m_buffer.clear();
                m_start = 0;
            }
            return Status::TooLong;
        }
        if (end >= 0) {
            ++m_lineNumber;
            line = withoutEnding(m_buffer.mid(m_start, length));
            m_start = end + 1;
            return Status::Line;
        }
        if (!fill())
            break;
    }
    if (m_failed)
        return Status::Failed;
    if (m_start >= m_buffer.size())
        return Status::End;
    // The last line, without an ending: the byte kept for a CR that may have ended it counts.
    ++m_lineNumber;
    QByteArray last = withoutEnding(m_buffer.mid(m_start));
    m_buffer.clear();
    m_start = 0;
    if (last.size() > m_limit)
        return Status::TooLong;
    line = std::move(last);
    return Status::Line;
}
