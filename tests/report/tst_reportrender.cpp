#include "PreviewSurface.h"
#include "RecordingSurface.h"
#include "ReportExport.h"
#include "ReportPage.h"
#include "ReportSample.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

using namespace ertragon;
using namespace ertragon::report;

// Renders the sample page to PNG and PDF and grabs the preview. With
// ERTRAGON_REPORT_SAMPLE_DIR set the files are kept there for a look.
class ReportRenderTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void pngAndPdf();
    void previewShowsThePage();
    void timings();

private:
    QString outputDir() const;
    QTemporaryDir m_temp;
};

void ReportRenderTest::initTestCase()
{
    QVERIFY(m_temp.isValid());
}

QString ReportRenderTest::outputDir() const
{
    const QString dir = qEnvironmentVariable("ERTRAGON_REPORT_SAMPLE_DIR");
    return dir.isEmpty() ? m_temp.path() : dir;
}

void ReportRenderTest::pngAndPdf()
{
    RecordingSurface surface;
    ReportPage::draw(surface, sample::reportData());
    QString error;
    const QString png = outputDir() + QStringLiteral("/report-page.png");
    const QString pdf = outputDir() + QStringLiteral("/report-page.pdf");
    QVERIFY2(ReportExport::writePng(surface.document(), 9, 1, png, 110, &error), qPrintable(error));
    QVERIFY2(ReportExport::writePdf(surface.document(), 9, 1, pdf, &error), qPrintable(error));
    QCOMPARE(QImage(png).size(), QSize(1286, 909));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("%PDF-"));
    QVERIFY(bytes.contains("/MediaBox [0 0 842.000000 595.000000]")); // A4 landscape
}

void ReportRenderTest::previewShowsThePage()
{
    PreviewSurface surface;
    surface.resize(900, 660);
    surface.setZoomMode(PrintSurface::ZoomWholePage);
    ReportPage::draw(surface, sample::reportData());
    const QImage shot = surface.grab().toImage();
    QVERIFY(shot.save(outputDir() + QStringLiteral("/report-preview.png")));
    const double percent = surface.ZoomPercent();
    QVERIFY2(percent > 20 && percent < 120, qPrintable(QString::number(percent)));
    // the centre of the page is white paper, not the grey around it
    QCOMPARE(shot.pixelColor(shot.width() / 2, shot.height() / 2).lightness() > 200, true);
}

// Median of ten runs of one redraw (page drawn and the preview painted) and
// one PDF export; printed, not judged, as the machine decides the figures.
void ReportRenderTest::timings()
{
    auto median = [](QList<double> ms) {
        std::sort(ms.begin(), ms.end());
        return (ms[4] + ms[5]) / 2;
    };
    const ReportData data = sample::reportData();
    PreviewSurface preview;
    preview.resize(1000, 720);
    QList<double> redraw, pdf;
    for (int i = 0; i < 10; ++i) {
        QElapsedTimer timer;
        timer.start();
        ReportPage::draw(preview, data);
        preview.grab();
        redraw.append(timer.nsecsElapsed() / 1e6);
        timer.restart();
        QVERIFY(ReportExport::writePdf(preview.document(), 9, 1,
                                       m_temp.filePath(QStringLiteral("t.pdf"))));
        pdf.append(timer.nsecsElapsed() / 1e6);
    }
    qInfo("redraw: median %.1f ms; PDF export: median %.1f ms", median(redraw), median(pdf));
    QCOMPARE(redraw.size(), 10);
}

QTEST_MAIN(ReportRenderTest)
#include "tst_reportrender.moc"
