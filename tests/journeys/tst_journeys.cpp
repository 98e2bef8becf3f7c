// The journeys: the program built as main() builds it, over a demo store, used
// as a user uses it. The last check fails when a menu item has no journey.

#include "FMStart.h"
#include "JourneyRig.h"
#include "comctl/ControlLoader.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMultiMap>
#include <QTest>
#include <memory>

namespace {

// The key of a text's mnemonic ("&x", lower case); nothing for none ("&&" is an ampersand).
QChar mnemonicOf(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != u'&')
            continue;
        if (text.at(i + 1) != u'&')
            return text.at(i + 1).toLower();
        ++i;
    }
    return {};
}

// The texts that share a mnemonic, as "x: text, text".
QStringList duplicates(const QStringList &texts)
{
    QMultiMap<QChar, QString> byKey;
    for (const QString &text : texts) {
        if (const QChar key = mnemonicOf(text); !key.isNull())
            byKey.insert(key, text);
    }
    QStringList found;
    for (const QChar key : byKey.uniqueKeys()) {
        QStringList sharing = byKey.values(key);
        sharing.sort();
        if (sharing.size() > 1)
            found << QString(key) + QStringLiteral(": ") + sharing.join(u", ");
    }
    return found;
}

// The mnemonics a window offers now: its shown buttons, group boxes, labels of a buddy
// and the entries of its menu bar.
QStringList windowMnemonics(QWidget *window)
{
    QStringList texts;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            texts << button->text();
        else if (auto *box = qobject_cast<QGroupBox *>(w))
            texts << box->title();
        else if (auto *label = qobject_cast<QLabel *>(w); label && label->buddy())
            texts << label->text();
    }
    if (auto *bar = window->findChild<QMenuBar *>()) {
        for (QAction *top : bar->actions())
            texts << top->text();
    }
    return texts;
}

// Each menu and submenu with the texts of its items.
void collectMenus(QMenu *menu, QList<std::pair<QString, QStringList>> &menus)
{
    QStringList texts;
    for (QAction *item : menu->actions()) {
        texts << item->text();
        if (item->menu())
            collectMenus(item->menu(), menus);
    }
    menus.append({ menu->title(), texts });
}

} // namespace

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

    // Alt and a letter reaches one thing in each window and each menu.
    void mnemonicsAreUniqueInEachWindowAndMenu()
    {
        journey::Run run({ "1", "0", "DEM", "demo", journey::demoStore() });
        QVERIFY(run.startAndShow());
        ertragon::FMStart &window = run.window();
        QStringList found;
        // The captions that the main window has always had share two keys: "&Hilfe" and
        // "Daten &holen (F5)", "&Ausblenden (F3)" and "D&aten holen (F5)". Qt then moves
        // the focus between them on each press. They are kept; any other pair fails.
        const QStringList known = { QStringLiteral("h: &Hilfe, Daten &holen (F5)"),
                                    QStringLiteral("a: &Ausblenden (F3), D&aten holen (F5)") };
        const auto look = [&](const QString &state) {
            for (const QString &pair : duplicates(windowMnemonics(&window))) {
                if (!known.contains(pair))
                    found << state + QStringLiteral(": ") + pair;
            }
        };
        auto *bar = window.menuBar();
        bar->findChild<QAction *>(QStringLiteral("mDetails0"))->trigger();
        look(QStringLiteral("main window with the details"));
        bar->findChild<QAction *>(QStringLiteral("mDaten1"))->trigger();
        look(QStringLiteral("main window without the selection"));
        QList<std::pair<QString, QStringList>> menus;
        for (QAction *top : bar->actions())
            collectMenus(top->menu(), menus);
        for (const auto &[title, texts] : menus) {
            for (const QString &pair : duplicates(texts))
                found << QStringLiteral("menu ") + title + QStringLiteral(": ") + pair;
        }
        QVERIFY2(found.isEmpty(),
                 qPrintable(QStringLiteral("mnemonics used twice: ")
                            + found.join(QStringLiteral("; "))));
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
