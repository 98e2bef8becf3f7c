// The report page as a user gets it: F5 fills it, the display menus redraw it
// without asking the server, Ctrl+P prints it to a PDF file, and "&Datei"
// saves it as PDF, picture, CSV or workbook.

#include "AnalysisSession.h"
#include "FMStart.h"
#include "JourneyRig.h"
#include "PageHitMap.h"
#include "PreviewSurface.h"
#include "ProgramHistory.h"
#include "ReportFormat.h"
#include "ServerAccess.h"
#include "ServerSession.h"
#include "ValueTable.h"
#include "XlsxReader.h"
#include "comctl/ComControl.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPageLayout>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QTreeView>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFOutlineDocumentHelper.hh>

using namespace journey;

namespace {

// What poppler reads from a PDF file: "pdfinfo" or "pdftotext" output.
QString poppler(const QString &tool, const QString &file)
{
    QProcess process;
    process.start(tool,
                  tool == QLatin1String("pdftotext")
                      ? QStringList { QStringLiteral("-layout"), file, QStringLiteral("-") }
                      : QStringList { file });
    if (!process.waitForFinished(60000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

using Hit = ertragon::report::PageHit;

template<typename T> T *child(ertragon::FMStart &window, const char *name)
{
    return window.findChild<T *>(QString::fromUtf8(name));
}

int monthInput(ertragon::FMStart &window)
{
    // The month input is Orvel's, reached the way the program reaches it.
    auto *input = static_cast<comctl::ComControl *>(child<QWidget>(window, "txtMonat"));
    return input->get(QStringLiteral("Value")).value.toInt();
}

// Where a hit of the page lies in the preview's page view.
QPoint placeOf(ertragon::report::PreviewSurface &surface, const Hit &hit)
{
    return surface.viewPoint(surface.hitMap().areaOf(hit).center()).value_or(QPointF()).toPoint();
}

// What a screen reader reads of the page's value table: each cell's text, row by row.
QStringList accessibleCells(QWidget *page)
{
    QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(page);
    QAccessibleTableInterface *table = reader ? reader->tableInterface() : nullptr;
    if (!table)
        return {};
    QStringList cells;
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column)
            cells << table->cellAt(row, column)->text(QAccessible::Name);
    }
    return cells;
}

} // namespace

class ReportJourneys : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void fetchFillsThePage();
    void displayMenusRedrawWithoutTheServer_data();
    void displayMenusRedrawWithoutTheServer();
    void pageAnswersHoverClickAndKeys();
    void legendNamesTheSeries();
    void printing_data();
    void printing();
    void exports_data();
    void exports();
    void printerSettingsChooseTheNextPrintsPage();
    void reportBook_data();
    void reportBook();
    void lastViewComesBackWhenAsked();
    void exportsSuggestANameAndRememberTheFolder();

private:
    std::unique_ptr<Run> m_run;
};

void ReportJourneys::initTestCase()
{
    m_run = std::make_unique<Run>(QStringList { "1", "0", "DEM", "demo", demoStore() });
    QVERIFY(m_run->startAndShow());
}

void ReportJourneys::cleanupTestCase()
{
    m_run.reset();
}

void ReportJourneys::fetchFillsThePage()
{
    const QStringList before = m_run->pageTexts();
    m_run->press(Qt::Key_F5);
    // One query a month from January five years ago to this month.
    QCOMPARE(m_run->program().session().history().count(), 60 + today().month());
    const QStringList after = m_run->pageTexts();
    QVERIFY(after != before);
    QVERIFY(after.contains(QStringLiteral("Ertragon")));
    QVERIFY(after.filter(QStringLiteral("Gedruckt durch: ")).size() == 1);
    // The value table shows amounts now (before the fetch every cell was 0).
    QVERIFY(after.filter(QRegularExpression(QStringLiteral("^[1-9][0-9.,]*%$"))).size() > 12);
}

