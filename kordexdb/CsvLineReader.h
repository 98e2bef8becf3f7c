#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

namespace kordex {

// Reads the lines of a UTF-8 import file one at a time, so that an import's memory
// does not grow with the file. "\n", "\r\n" and "\r" each end a line; a byte-order
// mark is dropped. A line longer than maxLineBytes, or one that is no UTF-8, comes
// with its problem instead of its text, and reading goes on with the next line.
class CsvLineReader
{
public:
    static constexpr qsizetype maxLineBytes = 65536;

    explicit CsvLineReader(QIODevice &device);

    // False at the end of the file. Otherwise the next line, or an empty line and
    // why it cannot be read.
    bool next(QString &line, QString &problem);
    // The number of the line next() gave last, from 1.
    qsizetype lineNumber() const { return m_lineNumber; }
    // How far the file has been read, for progress.
    qint64 bytesRead() const { return m_bytesRead; }

private:
    bool fill();

    QIODevice &m_device;
    QByteArray m_buffer;
    qsizetype m_start = 0;
    qsizetype m_lineNumber = 0;
    qint64 m_bytesRead = 0;
    bool m_atStart = true;
    bool m_skipLineFeed = false; // a "\r" ended the last line: a "\n" after it belongs to it
};

} // namespace kordex
