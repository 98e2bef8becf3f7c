#include "ReportExport.h"

#include "PageRenderer.h"
#include "ReportLog.h"
#include "ReportPage.h"
#include "ValueTable.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace ertragon::report {

namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

} // namespace

bool ReportExport::writeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, file.errorString());
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        setError(error, file.errorString());
        file.cancelWriting();
        return false;
    }
    qCInfo(reportLog).noquote() << "geschrieben:" << path << bytes.size() << "Bytes";
    return true;
}

bool ReportExport::writePdf(const PageDocument &document, int paperKind, int orientation,
                            const QString &path, QString *error)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        writer.setCreator(QStringLiteral("Ertragon"));
        writer.setTitle(QStringLiteral("Ertragon"));
        const QPageLayout::Orientation pageOrientation
            = orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait;
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), pageOrientation, QMarginsF()));
        const QSizeF pageTwips = PageRenderer::pageSizeTwips(paperKind, orientation);
        QPainter painter;
        if (!painter.begin(&writer)) {
            setError(error, QStringLiteral("PDF kann nicht erzeugt werden"));
            return false;
        }
        const QList<PageOperations> pages
            = document.pages.isEmpty() ? QList<PageOperations> { {} } : document.pages;
        for (qsizetype i = 0; i < pages.size(); ++i) {
            if (i > 0)
                writer.newPage();
            PageRenderer::render(painter, pages[i], pageTwips,
                                 QRectF(0, 0, writer.width(), writer.height()));
        }
        painter.end();
    }
    return writeFile(path, bytes, error);
}

bool ReportExport::writePng(const PageDocument &document, int paperKind, int orientation,
                            const QString &path, int dpi, QString *error)
{
    dpi = qBound(10, dpi, 1200);
    const QSizeF pageTwips = PageRenderer::pageSizeTwips(paperKind, orientation);
    const QSize pixels(qRound(pageTwips.width() * dpi / 1440),
                       qRound(pageTwips.height() * dpi / 1440));
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull()) {
        setError(error, QStringLiteral("Bild zu groß"));
        return false;
    }
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        if (!document.pages.isEmpty())
            PageRenderer::render(painter, document.pages.first(), pageTwips, QRectF(image.rect()));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        setError(error, QStringLiteral("PNG kann nicht erzeugt werden"));
        return false;
    }
    return writeFile(path, bytes, error);
}

QString ReportExport::csvLine(const QStringList &fields)
{
    QStringList out;
    out.reserve(fields.size());
    for (QString field : fields) {
        if (field.contains(QLatin1Char(';')) || field.contains(QLatin1Char('"'))
            || field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'))) {
            field.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            field = QLatin1Char('"') + field + QLatin1Char('"');
        }
        out.append(field);
    }
    return out.join(QLatin1Char(';')) + QStringLiteral("\r\n");
}

QString ReportExport::tableCsv(const PageContent &content)
{
    QString csv = csvLine(QStringList { content.tableCaption.trimmed() } + content.monthNames);
    for (qsizetype l = 0; l < content.table.size(); ++l) {
        const QString label = l < content.seriesLabels.size() ? content.seriesLabels[l] : QString();
        csv += csvLine(QStringList { label } + content.table[l]);
    }
    return csv;
}

QString ReportExport::plainTableCsv(const ReportData &data)
{
    PageContent content = ReportPage::content(data);
    for (int l = 1; l <= content.table.size(); ++l) {
        for (int m = 1; m <= content.table[l - 1].size(); ++m)
            content.table[l - 1][m - 1] = ValueTable::plainText(data, m, l);
    }
    return tableCsv(content);
}

bool ReportExport::writePlainCsv(const ReportData &data, const QString &path, QString *error)
{
    return writeFile(path, plainTableCsv(data).toUtf8(), error);
}

bool ReportExport::writeCsv(const PageContent &content, const QString &path, QString *error)
{
    return writeFile(path, tableCsv(content).toUtf8(), error);
}

} // namespace ertragon::report