void ReportJourneys::displayMenusRedrawWithoutTheServer_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QKeySequence>("keys"); // empty: chosen from the menu
    QTest::addColumn<QString>("shown");
    QTest::newRow("F8 Absolut") << "mGraph2" << QKeySequence(Qt::Key_F8)
                                << "Absolut Monatilcher Wert in €";
    QTest::newRow("F7 letztes Quartal")
        << "mGraph1" << QKeySequence(Qt::Key_F7) << "Quartalsmittelwerte Monatilcher Wert in €";
    QTest::newRow("F6 Jahresmittel")
        << "mGraph0" << QKeySequence(Qt::Key_F6) << "Jahresmittelwerte Monatilcher Wert in €";
    QTest::newRow("F9 DB in %") << "mGraph3" << QKeySequence(Qt::Key_F9)
                                << "Deckungsbeitrag in % von Umsatz";
    QTest::newRow("Ctrl+F6 kumuliert")
        << "mTabelle0" << QKeySequence(Qt::CTRL | Qt::Key_F6) << "Werte Kumuliert";
    QTest::newRow("Ctrl+F7 absolut")
        << "mTabelle1" << QKeySequence(Qt::CTRL | Qt::Key_F7) << "Werte Absolut";
    QTest::newRow("menu: % of the previous year")
        << "mTabelle3" << QKeySequence() << " in % v. 2004";
    QTest::newRow("Ctrl+F9 Werte Graph")
        << "mTabelle4" << QKeySequence(Qt::CTRL | Qt::Key_F9) << "Werte Graph";
    QTest::newRow("Ctrl+F8 % of the mean")
        << "mTabelle2" << QKeySequence(Qt::CTRL | Qt::Key_F8) << " in % v. 2001-2003";
    QTest::newRow("Ctrl+W Wirtschaftsjahr")
        << "mJahr1" << QKeySequence(Qt::CTRL | Qt::Key_W) << "WJ .. Wirtschaftsjahr";
    QTest::newRow("Ctrl+K Kalenderjahr")
        << "mJahr0" << QKeySequence(Qt::CTRL | Qt::Key_K) << "KJ .. Kalenderjahr";
}

void ReportJourneys::displayMenusRedrawWithoutTheServer()
{
    QFETCH(QString, action);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, shown);
    ertragon::ServerAccess &server = m_run->program().session().access();
    // An idle minute has passed: any server call would have to connect again.
    server.Disconnect();
    const QStringList before = m_run->pageTexts();
    if (keys.isEmpty())
        m_run->chooseFromMenu(action);
    else
        m_run->press(keys);
    QVERIFY(m_run->action(action)->isChecked());
    const QStringList after = m_run->pageTexts();
    QVERIFY(after != before);
    QVERIFY2(!after.filter(shown).isEmpty(), qPrintable(after.join(QLatin1Char('|'))));
    QVERIFY(!server.isConnected());
    // A screen reader reads the table the page shows now: six series of twelve months.
    const QStringList cells
        = accessibleCells(m_run->window().findChild<QWidget *>(QStringLiteral("VSPrinter1")));
    QCOMPARE(cells.size(), 72);
    QVERIFY(cells.filter(QRegularExpression(QStringLiteral("[0-9]"))).size() > 12);
    for (const QString &cell : cells)
        QVERIFY2(cell.isEmpty() || after.contains(cell), qPrintable(cell));
}

void ReportJourneys::pageAnswersHoverClickAndKeys()
{
    // "November looks weak": a hover on a point names the month's figures, a click on
    // November's cell opens November's breakdown, and the keyboard gets there as well.
    ertragon::FMStart &window = m_run->window();
    ertragon::report::PreviewSurface &surface = m_run->program().preview();
    QWidget *view = surface.pageView();
    const ertragon::ReportData &report = m_run->program().analysis().report();

    const Hit february { Hit::Kind::Point, 1, 2 };
    const QPoint point = placeOf(surface, february);
    QHelpEvent hover(QEvent::ToolTip, point, view->mapToGlobal(point));
    QApplication::sendEvent(view, &hover);
    QTRY_VERIFY(QToolTip::isVisible());
    const QString revenue = ertragon::report::ReportFormat::euro(
        report.values.monthValues.value(2, 2), report.locale);
    QVERIFY2(QToolTip::text().startsWith(QStringLiteral("Monat: Februar\nJahr: KJ %1\nUmsatz: %2\n")
                                             .arg(today().year() - 1)
                                             .arg(revenue)),
             qPrintable(QToolTip::text()));
    QVERIFY(QToolTip::text().contains(QStringLiteral("DB %: ")));
    QToolTip::hideText();

    QTest::mouseClick(view, Qt::LeftButton, {}, placeOf(surface, { Hit::Kind::Cell, 10, 2 }));
    QVERIFY(child<QGroupBox>(window, "frDetails")->isVisible());
    QVERIFY(child<QRadioButton>(window, "optJahrMonat1")->isChecked());
    QVERIFY(child<QRadioButton>(window, "optJahr1")->isChecked());
    QCOMPARE(monthInput(window), 11);
    QVERIFY(child<QTreeView>(window, "ctList")->model()->rowCount() > 1);

    view->setFocus();
    QTRY_VERIFY(view->hasFocus());
    for (const auto key : { Qt::Key_Home, Qt::Key_Right, Qt::Key_Right, Qt::Key_Up })
        QTest::keyClick(view, key);
    QCOMPARE(surface.cursor().column(), 2);
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(monthInput(window), 3);
    QVERIFY(child<QRadioButton>(window, "optJahr0")->isChecked());
    m_run->chooseFromMenu(QStringLiteral("mDetails1"));
}

