#include "BookFiles.h"

#include "RecordingSurface.h"
#include "ReportExport.h"
#include "ReportJson.h"
#include "ReportPage.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace ertragon::report {

namespace {

QJsonObject unitObject(const ReportBook::Unit &unit)
{
    return QJsonObject { { QStringLiteral("level"), ReportBook::levelLabel(unit.level) },
                         { QStringLiteral("code"), unit.code },
                         { QStringLiteral("name"), unit.name },
                         { QStringLiteral("depth"), unit.depth },
                         { QStringLiteral("path"), QJsonArray::fromStringList(unit.path) } };
}

} // namespace

BookFiles::BookFiles(Paths paths, const BookPdf::Metadata &metadata)
    : m_paths(std::move(paths))
    , m_metadata(metadata)
    , m_pdf(metadata)
{
}

void BookFiles::add(const ReportBook::Page &page)
{
    const ReportBook::Unit &unit = page.unit;
    const PageContent content = ReportPage::content(page.data);
    if (!m_paths.pdf.isEmpty()) {
        RecordingSurface surface;
        ReportPage::draw(surface, page.data);
        const PageDocument &document = surface.document();
        m_pdf.addPage(document.pages.value(0), unit.title(), unit.depth);
    }
    if (!m_paths.csv.isEmpty()) {
        const QStringList unitColumns { ReportBook::levelLabel(unit.level), unit.code, unit.name };
        if (m_csv.isEmpty())
            m_csv = ReportExport::csvLine(
                QStringList { QStringLiteral("Ebene"), QStringLiteral("Code"),
                              QStringLiteral("Name"), content.tableCaption.trimmed() }
                + content.monthNames);
        for (qsizetype l = 0; l < content.table.size(); ++l)
            m_csv += ReportExport::csvLine(
                unitColumns + QStringList { content.seriesLabels.value(l) } + content.table[l]);
    }
    if (!m_paths.xlsx.isEmpty()) {
        XlsxExport::Sheet sheet = XlsxExport::valueTable(page.data, unit.title());
        sheet.header.prepend(
            { ReportBook::levelLabel(unit.level), unit.code + QLatin1Char(' ') + unit.name });
        m_sheets.append(sheet);
    }
    if (!m_paths.json.isEmpty()) {
        QJsonObject object = unitObject(unit);
        object.insert(QStringLiteral("figures"),
                      ReportJson::figures(page.totals, page.data, content));
        m_units.append(object);
    }
    ++m_pages;
}

bool BookFiles::write(QString *error)
{
    // Every file is made first, then written; when one fails the others go too.
    QList<std::pair<QString, QByteArray>> files;
    QString why;
    if (!m_paths.pdf.isEmpty()) {
        const QByteArray pdf = m_pdf.finish(&why);
        if (pdf.isEmpty()) {
            if (error)
                *error = m_paths.pdf + QStringLiteral(": ") + why;
            return false;
        }
        files.append({ m_paths.pdf, pdf });
    }
    if (!m_paths.csv.isEmpty())
        files.append({ m_paths.csv, m_csv.toUtf8() });
    if (!m_paths.xlsx.isEmpty()) {
        const QByteArray book = XlsxExport::workbook(m_sheets, &why);
        if (book.isEmpty()) {
            if (error)
                *error = m_paths.xlsx + QStringLiteral(": ") + why;
            return false;
        }
        files.append({ m_paths.xlsx, book });
    }
    if (!m_paths.json.isEmpty()) {
        QJsonArray leftOut;
        for (const ReportBook::Unit &unit : m_leftOut)
            leftOut.append(unitObject(unit));
        const QJsonObject book { { QStringLiteral("title"), m_metadata.title },
                                 { QStringLiteral("author"), m_metadata.author },
                                 { QStringLiteral("created"),
                                   m_metadata.created.toString(Qt::ISODate) },
                                 { QStringLiteral("units"), m_units },
                                 { QStringLiteral("leftOut"), leftOut } };
        files.append({ m_paths.json, QJsonDocument(book).toJson() });
    }
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (ReportExport::writeFile(files[i].first, files[i].second, &why))
            continue;
        for (qsizetype done = 0; done < i; ++done)
            QFile::remove(files[done].first);
        if (error)
            *error = files[i].first + QStringLiteral(": ") + why;
        return false;
    }
    return true;
}

} // namespace ertragon::report
