// The main window against a real demo store made by the kordexdb tool:
// start-up, filled lists, a full fetch and the history log.
// ERTRAGON_DEMO_DB names an existing store to use instead (for timing);
// ERTRAGON_SHOT names a PNG file that receives a picture of the window.

#include "AnalysisSession.h"
#include "CreateFactory.h"
#include "ExtendedSelection.h"
#include "FMStart.h"
#include "FakeServer.h"
#include "FixedClock.h"
#include "HistoryLog.h"
#include "PeriodFetch.h"
#include "PreviewSurface.h"
#include "ProgramHistory.h"
#include "ReportPage.h"
#include "ServerSession.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace ertragon;

class TestDemoStore : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_db;
    QDate m_today = QDate(2005, 12, 15);

private Q_SLOTS:
    void initTestCase()
    {
        m_db = qEnvironmentVariable("ERTRAGON_DEMO_DB");
        if (!m_db.isEmpty()) {
            m_today = QDate::fromString(qEnvironmentVariable("ERTRAGON_DEMO_TODAY"), Qt::ISODate);
            QVERIFY2(m_today.isValid(), "ERTRAGON_DEMO_TODAY=YYYY-MM-DD is needed with a store");
            return;
        }
        QVERIFY(m_dir.isValid());
        m_db = m_dir.filePath(QStringLiteral("demo.db"));
        QProcess tool;
        tool.start(QStringLiteral(KORDEXDB_TOOL),
                   { QStringLiteral("demo"), m_db, QStringLiteral("--lines"),
                     QStringLiteral("20000"), QStringLiteral("--today"),
                     m_today.toString(Qt::ISODate) });
        QVERIFY(tool.waitForFinished(300000));
        QCOMPARE(tool.exitCode(), 0);
    }

    void startAndFetch()
    {
        fake::Prompter prompter; // answers No: no rebuild at start-up
        fake::Waiter waiter;
        FixedClock clock(QDateTime(m_today, QTime(9, 30)));
        ServerSession session(
            kordex::createFactory, prompter, waiter, m_dir.filePath(QStringLiteral("login.ini")),
            { QStringLiteral("ertragon"), QStringLiteral("1"), QStringLiteral("0"),
              QStringLiteral("DEM"), QStringLiteral("demo"), m_db });
        AnalysisSession analysis(session.access(), session.prompter(), clock);
        FMStart window(analysis, session.prompter());
        QObject::connect(&analysis, &AnalysisSession::logged,
                         [&](const QString &part, const QString &text, const QString &param) {
                             session.history().AddLogEntry(part, text, param);
                         });
        int redraws = 0;
        QObject::connect(&analysis, &AnalysisSession::reportChanged, [&] { ++redraws; });
        QVERIFY(analysis.startUp([&] { return session.runStartupLogin(); }));
        QVERIFY2(prompter.messages.size() <= 1, qPrintable(prompter.texts().join('\n')));
        for (const char *name : { "SPCNR", "SHABT", "SABTNR", "SHGRP", "SPG", "SHVArt" }) {
            auto *combo = window.findChild<QComboBox *>(QString::fromUtf8(name));
            QVERIFY2(combo->count() > 1, name);
            QCOMPARE(combo->itemText(0), QString());
        }
        // Names from queries are shown with their umlauts.
        const QStringList pcs = analysis.selection().list(SelectionModel::SPCNR).texts();
        QVERIFY(!pcs.join(' ').contains(QLatin1Char('{')));

        QElapsedTimer timer;
        timer.start();
        QVERIFY(analysis.fetch());
        qInfo("full fetch of %d periods: %lld ms", 60 + m_today.month(), timer.elapsed());
        QCOMPARE(redraws, 1);
        const int periods = 60 + m_today.month();
        QCOMPARE(session.history().count(), periods);
        QCOMPARE(session.history().entries().last().text,
                 QStringLiteral("Datenabfrage Periode ")
                     + QString::number((m_today.year() - 1900) * 100 + m_today.month()));
        double revenue = 0;
        for (int p = 1; p <= periods; ++p)
            revenue += analysis.totals().value(p, PeriodTotals::Revenue);
        QVERIFY(revenue > 0);

        if (qEnvironmentVariableIsSet("ERTRAGON_SHOT")) {
            analysis.selection().choose(SelectionModel::SHGRP, 1);
            analysis.selection().choose(SelectionModel::SPG, 1);
            auto *surface = new report::PreviewSurface;
            window.setPreview(surface);
            QObject::connect(
                &analysis, &AnalysisSession::reportChanged, surface,
                [surface](const ReportData &d) { report::ReportPage::draw(*surface, d); });
            window.mDetailsClick(0);
            window.refreshDetails();
            analysis.redraw();
            window.resize(1280, 800);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            window.grab().save(qEnvironmentVariable("ERTRAGON_SHOT"));
        }

        // Extended selection: article type "A" is the sum of the three types.
        PeriodFetch fetch(session.access(), session.prompter(), clock);
        ExtendedSelection extended;
        extended.open(session.access(), QStringLiteral("1"), QString());
        QVERIFY(extended.shippingTypes().size() > 1);
        PeriodTotals all, single[3];
        timer.restart();
        const auto outcome = fetch.run(analysis.selection(), extended, all);
        QVERIFY2(outcome == PeriodFetch::Outcome::Fetched, qPrintable(prompter.texts().join('\n')));
        QCOMPARE(fetch.run(analysis.selection(), extended, all), PeriodFetch::Outcome::Fetched);
        qInfo("extended fetch, type A: %lld ms", timer.elapsed());
        for (int t = 0; t < 3; ++t) {
            extended.setArticleTypeIndex(t + 1);
            QCOMPARE(fetch.run(analysis.selection(), extended, single[t]),
                     PeriodFetch::Outcome::Fetched);
        }
        double sumAll = 0;
        for (int p = 1; p <= periods; ++p) {
            const double a = all.value(p, PeriodTotals::Revenue);
            double s = 0;
            for (const PeriodTotals &one : single)
                s += one.value(p, PeriodTotals::Revenue);
            QVERIFY2(qAbs(a - s) < 0.01, qPrintable(QString::number(p)));
            sumAll += a;
        }
        QVERIFY(sumAll > 0);
    }
};

QTEST_MAIN(TestDemoStore)
#include "tst_demostore.moc"