void ReportJourneys::legendNamesTheSeries()
{
    // "Legende und Zeilentitel": the rows and the chart name their series, and a click on a row
    // title opens that year's breakdown.
    ertragon::FMStart &window = m_run->window();
    const QString previousYear = QStringLiteral("U KJ %1").arg(today().year() - 1);
    QVERIFY(!m_run->pageTexts().contains(previousYear));
    m_run->chooseFromMenu(QStringLiteral("mLegende"));
    QVERIFY(m_run->action(QStringLiteral("mLegende"))->isChecked());
    QVERIFY(m_run->pageTexts().contains(previousYear));

    ertragon::report::PreviewSurface &surface = m_run->program().preview();
    QTest::mouseClick(surface.pageView(), Qt::LeftButton, {},
                      placeOf(surface, { Hit::Kind::SeriesLabel, -1, 3 }));
    QVERIFY(child<QRadioButton>(window, "optJahrMonat0")->isChecked());
    QVERIFY(child<QRadioButton>(window, "optJahr2")->isChecked());
    QVERIFY(child<QTreeView>(window, "ctList")->model()->rowCount() > 1);
    m_run->chooseFromMenu(QStringLiteral("mDetails1"));

    m_run->chooseFromMenu(QStringLiteral("mLegende"));
    QVERIFY(!m_run->pageTexts().contains(previousYear));
}

void ReportJourneys::printing_data()
{
    QTest::addColumn<std::optional<int>>("copies");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("pages"); // -1: printing fails with a message
    QTest::newRow("one copy") << std::optional<int>(1) << "one.pdf" << 1;
    QTest::newRow("three copies in one file") << std::optional<int>(3) << "three.pdf" << 3;
    QTest::newRow("cancelled") << std::optional<int>() << "cancelled.pdf" << 0;
    QTest::newRow("folder missing") << std::optional<int>(1) << "missing/x.pdf" << -1;
}

void ReportJourneys::printing()
{
    QFETCH(std::optional<int>, copies);
    QFETCH(QString, file);
    QFETCH(int, pages);
    // A new main group: printing fetches again first, and the legend names it.
    auto *mainGroup = m_run->window().findChild<QComboBox *>(QStringLiteral("SHGRP"));
    mainGroup->setFocus();
    QTest::keyClick(mainGroup, Qt::Key_Down);
    const QString chosen = mainGroup->currentText();
    const int logLines = m_run->program().session().history().count();
    m_run->printer.file = m_run->dir(file);
    m_run->printer.copies = copies;
    m_run->printer.asked = 0;
    const int boxes = m_run->prompter.boxes.size();
    QVERIFY(m_run->program().analysis().selection().selectionChanged());
    m_run->press(QKeySequence(Qt::CTRL | Qt::Key_P));
    QCOMPARE(m_run->printer.asked, 1);
    QVERIFY(m_run->program().session().history().count() > logLines);
    if (pages <= 0) {
        QVERIFY(!QFile::exists(m_run->printer.file));
        QCOMPARE(m_run->prompter.boxes.size(), boxes + (pages < 0 ? 1 : 0));
        if (pages < 0)
            QVERIFY(m_run->prompter.boxes.last().text.startsWith(
                QStringLiteral("Der Bericht konnte nicht gedruckt werden.")));
        return;
    }
    const QString info = poppler(QStringLiteral("pdfinfo"), m_run->printer.file);
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))),
             qPrintable(info));
    const auto size
        = QRegularExpression(QStringLiteral("Page size: +([0-9.]+) x ([0-9.]+) pts \\(A4\\)"))
              .match(info);
    QVERIFY2(size.hasMatch() && size.captured(1).toDouble() > size.captured(2).toDouble(),
             qPrintable(info)); // A4 landscape
    const QString text = poppler(QStringLiteral("pdftotext"), m_run->printer.file);
    QVERIFY(text.contains(QStringLiteral("Ertragon")));
    QVERIFY2(text.contains(QStringLiteral("HG:") + chosen.section(QLatin1Char(' '), 0, 0)),
             qPrintable(text));
    QCOMPARE(text.count(QStringLiteral("Gedruckt durch: ")), pages);
}

