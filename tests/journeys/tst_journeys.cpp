// The journeys: the program built as main() builds it, over a demo store, used
// as a user uses it. The last check fails when a menu item has no journey.

#include "FMStart.h"
#include "JourneyRig.h"
#include "comctl/ControlLoader.h"

#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <memory>

QObject *makeLoginJourneys();
QObject *makeReportJourneys();
QObject *makeDetailsJourneys();

class MenuCoverage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyMenuItemHasAJourney()
    {
        journey::Run run;
        QStringList missing;
        for (QAction *top : run.window().menuBar()->actions()) {
            for (QAction *item : top->menu()->actions()) {
                if (item->isSeparator())
                    continue;
                const QString name
                    = item->objectName().isEmpty() ? item->text() : item->objectName();
                if (!journey::usedActions().contains(name))
                    missing << name + QStringLiteral(" (") + item->text()
                            + (journey::idleActions().contains(name)
                                   ? QStringLiteral(", changed nothing)")
                                   : QStringLiteral(")"));
            }
        }
        QVERIFY2(missing.isEmpty(),
                 qPrintable(QStringLiteral("menu items without a journey that shows their effect: ")
                            + missing.join(", ")));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // The test is not installed beside Orvel: the month input finds it registered.
    if (comctl::ControlLoader::registerLibrary(QStringLiteral(ORVEL_LIBRARY)).isError())
        return 1;
    int failures = 0;
    for (auto make : { makeLoginJourneys, makeReportJourneys, makeDetailsJourneys }) {
        std::unique_ptr<QObject> journeys(make());
        failures += QTest::qExec(journeys.get(), argc, argv);
    }
    MenuCoverage coverage;
    failures += QTest::qExec(&coverage, argc, argv);
    return failures == 0 ? 0 : 1;
}

#include "tst_journeys.moc"
