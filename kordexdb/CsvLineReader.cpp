#include "CsvLineReader.h"

#include <QIODevice>
#include <QStringDecoder>

namespace kordex {

namespace {

constexpr qint64 chunk = 1 << 20;

} // namespace

CsvLineReader::CsvLineReader(QIODevice &device)
    : m_device(device)
{
}

bool CsvLineReader::fill()
{
    if (m_start > 0) {
        m_buffer.remove(0, m_start);
        m_start = 0;
    }
    const qsizetype had = m_buffer.size();
    m_buffer.resize(had + chunk);
    const qint64 got = m_device.read(m_buffer.data() + had, chunk);
    m_buffer.resize(had + std::max<qint64>(got, 0));
    if (got > 0)
        m_bytesRead += got;
    return got > 0;
}

bool CsvLineReader::next(QString &line, QString &problem)
{
    line.clear();
    problem.clear();
    bool tooLong = false;
    for (;;) {
        if (m_start >= m_buffer.size() && !fill()) {
            if (!tooLong)
                return false; // the end, and no line begun
            break;
        }
        if (m_atStart) {
            if (m_buffer.size() - m_start < 3 && fill())
                continue;
            if (m_buffer.mid(m_start, 3) == "\xEF\xBB\xBF")
                m_start += 3;
            m_atStart = false;
        }
        if (m_skipLineFeed && m_start < m_buffer.size()) {
            m_skipLineFeed = false;
            if (m_buffer[m_start] == '\n') {
                ++m_start;
                continue;
            }
        }
        qsizetype end = m_start;
        while (end < m_buffer.size() && m_buffer[end] != '\n' && m_buffer[end] != '\r')
            ++end;
        const bool ended = end < m_buffer.size();
        if (end - m_start > maxLineBytes || tooLong) {
            // Past the limit the rest of the line is read over, not kept.
            tooLong = true;
            m_start = end;
            if (!ended)
                continue;
        } else if (!ended) {
            if (fill())
                continue; // the line goes on in the next chunk
            // the last line, without an end; fill() moved it to the front
            end = m_buffer.size();
            if (m_start >= end)
                return false;
        }
        if (!tooLong) {
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            line = decoder(QByteArrayView(m_buffer).sliced(m_start, end - m_start));
            if (decoder.hasError()) {
                line.clear();
                problem = QStringLiteral("kein gültiger UTF-8-Text");
            }
        }
        if (ended) {
            m_skipLineFeed = m_buffer[end] == '\r';
            m_start = end + 1;
        } else {
            m_start = end;
        }
        break;
    }
    ++m_lineNumber;
    if (tooLong)
        problem = QStringLiteral("Zeile länger als %1 Bytes").arg(maxLineBytes);
    return true;
}

} // namespace kordex