void ReportJourneys::exports_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("file"); // what the user typed
    QTest::addColumn<QString>("savedAs"); // the file written, empty for none
    QTest::newRow("PDF") << "mAlsPdf"
                         << "page.pdf"
                         << "page.pdf";
    QTest::newRow("PDF typed without its extension") << "mAlsPdf"
                                                     << "bericht"
                                                     << "bericht.pdf";
    QTest::newRow("picture") << "mAlsBild"
                             << "page.png"
                             << "page.png";
    QTest::newRow("CSV") << "mAlsCsv"
                         << "table.csv"
                         << "table.csv";
    QTest::newRow("CSV with another ending") << "mAlsCsv"
                                             << "table.txt"
                                             << "table.txt.csv";
    QTest::newRow("breakdown as CSV") << "mDetailsCsv"
                                      << "details"
                                      << "details.csv";
    QTest::newRow("workbook") << "mAlsXlsx"
                              << "table"
                              << "table.xlsx";
    QTest::newRow("PDF into a missing folder") << "mAlsPdf"
                                               << "missing/page.pdf" << QString();
    QTest::newRow("CSV into a missing folder") << "mAlsCsv"
                                               << "missing/table.csv" << QString();
    QTest::newRow("workbook into a missing folder") << "mAlsXlsx"
                                                    << "missing/table.xlsx" << QString();
}

