#pragma once

// What the journeys share: a demo store made once by the kordexdb tool, and one
// run of the program as main() builds it, with only the clock, the waits and the
// platform's own dialogs replaced by stand-ins that a test can answer.

#include "FixedClock.h"
#include "PageSetupDialog.h"
#include "PrinterDialog.h"
#include "Program.h"
#include "Prompter.h"
#include "Waiter.h"

#include <QList>
#include <QPageLayout>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QMenu;
class QWidget;

namespace journey {

// The day every journey runs on; the demo store holds sales up to it.
QDate today();
// True when the journeys run on a PostgreSQL server (ERTRAGON_JOURNEY_ENGINE=postgres),
// where each user logs in as their own role; else on a SQLite file.
bool onPostgres();
// The demo store, made on first use (20,000 sales lines, seed 1), as the login's
// command line names it: the file, or the server's host and port (two words).
QString demoStore();
// The same store as lines of the login settings ("Server=...", "Port=...").
QByteArray demoStoreSettings();

// Message boxes: recorded, and answered by the first rule whose text part the
// box contains; a question without a rule is answered No.
class Prompter final : public ertragon::Prompter
{
public:
    struct Box
    {
        Icon icon;
        QString title;
        QString text;
    };

    Answer ask(Icon icon, const QString &title, const QString &text, Buttons buttons) override;
    void answer(const QString &textPart, Answer answer) { m_rules.append({ textPart, answer }); }
    QStringList texts() const;
    bool saw(const QString &textPart) const;

    QList<Box> boxes;
    std::function<void(const Box &)> onAsk;

private:
    QList<std::pair<QString, Answer>> m_rules;
};

// The ten-second connect wait, without the ten seconds.
class Waiter final : public ertragon::Waiter
{
public:
    int waitHundredths(int n) override
    {
        ++waits;
        if (onWait)
            onWait();
        return n / 100;
    }
    int waits = 0;
    std::function<void()> onWait;
};

// The printer dialog answered as a user who prints to a PDF file.
class PrinterDialog final : public ertragon::report::PrinterDialog
{
public:
    std::optional<int> ask(QPrinter &printer) override;

    QString file; // "Print to file" target
    std::optional<int> copies = 1; // nothing: the user cancels
    int asked = 0;
};

// The page set-up answered as a user who picks a page layout, or cancels (none).
class PageSetupDialog final : public ertragon::report::PageSetupDialog
{
public:
    bool ask(QPrinter &printer) override;

    std::optional<QPageLayout> layout;
    int asked = 0;
};

// One run of the program. Each has its own settings and data folders.
class Run
{
public:
    // arguments after the program name; a settings file is written first when given.
    explicit Run(const QStringList &arguments = {}, const QByteArray &settings = {});
    ~Run();

    ertragon::Program &program() { return *m_program; }
    ertragon::FMStart &window();
    // Start-up, then the window shown and active; false when the program ended.
    bool startAndShow();

    // The action of the menu bar with this object name; records that it was used.
    QAction *action(const QString &name) const;
    // Opens the menu of the action in the menu bar and chooses the action with Enter.
    void chooseFromMenu(const QString &name);
    // A key on the main window, as a user presses it.
    void press(QKeySequence keys);

    // Every text on the report page shown, in drawing order.
    QStringList pageTexts() const;
    // What a user could see or find changed: the windows and dialogs shown, the boxes,
    // the page, the menus' marks, the files asked for, the clipboard, the history.
    QStringList observable() const;
    QString dir(const QString &name) const { return m_home.filePath(name); }

    Prompter prompter;
    Waiter waiter;
    PrinterDialog printer;
    PageSetupDialog pageSetup;
    ertragon::FixedClock clock;
    QStringList saveAnswers; // the file chooser's answers, first first
    QStringList suggestedPaths; // what the save chooser suggested, first first
    QStringList openAnswers;
    int fileChoosers = 0; // how often a file was asked for

private:
    QTemporaryDir m_home;
    QByteArray m_oldConfig, m_oldData;
    std::unique_ptr<ertragon::Program> m_program;
};

// Names of the menu-bar actions that some journey has triggered in this process with an
// effect a user could notice (Run::observable() changed, or a window was shown).
QSet<QString> &usedActions();
// Those triggered without any such effect.
QSet<QString> &idleActions();
// Records every action of the run's menu bar when it is triggered, and whether it did
// anything: the state before is taken when the menu or the shortcut is used.
void watchMenuBar(Run &run);

// Runs f as soon as a modal window opens (a dialog the next step will block on).
void whenModal(std::function<void(QWidget *)> f);

} // namespace journey
