#include "ProgramHistory.h"

#include <QHeaderView>
#include <QTest>
#include <QTreeWidget>

using namespace ertragon;

class TestHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineText_data()
    {
        QTest::addColumn<QString>("programmteil");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parameter");
        QTest::addColumn<QString>("line");
        QTest::newRow("fetch") << "fmstart.cmdÜbernehmen"
                               << "Datenabfrage Periode 10512"
                               << "1|||||||"
                               << "fmstart.cmdÜbernehmen;Datenabfrage Periode 10512;1|||||||";
        QTest::newRow("empty parts") << ""
                                     << ""
                                     << ""
                                     << ";;";
    }

    void lineText()
    {
        QFETCH(QString, programmteil);
        QFETCH(QString, text);
        QFETCH(QString, parameter);
        QFETCH(QString, line);
        HistoryLog log;
        log.AddLogEntry(programmteil, text, parameter);
        QCOMPARE(log.count(), 1);
        QCOMPARE(log.entries().first().line(), line);
    }

    // A working day of fetches keeps the last lines, in the log and in the window.
    void theLogKeepsItsLastLines()
    {
        HistoryLog log;
        ProgramHistory history(log);
        for (int i = 0; i < HistoryLog::maxEntries + 5; ++i)
            log.AddLogEntry(QStringLiteral("fmstart.cmdÜbernehmen"),
                            QStringLiteral("Datenabfrage Periode %1").arg(i), QString());
        QCOMPARE(log.count(), HistoryLog::maxEntries);
        QCOMPARE(log.entries().first().text, QStringLiteral("Datenabfrage Periode 5"));
        QCOMPARE(history.window()->Verlauf()->topLevelItemCount(), HistoryLog::maxEntries);
        QCOMPARE(history.window()->Verlauf()->topLevelItem(0)->text(1),
                 QStringLiteral("Datenabfrage Periode 5"));
    }

    void windowCreatedHiddenOnTheFirstLine()
    {
        HistoryLog log;
        ProgramHistory history(log);
        QVERIFY(!history.window());
        log.AddLogEntry(QStringLiteral("frmNeueDaten.OKButton_Click"),
                        QStringLiteral("Daten Holen für"),
                        QStringLiteral("10501 10512 um 10:11:12"));
        QVERIFY(history.window());
        QVERIFY(!history.window()->isVisible());
        history.log().AddLogEntry(QStringLiteral("frmNeueDaten.OKButton_Click"),
                                  QStringLiteral("Daten Holen erledigt um"),
                                  QStringLiteral("10:12:00"));
        history.showWindow();
        frmProgrammverlauf *window = history.window();
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Programmverlauf"));
        QTreeWidget *list = window->Verlauf();
        QCOMPARE(list->objectName(), QStringLiteral("Verlauf"));
        QCOMPARE(list->headerItem()->text(0), QStringLiteral("Programmteil"));
        QCOMPARE(list->headerItem()->text(1), QStringLiteral("Text"));
        QCOMPARE(list->headerItem()->text(2), QStringLiteral("Parameter"));
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(list->topLevelItem(1)->text(1), QStringLiteral("Daten Holen erledigt um"));
        QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("10501 10512 um 10:11:12"));
    }

    void closingHidesAndKeepsTheLines()
    {
        HistoryLog log;
        ProgramHistory history(log);
        history.showWindow();
        frmProgrammverlauf *window = history.window();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->StatusText(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"));
        QVERIFY(window->close() == false);
        QVERIFY(!window->isVisible());
        log.AddLogEntry(QStringLiteral("d"), QStringLiteral("e"), QStringLiteral("f"));
        history.showWindow();
        QCOMPARE(history.window(), window);
        QCOMPARE(window->Verlauf()->topLevelItemCount(), 2);
        QCOMPARE(history.log().count(), 2);
    }

    void listFillsTheClientArea_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("small") << QSize(200, 120);
        QTest::newRow("large") << QSize(900, 500);
    }

    void listFillsTheClientArea()
    {
        QFETCH(QSize, size);
        HistoryLog log;
        ProgramHistory history(log);
        history.showWindow();
        frmProgrammverlauf *window = history.window();
        window->resize(size);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTRY_COMPARE(window->Verlauf()->geometry(), window->rect());
    }
};

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