void ReportJourneys::exports()
{
    QFETCH(QString, action);
    QFETCH(QString, file);
    QFETCH(QString, savedAs);
    const QAbstractItemModel &breakdown = m_run->program().analysis().breakdown();
    if (action == QLatin1String("mDetailsCsv")) {
        // Saved only while a breakdown is shown: before, the item is off.
        const QAction *item = m_run->program().exports().detailsCsvAction();
        QCOMPARE(item->isEnabled(), breakdown.columnCount() > 0);
        m_run->press(QKeySequence(Qt::CTRL | Qt::Key_D));
        m_run->press(Qt::Key_F5);
        QVERIFY(breakdown.rowCount() > 0);
        QVERIFY(item->isEnabled());
    }
    m_run->saveAnswers = { m_run->dir(file) };
    const int boxes = m_run->prompter.boxes.size();
    m_run->chooseFromMenu(action);
    if (savedAs.isEmpty()) {
        QVERIFY(!QFile::exists(m_run->dir(file)));
        QCOMPARE(m_run->prompter.boxes.size(), boxes + 1);
        QVERIFY(m_run->prompter.boxes.last().text.startsWith(
            QStringLiteral("Die Datei konnte nicht gespeichert werden.")));
        return;
    }
    const QString path = m_run->dir(savedAs);
    QVERIFY2(QFile::exists(path), qPrintable(path));
    QCOMPARE(m_run->prompter.boxes.size(), boxes);
    if (path.endsWith(QLatin1String(".pdf"))) {
        const QString text = poppler(QStringLiteral("pdftotext"), path);
        QVERIFY(text.contains(QStringLiteral("Gedruckt durch: ")));
    } else if (path.endsWith(QLatin1String(".png"))) {
        QCOMPARE(QImage(path).size(), QSize(842, 595)); // A4 landscape at 72 dpi
    } else if (path.endsWith(QLatin1String(".xlsx"))) {
        // Read as a spreadsheet reads it: the page's figures as numbers.
        QString error;
        const auto sheets = ertragon::test::XlsxReader::read(path, &error);
        QVERIFY2(!sheets.isEmpty(), qPrintable(error));
        QCOMPARE(sheets.first().name, QStringLiteral("Werte"));
        // the shown breakdown on a sheet of its own
        QCOMPARE(sheets.size(), breakdown.rowCount() > 0 ? 2 : 1);
        const ertragon::ReportData &report = m_run->program().analysis().report();
        const QString caption = ertragon::report::ValueTable::caption(report).trimmed();
        const qsizetype headings = sheets.first().rowStarting(caption);
        QVERIFY2(headings > 0, qPrintable(caption)); // the selection stands above
        for (int series = 1; series <= 6; ++series) {
            const auto &row = sheets.first().rows.value(headings + series);
            QCOMPARE(row.size(), 13);
            for (int month = 1; month <= 12; ++month) {
                const double figure
                    = ertragon::report::ValueTable::cell(report, month, series).number();
                QVERIFY2(row[month].number(), qPrintable(row[month].text));
                QCOMPARE(*row[month].number(), figure);
            }
        }
    } else {
        QFile csv(path);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList lines
            = QString::fromUtf8(csv.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QVERIFY(!lines.isEmpty());
        if (action == QLatin1String("mDetailsCsv")) {
            QVERIFY2(lines.first().startsWith(QStringLiteral("Grp;")), qPrintable(lines.first()));
        } else {
            QCOMPARE(lines.size(), 7); // month names, then six series
            QCOMPARE(lines.first().count(QLatin1Char(';')), 12);
        }
        // Plain numbers: no grouping, a decimal comma, no "%".
        static const QRegularExpression plain(QStringLiteral("^-?[0-9]+(,[0-9]{2})?$"));
        for (const QString &line : lines.mid(1)) {
            for (const QString &cell : line.split(QLatin1Char(';')).mid(1))
                QVERIFY2(plain.match(cell).hasMatch(), qPrintable(line));
        }
    }
}

void ReportJourneys::exportsSuggestANameAndRememberTheFolder()
{
    // A fresh start without an export yet: the name from the selection and the day, in the
    // home folder. (The last journey: the shared run goes.)
    m_run.reset();
    Run run(QStringList { "1", "0", "DEM", "demo", demoStore() });
    QVERIFY(run.startAndShow());
    run.press(Qt::Key_F5);
    QDir().mkpath(run.dir(QStringLiteral("exports")));
    run.saveAnswers = { run.dir(QStringLiteral("exports/monat")) };
    run.chooseFromMenu(QStringLiteral("mAlsPdf"));
    QCOMPARE(run.suggestedPaths.size(), 1);
    const QFileInfo first(run.suggestedPaths.first());
    QCOMPARE(first.absolutePath(), QDir::homePath());
    const QString day = today().toString(Qt::ISODate);
    QVERIFY2(QRegularExpression(QStringLiteral("^Ertragon_1_Alle_%1\\.pdf$").arg(day))
                 .match(first.fileName())
                 .hasMatch(),
             qPrintable(first.fileName()));
    QVERIFY(QFile::exists(run.dir(QStringLiteral("exports/monat.pdf"))));

    // The next export, of another kind, starts in that folder, with its own extension.
    run.saveAnswers = { QString() }; // cancelled: nothing written, nothing told
    const int boxes = run.prompter.boxes.size();
    run.chooseFromMenu(QStringLiteral("mAlsXlsx"));
    QCOMPARE(run.suggestedPaths.size(), 2);
    QCOMPARE(QFileInfo(run.suggestedPaths.last()).absolutePath(),
             QFileInfo(run.dir(QStringLiteral("exports"))).absoluteFilePath());
    QVERIFY(run.suggestedPaths.last().endsWith(day + QStringLiteral(".xlsx")));
    QCOMPARE(run.prompter.boxes.size(), boxes);

    // A name of the user's own is offered again for the same kind of export.
    run.saveAnswers = { QString() };
    run.chooseFromMenu(QStringLiteral("mAlsPdf"));
    QCOMPARE(QFileInfo(run.suggestedPaths.last()).absoluteFilePath(),
             QFileInfo(run.dir(QStringLiteral("exports/monat.pdf"))).absoluteFilePath());
}

void ReportJourneys::printerSettingsChooseTheNextPrintsPage()
{
    // "Druckereinstellungen": the page set-up; the next print comes on that paper.
    const auto pageOf = [this](const QString &file) {
        m_run->printer.file = m_run->dir(file);
        m_run->printer.copies = 1;
        m_run->press(QKeySequence(Qt::CTRL | Qt::Key_P));
        return poppler(QStringLiteral("pdfinfo"), m_run->dir(file));
    };
    m_run->pageSetup.layout = QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                          QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    m_run->chooseFromMenu(QStringLiteral("mStandardDrucker"));
    QCOMPARE(m_run->pageSetup.asked, 1);
    QVERIFY2(
        pageOf(QStringLiteral("letter.pdf")).contains(QStringLiteral("612 x 792 pts (letter)")),
        qPrintable(poppler(QStringLiteral("pdfinfo"), m_run->dir("letter.pdf"))));
    // The page keeps its proportions inside the margins: the title stays on it.
    QVERIFY(poppler(QStringLiteral("pdftotext"), m_run->dir("letter.pdf"))
                .contains(QStringLiteral("Gedruckt durch: ")));
    // Cancelled, the set-up changes nothing.
    m_run->pageSetup.layout.reset();
    m_run->chooseFromMenu(QStringLiteral("mStandardDrucker"));
    QCOMPARE(m_run->pageSetup.asked, 2);
    QVERIFY(pageOf(QStringLiteral("still-letter.pdf")).contains(QStringLiteral("(letter)")));
    m_run->pageSetup.layout
        = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF());
    m_run->chooseFromMenu(QStringLiteral("mStandardDrucker"));
    QVERIFY(pageOf(QStringLiteral("a4.pdf")).contains(QStringLiteral("(A4)")));
}

