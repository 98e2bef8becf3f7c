#include "ExportActions.h"
#include "ExportNames.h"
#include "PageHitMap.h"
#include "PageRenderer.h"
#include "PreviewSurface.h"
#include "PrintController.h"
#include "PrinterDialog.h"
#include "Prompter.h"
#include "ReportExport.h"
#include "ReportPage.h"
#include "ReportSample.h"
#include "ReportSource.h"
#include "VPNavBar.h"
#include "ZoomChoice.h"
#include "ZoomComboBinding.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolTip>
#include <QWheelEvent>
#include <QtTest>

using namespace ertragon;
using namespace ertragon::report;

namespace {

class FakeDialog final : public PrinterDialog
{
public:
    explicit FakeDialog(std::optional<int> copies, QStringList &log)
        : m_copies(copies)
        , m_log(log)
    {
    }
    std::optional<int> ask(QPrinter &) override
    {
        m_log.append(QStringLiteral("dialog"));
        return m_copies;
    }

private:
    std::optional<int> m_copies;
    QStringList &m_log;
};

class SilentPrompter final : public Prompter
{
public:
    Answer ask(Icon, const QString &, const QString &text, Buttons) override
    {
        messages.append(text);
        return Answer::Ok;
    }
    QStringList messages;
};

// The analysis a print serves: logs the fetch and the redraw it is asked for.
class FakeSource final : public ReportSource
{
public:
    FakeSource(QStringList &log, ReportData data = {})
        : m_log(log)
        , m_data(std::move(data))
    {
    }
    void fetchIfSelectionChanged() override
    {
        if (selectionChanged)
            m_log.append(QStringLiteral("fetch"));
    }
    void redraw() override
    {
        m_log.append(QStringLiteral("redraw"));
        if (surface)
            ReportPage::draw(*surface, m_data);
    }
    const ReportData &report() const override { return m_data; }

    bool selectionChanged = false;
    RecordingSurface *surface = nullptr;

private:
    QStringList &m_log;
    ReportData m_data;
};

void recordPages(RecordingSurface &surface, int pages)
{
    surface.BeginDocument();
    for (int p = 1; p <= pages; ++p) {
        if (p > 1)
            surface.NewPage();
        surface.DrawLine(0, 0, 1000 * p, 1000);
    }
    surface.EndDocument();
}

} // namespace

class PreviewTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void getVal_data();
    void getVal();
    void zoomCombo();
    void zoomChoice_data();
    void zoomChoice();
    void pageNavigation_data();
    void pageNavigation();
    void navBarWithoutSurface();
    void layoutRequestRedraws();
    void zoomKeys();
    void pageAnswersThroughTheZoom_data();
    void pageAnswersThroughTheZoom();
    void printing_data();
    void printing();
    void printsOnThePrinter();
    void exports();
    void exportFailureLeavesNoFile();
    void exportActions();
    void exportNames_data();
    void exportNames();
    void renderedPageShowsCurves();
    void operationJsonRoundTrip();
};

void PreviewTest::getVal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("150%") << "150%" << 150.0;
    QTest::newRow("Ganze Seite") << "Ganze Seite" << 0.0;
    QTest::newRow("leading blanks") << "   75" << 75.0;
    QTest::newRow("decimal point") << "12.5%" << 12.5;
    QTest::newRow("comma stops") << "1,5" << 1.0;
    QTest::newRow("only before the first %") << "%50" << 0.0;
    QTest::newRow("trailing text") << "200 Prozent" << 200.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("negative") << "-20%" << -20.0;
}

void PreviewTest::getVal()
{
    QFETCH(QString, text);
    QTEST(ZoomChoice::GetVal(text), "value");
}

void PreviewTest::zoomCombo()
{
    QComboBox combo;
    ZoomComboBinding::setUpCombo(&combo);
    QCOMPARE(combo.count(), 10);
    QCOMPARE(combo.itemText(0), QStringLiteral("Ganze Seite"));
    QCOMPARE(combo.itemText(3), QStringLiteral("Alle Seiten"));
    QCOMPARE(combo.itemText(4), QStringLiteral("25%"));
    QCOMPARE(combo.itemText(9), QStringLiteral("400%"));
    QCOMPARE(combo.toolTip(), QStringLiteral("Zommstufen"));
    QCOMPARE(combo.currentText(), QStringLiteral("Ganze Seite"));
    QVERIFY(combo.isEditable());
}

