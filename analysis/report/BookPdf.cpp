#include "BookPdf.h"

#include "PageRenderer.h"
#include "ReportExport.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

namespace ertragon::report {

namespace {

using Object = QPDFObjectHandle;

std::string utf8(const QString &text)
{
    return text.toStdString();
}

// "D:YYYYMMDDHHmmSS+hh'mm'" for the document information.
std::string pdfDate(const QDateTime &when)
{
    const int offset = when.offsetFromUtc() / 60;
    const QString zone = QStringLiteral("%1%2'%3'")
                             .arg(offset < 0 ? QStringLiteral("-") : QStringLiteral("+"))
                             .arg(qAbs(offset) / 60, 2, 10, QLatin1Char('0'))
                             .arg(qAbs(offset) % 60, 2, 10, QLatin1Char('0'));
    return utf8(QStringLiteral("D:") + when.toString(QStringLiteral("yyyyMMddHHmmss")) + zone);
}

// Links items (indirect dictionaries) as the children of parent.
void linkChildren(Object &parent, const std::vector<Object> &children)
{
    if (children.empty())
        return;
    for (size_t i = 0; i < children.size(); ++i) {
        Object child = children[i];
        child.replaceKey("/Parent", parent);
        if (i > 0)
            child.replaceKey("/Prev", children[i - 1]);
        if (i + 1 < children.size())
            child.replaceKey("/Next", children[i + 1]);
    }
    parent.replaceKey("/First", children.front());
    parent.replaceKey("/Last", children.back());
    parent.replaceKey("/Count", Object::newInteger(qint64(children.size())));
}

} // namespace

BookPdf::BookPdf(Metadata metadata)
    : m_metadata(std::move(metadata))
    , m_buffer(&m_bytes)
{
}

BookPdf::~BookPdf()
{
    if (m_painter.isActive())
        m_painter.end();
}

void BookPdf::addPage(const PageOperations &page, const QString &outlineTitle, int depth)
{
    if (!m_writer) {
        m_buffer.open(QIODevice::WriteOnly);
        m_writer = std::make_unique<QPdfWriter>(&m_buffer);
        m_writer->setResolution(1200);
        m_writer->setCreator(QStringLiteral("Ertragon"));
        m_writer->setTitle(m_metadata.title);
        m_writer->setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
        m_painter.begin(m_writer.get());
    } else {
        m_writer->newPage();
    }
    if (m_painter.isActive()) {
        const QSizeF pageTwips = PageRenderer::pageSizeTwips(9, 1);
        PageRenderer::render(m_painter, page, pageTwips,
                             QRectF(0, 0, m_writer->width(), m_writer->height()));
    }
    m_entries.append({ outlineTitle, depth });
}

QByteArray BookPdf::finish(QString *error)
{
    if (!m_writer || !m_painter.isActive() || !m_painter.end()) {
        if (error)
            *error = m_entries.isEmpty() ? QStringLiteral("Die Berichtsmappe hat keine Seite.")
                                         : QStringLiteral("PDF kann nicht erzeugt werden");
        return {};
    }
    m_buffer.close();
    try {
        return addOutlineAndMetadata(m_bytes);
    } catch (const std::exception &failure) {
        if (error)
            *error = QStringLiteral("PDF-Gliederung: ") + QString::fromLocal8Bit(failure.what());
        return {};
    }
}

bool BookPdf::write(const QString &path, QString *error)
{
    const QByteArray pdf = finish(error);
    return !pdf.isEmpty() && ReportExport::writeFile(path, pdf, error);
}

QByteArray BookPdf::addOutlineAndMetadata(const QByteArray &input) const
{
    QPDF pdf;
    pdf.processMemoryFile("Berichtsmappe", input.constData(), size_t(input.size()));
    const std::vector<Object> &pages = pdf.getAllPages();

    // One outline item per page, under the last item one level up.
    Object outlines = pdf.makeIndirectObject(Object::newDictionary());
    outlines.replaceKey("/Type", Object::newName("/Outlines"));
    std::vector<Object> items;
    std::vector<std::vector<Object>> children(size_t(m_entries.size()) + 1);
    std::vector<int> lastAtDepth;
    for (qsizetype i = 0; i < m_entries.size() && size_t(i) < pages.size(); ++i) {
        const Entry &entry = m_entries[i];
        Object item = pdf.makeIndirectObject(Object::newDictionary());
        item.replaceKey("/Title", Object::newUnicodeString(utf8(entry.title)));
        Object destination = Object::newArray();
        destination.appendItem(pages[size_t(i)]);
        destination.appendItem(Object::newName("/Fit"));
        item.replaceKey("/Dest", destination);
        const int depth = qBound(0, entry.depth, int(lastAtDepth.size()));
        lastAtDepth.resize(size_t(depth) + 1);
        lastAtDepth[size_t(depth)] = int(i);
        const int parent = depth > 0 ? lastAtDepth[size_t(depth) - 1] : -1;
        children[size_t(parent + 1)].push_back(item);
        items.push_back(item);
    }
    for (size_t i = 0; i < items.size(); ++i)
        linkChildren(items[i], children[i + 1]);
    linkChildren(outlines, children[0]);
    Object root = pdf.getRoot();
    root.replaceKey("/Outlines", outlines);
    root.replaceKey("/PageMode", Object::newName("/UseOutlines"));

    Object info = pdf.makeIndirectObject(Object::newDictionary());
    info.replaceKey("/Title", Object::newUnicodeString(utf8(m_metadata.title)));
    info.replaceKey("/Author", Object::newUnicodeString(utf8(m_metadata.author)));
    info.replaceKey("/Creator", Object::newUnicodeString("Ertragon"));
    info.replaceKey("/CreationDate", Object::newString(pdfDate(m_metadata.created)));
    pdf.getTrailer().replaceKey("/Info", info);

    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    writer.setDeterministicID(true);
    writer.write();
    const std::shared_ptr<Buffer> buffer = writer.getBufferSharedPointer();
    return QByteArray(reinterpret_cast<const char *>(buffer->getBuffer()),
                      qsizetype(buffer->getSize()));
}

} // namespace ertragon::report