void ReportJourneys::reportBook_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("every main department with its departments") << false;
    QTest::newRow("cancelled at the first page") << true;
}

void ReportJourneys::reportBook()
{
    QFETCH(bool, cancel);
    const QString path = m_run->dir(cancel ? "cancelled-book.pdf" : "book.pdf");
    m_run->saveAnswers = { path };
    auto *watch = new QTimer(this);
    if (cancel) {
        // The user presses "Abbrechen" as soon as the progress shows.
        connect(watch, &QTimer::timeout, this, [watch] {
            for (QWidget *w : QApplication::allWidgets()) {
                if (w->objectName() == QLatin1String("BookProgress") && w->isVisible()) {
                    static_cast<QProgressDialog *>(w)->cancel();
                    watch->stop();
                }
            }
        });
        watch->start(0);
    }
    const int boxes = m_run->prompter.boxes.size();
    QStringList offered; // the levels and file the dialog opens with
    whenModal([&offered](QWidget *dialog) {
        for (QCheckBox *level : dialog->findChildren<QCheckBox *>()) {
            if (level->isChecked())
                offered << level->objectName();
        }
        offered << dialog->findChild<QLineEdit *>(QStringLiteral("edtDatei"))->text();
        dialog->findChild<QCheckBox *>(QStringLiteral("chkHABT"))->setChecked(true);
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("cmdDatei")),
                          Qt::LeftButton);
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("cmdErstellen")),
                          Qt::LeftButton);
        if (dialog->isVisible())
            dialog->close();
    });
    m_run->chooseFromMenu(QStringLiteral("mBerichtsmappe"));
    delete watch;
    QCOMPARE(m_run->prompter.boxes.size(), boxes + 1);
    // The book before, made in this run, left its levels and file for the next one.
    if (cancel)
        QCOMPARE(offered, QStringList({ "chkHABT", "chkABT", m_run->dir("book.pdf") }));
    else
        QCOMPARE(offered, QStringList({ "chkABT", QString() }));
    if (cancel) {
        QVERIFY(!QFile::exists(path));
        QVERIFY(m_run->prompter.boxes.last().text.contains(QStringLiteral("abgebrochen")));
        return;
    }
    QVERIFY2(QFile::exists(path), qPrintable(m_run->prompter.texts().join('\n')));
    // A page per main department and per department, bookmarked by level.
    QPDF pdf;
    pdf.processFile(path.toLocal8Bit().constData());
    QPDFOutlineDocumentHelper outline(pdf);
    const auto top = outline.getTopLevelOutlines();
    QVERIFY(!top.empty());
    size_t entries = 0;
    for (auto item : top) {
        QVERIFY(QString::fromStdString(item.getTitle()).startsWith(QStringLiteral("HABT ")));
        for (auto kid : item.getKids())
            QVERIFY(QString::fromStdString(kid.getTitle()).startsWith(QStringLiteral("ABT ")));
        entries += 1 + item.getKids().size();
    }
    QCOMPARE(pdf.getAllPages().size(), entries);
    const QString text = poppler(QStringLiteral("pdftotext"), path);
    QCOMPARE(text.count(QStringLiteral("Gedruckt durch: ")), int(entries));
    // The window's other choices hold on every page: here its main group.
    const QString mainGroup
        = m_run->program().analysis().selection().code(ertragon::SelectionModel::SHGRP);
    if (!mainGroup.isEmpty())
        QCOMPARE(text.count(QStringLiteral("HG:") + mainGroup), int(entries));
}

