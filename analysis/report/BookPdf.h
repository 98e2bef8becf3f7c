#pragma once

#include "PageOperation.h"

#include <QBuffer>
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QPainter>
#include <QString>
#include <memory>

class QPdfWriter;

namespace ertragon::report {

// A PDF of many report pages with an outline (bookmarks by level) and the
// document's title, author and creation date. The pages are drawn with
// QPdfWriter as they come; the outline and the metadata are added at the end
// with qpdf, as QPdfWriter writes neither. The file is written completely or
// not at all.
class BookPdf
{
public:
    struct Metadata
    {
        QString title;
        QString author;
        QDateTime created;
    };

    explicit BookPdf(Metadata metadata);
    ~BookPdf();
    BookPdf(const BookPdf &) = delete;
    BookPdf &operator=(const BookPdf &) = delete;

    // One A4 landscape page; its outline entry stands at depth (0 at the top)
    // under the last entry one level up.
    void addPage(const PageOperations &page, const QString &outlineTitle, int depth);
    int pageCount() const { return int(m_entries.size()); }

    // The finished PDF; empty with *error when it could not be made.
    QByteArray finish(QString *error = nullptr);
    // finish() and the file written whole, or nothing written.
    bool write(const QString &path, QString *error = nullptr);

private:
    struct Entry
    {
        QString title;
        int depth;
    };

    QByteArray addOutlineAndMetadata(const QByteArray &pdf) const;

    Metadata m_metadata;
    QByteArray m_bytes;
    QBuffer m_buffer;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    QList<Entry> m_entries;
};

} // namespace ertragon::report