void PreviewTest::zoomChoice_data()
{
    QTest::addColumn<QString>("typed");
    // 0: a pick in the main combo, 1: Enter in the bar's combo, 2: Enter in the main combo
    QTest::addColumn<int>("how");
    QTest::addColumn<int>("mode");
    QTest::addColumn<double>("percent");
    QTest::addColumn<QString>("shown");
    QTest::newRow("pick 100%") << "100%" << 0 << 0 << 100.0 << "100%";
    QTest::newRow("type 75 and Enter") << "75" << 1 << 0 << 75.0 << "75%";
    QTest::newRow("page width in capitals") << "SEITENBREITE" << 1 << 4 << -1.0 << "Seitenbreite";
    QTest::newRow("two pages") << "Zwei Seiten" << 0 << 2 << -1.0 << "Zwei Seiten";
    QTest::newRow("all pages") << "alle seiten" << 1 << 1 << -1.0 << "Alle Seiten";
    QTest::newRow("nonsense resets the combo") << "blah" << 1 << 0 << 50.0 << "50%";
    QTest::newRow("main combo: 180 and Enter") << "180" << 2 << 0 << 180.0 << "180%";
    QTest::newRow("main combo: 180% and Enter") << "180%" << 2 << 0 << 180.0 << "180%";
    QTest::newRow("main combo: page width typed")
        << "seitenbreite" << 2 << 4 << -1.0 << "Seitenbreite";
}

void PreviewTest::zoomChoice()
{
    QFETCH(QString, typed);
    QFETCH(int, how);
    PreviewSurface surface;
    surface.resize(800, 600);
    surface.setZoomPercent(50);
    ReportPage::draw(surface, sample::reportData());
    QComboBox mainCombo;
    ZoomComboBinding::setUpCombo(&mainCombo);
    ZoomComboBinding binding(&mainCombo, &surface);
    binding.Synchronize();
    VPNavBar bar([&surface] { return &surface; });
    QComboBox *combo = how == 1 ? bar.cmbZoom() : &mainCombo;
    if (how > 0) {
        combo->lineEdit()->setText(typed);
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    } else {
        combo->setEditText(typed);
        binding.chooseZoom();
    }
    QTEST(surface.ZoomMode(), "mode");
    QFETCH(double, percent);
    if (percent > 0)
        QCOMPARE(surface.ZoomPercent(), percent);
    QTEST(combo->currentText(), "shown");
    QTEST(mainCombo.currentText(), "shown"); // the main combo follows the surface
    QVERIFY(!binding.syncBusy());
    QVERIFY(!bar.syncBusy());
}

void PreviewTest::pageNavigation_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("scrollTo");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("label");
    QTest::newRow("one page at a time") << 3 << 1 << 5 << 1 << "Seite 1 von 5";
    QTest::newRow("two pages side by side") << 2 << 1 << 4 << 1 << "Seiten 1 - 2 von 5";
    QTest::newRow("scroll to page 3") << 3 << 3 << 5 << 3 << "Seite 3 von 5";
    QTest::newRow("two pages from page 4") << 2 << 4 << 4 << 4 << "Seiten 4 - 5 von 5";
    QTest::newRow("all pages") << 1 << 1 << 1 << 1 << "Seiten 1 - 5 von 5";
}

void PreviewTest::pageNavigation()
{
    PreviewSurface surface;
    surface.resize(800, 600);
    recordPages(surface, 5);
    VPNavBar bar([&surface] { return &surface; });
    QFETCH(int, mode);
    surface.setZoomMode(mode);
    QFETCH(int, scrollTo);
    bar.scrlPage()->setValue(scrollTo);
    QCOMPARE(bar.scrlPage()->minimum(), 1);
    QTEST(bar.scrlPage()->maximum(), "maximum");
    QTEST(surface.PreviewPage(), "page");
    QTEST(bar.scrlPage()->value(), "page");
    QTEST(bar.lblPage()->text(), "label");
    QCOMPARE(bar.lblPage()->toolTip(), QStringLiteral("Seitenanzeige"));
}

void PreviewTest::navBarWithoutSurface()
{
    VPNavBar bar([]() -> PreviewSurface * { return nullptr; });
    bar.cmbZoom()->setEditText(QStringLiteral("200%"));
    bar.chooseZoom();
    bar.scrlPage()->setValue(1);
    bar.Synchronize(false);
    QCOMPARE(bar.lblPage()->text(), QStringLiteral("Seite n von n"));
}

