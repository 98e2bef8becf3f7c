#include "RecordingSurface.h"
#include "ReportExport.h"
#include "ReportPage.h"
#include "ReportSample.h"

#include <QtTest>

using namespace ertragon::report;

class ReportRenderTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void writesSample();
};

void ReportRenderTest::writesSample()
{
    RecordingSurface surface;
    ReportPage::draw(surface, sample::reportData());
    QString error;
    QVERIFY2(ReportExport::writePng(surface.document(), 9, 1,
                                    QStringLiteral("/tmp/report-sample.png"), 110, &error),
             qPrintable(error));
    QVERIFY2(ReportExport::writePdf(surface.document(), 9, 1,
                                    QStringLiteral("/tmp/report-sample.pdf"), &error),
             qPrintable(error));
}

QTEST_MAIN(ReportRenderTest)
#include "tst_reportrender.moc"