QObject *makeReportJourneys()
{
    return new ReportJourneys;
}

#include "ReportJourneys.moc"

// The view is kept at the end; the next start brings it back once the user turned on
// "Letzte Ansicht beim Start wiederherstellen", and "Auswahl zurücksetzen" clears it.
void ReportJourneys::lastViewComesBackWhenAsked()
{
    const QStringList arguments { "1", "0", "DEM", "demo", demoStore() };
    const QString kept = QStringLiteral("config/Ertragon/Ansicht.ini");
    auto combo = [](Run &run, const char *name) {
        return run.window().findChild<QComboBox *>(QString::fromLatin1(name));
    };
    QString mainDepartment;
    {
        Run first(arguments);
        QVERIFY(first.startAndShow());
        QVERIFY(!first.action(QStringLiteral("mAnsichtWiederherstellen"))->isChecked());
        Q_EMIT combo(first, "SHABT")->activated(2);
        mainDepartment = combo(first, "SHABT")->currentText();
        QVERIFY(!mainDepartment.isEmpty());
        first.press(Qt::Key_F7);
        first.press(QKeySequence(Qt::CTRL | Qt::Key_W));
        QLineEdit *zoom = first.window().zoomCombo()->lineEdit();
        zoom->setText(QStringLiteral("180"));
        QTest::keyClick(zoom, Qt::Key_Return);
        QCOMPARE(first.program().preview().ZoomPercent(), 180.0);
        first.chooseFromMenu(QStringLiteral("mAnsichtWiederherstellen"));
        first.chooseFromMenu(QStringLiteral("mLegende"));
        first.chooseFromMenu(QStringLiteral("Beenden"));
        QFile::remove(QDir::temp().filePath(QStringLiteral("kept.ini"))); // left by a failed run
        QVERIFY(QFile::copy(first.dir(kept), QDir::temp().filePath(QStringLiteral("kept.ini"))));
    }
    const QString copy = QDir::temp().filePath(QStringLiteral("kept.ini"));
    auto startWith = [&](Run &run) {
        QDir().mkpath(QFileInfo(run.dir(kept)).path());
        QFile::remove(run.dir(kept));
        return QFile::copy(copy, run.dir(kept)) && run.startAndShow();
    };
    {
        Run second(arguments);
        QVERIFY(startWith(second));
        QCOMPARE(combo(second, "SHABT")->currentText(), mainDepartment);
        QVERIFY(second.action(QStringLiteral("mGraph1"))->isChecked());
        QVERIFY(second.action(QStringLiteral("mJahr1"))->isChecked());
        QCOMPARE(second.program().preview().ZoomPercent(), 180.0);
        second.press(QKeySequence(Qt::CTRL | Qt::Key_R));
        QCOMPARE(combo(second, "SHABT")->currentIndex(), 0);
        second.chooseFromMenu(QStringLiteral("mAnsichtWiederherstellen"));
        second.chooseFromMenu(QStringLiteral("Beenden"));
        QFile::remove(copy);
        QVERIFY(QFile::copy(second.dir(kept), copy));
    }
    Run third(arguments);
    QVERIFY(startWith(third));
    QFile::remove(copy);
    QVERIFY(!third.action(QStringLiteral("mAnsichtWiederherstellen"))->isChecked());
    QVERIFY(third.action(QStringLiteral("mGraph0"))->isChecked()); // the start-up defaults
    QVERIFY(third.action(QStringLiteral("mJahr0"))->isChecked());
    // "Legende und Zeilentitel" comes back with or without the view.
    QVERIFY(third.action(QStringLiteral("mLegende"))->isChecked());
}