void PreviewTest::layoutRequestRedraws()
{
    PreviewSurface surface;
    int redraws = 0;
    QComboBox combo;
    ZoomComboBinding::setUpCombo(&combo);
    ZoomComboBinding binding(&combo, &surface);
    QObject::connect(&binding, &ZoomComboBinding::redrawWanted, [&] {
        ++redraws;
        ReportPage::draw(surface, sample::reportData());
    });
    QSignalSpy changed(&surface, &PreviewSurface::previewChanged);
    surface.setPageOrientation(PrintSurface::Portrait);
    QCOMPARE(redraws, 1);
    QVERIFY(changed.count() >= 1); // the redrawn document was shown
    surface.setZoomPercent(150);
    QCOMPARE(redraws, 1); // zooming only synchronises
    QCOMPARE(combo.currentText(), QStringLiteral("150%"));
}

void PreviewTest::zoomKeys()
{
    PreviewSurface surface;
    surface.resize(400, 300);
    surface.show();
    surface.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&surface));
    surface.setZoomPercent(100);
    QTest::keyClick(&surface, Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(surface.ZoomPercent(), 125.0);
    QTest::keyClick(&surface, Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(&surface, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(surface.ZoomPercent(), 75.0);
    QTest::keyClick(&surface, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(surface.ZoomPercent(), 100.0);
    QCOMPARE(surface.ZoomMode(), int(PrintSurface::ZoomPercentage));
    surface.setZoomMode(PrintSurface::ZoomWholePage);
    QTest::keyClick(&surface, Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(surface.ZoomMode(), int(PrintSurface::ZoomPercentage)); // a step from the fitted size

    // Ctrl+wheel steps as the keys do; half steps add up; without Ctrl the wheel scrolls.
    QWidget *viewport = surface.findChild<QScrollArea *>()->viewport();
    auto wheel = [viewport](int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(QPointF(10, 10), viewport->mapToGlobal(QPointF(10, 10)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(viewport, &event);
    };
    surface.setZoomPercent(100);
    wheel(120, Qt::ControlModifier);
    QCOMPARE(surface.ZoomPercent(), 125.0);
    wheel(-60, Qt::ControlModifier);
    QCOMPARE(surface.ZoomPercent(), 125.0);
    wheel(-60, Qt::ControlModifier);
    QCOMPARE(surface.ZoomPercent(), 100.0);
    wheel(-120, Qt::NoModifier);
    QCOMPARE(surface.ZoomPercent(), 100.0);
}

void PreviewTest::pageAnswersThroughTheZoom_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<double>("percent");
    QTest::newRow("50%") << int(PrintSurface::ZoomPercentage) << 50.0;
    QTest::newRow("150%, scrolled") << int(PrintSurface::ZoomPercentage) << 150.0;
    QTest::newRow("Ganze Seite") << int(PrintSurface::ZoomWholePage) << 0.0;
}

void PreviewTest::pageAnswersThroughTheZoom()
{
    // Hover, click and the keyboard's cursor find the same cell at every zoom, and the
    // cursor is painted over the preview, never into the page that prints and exports.
    PreviewSurface surface;
    surface.resize(700, 500);
    surface.show();
    QVERIFY(QTest::qWaitForWindowExposed(&surface));
    QFETCH(int, mode);
    QFETCH(double, percent);
    if (mode == PrintSurface::ZoomPercentage)
        surface.setZoomPercent(percent);
    else
        surface.setZoomMode(mode);
    const ReportData data = sample::reportData();
    ReportPage::draw(surface, data);
    surface.setHitMap(PageHitMap(data));
    const PageDocument drawn = surface.document();
    QWidget *view = surface.pageView();
    const PageHit cell { PageHit::Kind::Cell, 1, 2 }; // February, previous year's revenue
    const auto at = surface.viewPoint(surface.hitMap().areaOf(cell).center());
    QVERIFY(at);
    QVERIFY(surface.hitAt(*at) == cell);

    QHelpEvent help(QEvent::ToolTip, at->toPoint(), view->mapToGlobal(at->toPoint()));
    QApplication::sendEvent(view, &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), surface.hitMap().toolTip(cell));
    QVERIFY(QToolTip::text().startsWith(QStringLiteral("Monat: Februar\nJahr: KJ 2004")));

    QSignalSpy wanted(&surface, &PreviewSurface::breakdownWanted);
    QTest::mouseClick(view, Qt::LeftButton, {}, at->toPoint());
    QCOMPARE(wanted.size(), 1);
    QVERIFY(wanted.last().first().value<BreakdownChoice>() == BreakdownChoice({ 1, 1, 2 }));

    view->setFocus();
    QTRY_VERIFY(view->hasFocus());
    const QImage before = view->grab().toImage();
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Up);
    QVERIFY(surface.cursor().hit() == PageHit({ PageHit::Kind::MonthColumn, 2, 0 }));
    QVERIFY(view->grab().toImage() != before);
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(wanted.size(), 2);
    QVERIFY(wanted.last().first().value<BreakdownChoice>() == BreakdownChoice({ 1, 0, 3 }));
    QVERIFY(surface.document().pages == drawn.pages);
}

void PreviewTest::printing_data()
{
    QTest::addColumn<bool>("selectionChanged");
    QTest::addColumn<std::optional<int>>("copies");
    QTest::addColumn<QStringList>("log");
    QTest::newRow("0 copies") << false << std::optional<int>(0)
                              << QStringList { "dialog", "redraw" };
    QTest::newRow("1 copy") << false << std::optional<int>(1)
                            << QStringList { "dialog", "redraw", "print" };
    QTest::newRow("3 copies after a selection change")
        << true << std::optional<int>(3)
        << QStringList { "fetch", "dialog", "redraw", "print", "print", "print" };
    QTest::newRow("cancelled") << true << std::optional<int>() << QStringList { "fetch", "dialog" };
}

void PreviewTest::printing()
{
    QFETCH(bool, selectionChanged);
    QFETCH(std::optional<int>, copies);
    QStringList log;
    RecordingSurface surface(std::make_shared<sample::FixedMeasurer>());
    int pagesPrinted = 0;
    surface.setPrintHandler([&](const PageDocument &document) {
        log.append(QStringLiteral("print"));
        pagesPrinted += document.pageCount();
    });
    FakeDialog dialog(copies, log);
    FakeSource source(log, sample::reportData());
    source.selectionChanged = selectionChanged;
    source.surface = &surface;
    SilentPrompter prompter;
    PrintController controller(surface, dialog, source, prompter);
    const int printed = controller.print();
    QTEST(log, "log");
    QCOMPARE(printed, int(log.count(QStringLiteral("print"))));
    QCOMPARE(pagesPrinted, printed);
    QCOMPARE(controller.printer().pageLayout().orientation(), QPageLayout::Landscape);
}

void PreviewTest::printsOnThePrinter()
{
    QTemporaryDir dir;
    PreviewSurface surface;
    surface.PrintDocument(false); // no printer: nothing happens
    ReportPage::draw(surface, sample::reportData());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
    surface.setPrinter(&printer);
    surface.PrintDocument(false);
    QFile file(dir.filePath(QStringLiteral("printed.pdf")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("%PDF-"));
    QVERIFY(bytes.contains("/MediaBox [0 0 842"));
}

void PreviewTest::exports()
{
    QTemporaryDir dir;
    RecordingSurface surface;
    const ReportData data = sample::reportData();
    ReportPage::draw(surface, data);
    QStringList log;
    FakeDialog dialog(1, log);
    FakeSource source(log, data);
    SilentPrompter prompter;
    PrintController controller(surface, dialog, source, prompter);

    QVERIFY(controller.exportPdf(dir.filePath(QStringLiteral("r.pdf"))));
    QFile pdf(dir.filePath(QStringLiteral("r.pdf")));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");

    QVERIFY(controller.exportPng(dir.filePath(QStringLiteral("r.png")), 100));
    const QImage png(dir.filePath(QStringLiteral("r.png")));
    QCOMPARE(png.size(), QSize(1169, 827)); // A4 landscape at 100 dpi

    QVERIFY(controller.exportCsv(dir.filePath(QStringLiteral("r.csv"))));
    QFile csv(dir.filePath(QStringLiteral("r.csv")));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QStringList lines
        = QString::fromUtf8(csv.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines[0].split(QLatin1Char(';')).size(), 13);
    QVERIFY(lines[0].startsWith(QStringLiteral("Werte Absolut;Jänner;Februar")));
    // plain numbers for spreadsheets: no grouping
    QVERIFY(lines[1].startsWith(QStringLiteral("U KJ* 2005;173250;217597;0;")));
    QVERIFY(lines[6].startsWith(QStringLiteral("DB KJ 2001-2003;36300;")));
}

void PreviewTest::exportFailureLeavesNoFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/r.csv"));
    QString error;
    PageContent content;
    content.tableCaption = QStringLiteral("a;\"b\"");
    QVERIFY(!ReportExport::writeCsv(content, path, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(path));
    QCOMPARE(ReportExport::tableCsv(content), QStringLiteral("\"a;\"\"b\"\"\"\r\n"));
}

void PreviewTest::exportActions()
{
    QTemporaryDir dir;
    RecordingSurface surface;
    ReportPage::draw(surface, sample::reportData());
    QStringList log;
    FakeDialog dialog(1, log);
    FakeSource source(log);
    SilentPrompter prompter;
    PrintController controller(surface, dialog, source, prompter);
    QWidget window;
    ExportActions actions(controller, prompter, &window);
    QString answer = dir.filePath(QStringLiteral("page.png"));
    actions.setFileChooser(
        [&](const QString &, const QString &, const QString &) { return answer; });
    actions.setDpiChooser([] { return std::optional<int>(50); });
    QMenu menu;
    QAction *print = menu.addAction(QStringLiteral("&Drucken"));
    QAction *quit = menu.addAction(QStringLiteral("&Beenden"));
    actions.install(&menu, print);
    QCOMPARE(menu.actions().indexOf(actions.pdfAction()), 1);
    QCOMPARE(menu.actions().indexOf(actions.csvAction()), 3);
    QCOMPARE(menu.actions().last(), quit);
    actions.pngAction()->trigger();
    QCOMPARE(QImage(answer).width(), 585);
    answer = dir.filePath(QStringLiteral("nowhere/page.pdf"));
    actions.pdfAction()->trigger();
    QCOMPARE(prompter.messages.size(), 1);
    answer.clear(); // cancelled file dialog: nothing happens
    actions.csvAction()->trigger();
    QCOMPARE(prompter.messages.size(), 1);
}

void PreviewTest::renderedPageShowsCurves()
{
    RecordingSurface surface;
    ReportPage::draw(surface, sample::reportData());
    QImage image(600, 425, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PageRenderer::render(painter, surface.document().pages.first(),
                             PageRenderer::pageSizeTwips(9, 1), QRectF(image.rect()));
    }
    int red = 0, blue = 0, dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
            blue += c.blue() > 200 && c.red() < 80 && c.green() < 80;
            dark += c.lightness() < 80;
        }
    QVERIFY(red > 50);
    QVERIFY(blue > 200);
    QVERIFY(dark > 2000);
    // nothing is drawn outside the paper's left margin strip
    for (int y = 0; y < image.height(); ++y)
        QCOMPARE(image.pixelColor(2, y), QColor(Qt::white));
}

void PreviewTest::operationJsonRoundTrip()
{
    RecordingSurface surface(std::make_shared<sample::FixedMeasurer>());
    ReportPage::draw(surface, sample::reportData());
    for (const PageOperation &op : surface.document().pages.first()) {
        const auto back = PageOperation::fromJson(op.toJson());
        QVERIFY(back.has_value());
        QCOMPARE(back->toLine(), op.toLine());
    }
    QVERIFY(!PageOperation::fromJson(QJsonObject { { "op", "Explode" } }).has_value());
    QVERIFY(
        !PageOperation::fromJson(QJsonObject { { "op", "DrawLine" }, { "x1", "a" } }).has_value());
}

// The names the exports suggest: plain ASCII from the company, the deepest chosen level
// and the day; the extension added unless the name already ends with it.
void PreviewTest::exportNames_data()
{
    QTest::addColumn<QString>("company");
    QTest::addColumn<QString>("department");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("suggested");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::newRow("nothing chosen") << "1 Muster GmbH"
                                    << ""
                                    << ""
                                    << "Ertragon_1_Alle_2005-03-15.pdf"
                                    << "/tmp/bericht"
                                    << "/tmp/bericht.pdf";
    QTest::newRow("the deepest level counts") << "1"
                                              << "M3 Gartengeräte"
                                              << "40 Kühlung"
                                              << "Ertragon_1_40_2005-03-15.pdf"
                                              << "/tmp/b.PDF"
                                              << "/tmp/b.PDF";
    QTest::newRow("umlauts spelt out, the rest made safe")
        << "1" << QString::fromUtf8("Gr\xc3\xbcn/\xc3\x9f\xe2\x82\xac") << ""
        << "Ertragon_1_Gruen_ss__2005-03-15.pdf"
        << "/tmp/b.pdf.bak"
        << "/tmp/b.pdf.bak.pdf";
}

void PreviewTest::exportNames()
{
    ertragon::ReportData data = sample::reportData();
    data.now = QDateTime(QDate(2005, 3, 15), QTime(9, 0));
    data.selection = {};
    QFETCH(QString, company);
    QFETCH(QString, department);
    QFETCH(QString, group);
    data.selection.company = company;
    data.selection.SABTNR = department;
    data.selection.SHGRP = group;
    QTEST(ertragon::report::ExportNames::suggested(data, QStringLiteral("pdf")), "suggested");
    QFETCH(QString, typed);
    QTEST(ertragon::report::ExportNames::withExtension(typed, QStringLiteral("pdf")), "saved");
}

QTEST_MAIN(PreviewTest)
#include "tst_preview.moc"
