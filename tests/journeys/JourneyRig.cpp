#include "JourneyRig.h"

#include "FMStart.h"
#include "PageOperation.h"
#include "PgTestServer.h"
#include "PreviewSurface.h"
#include "ServerSession.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QTest>
#include <QTimer>

namespace journey {

namespace {
// Waits of whenModal that have not seen their window; a run ends them.
QObject *pendingWaits()
{
    static QObject *owner = new QObject(qApp);
    return owner;
}
} // namespace

QDate today()
{
    return QDate(2005, 3, 15);
}

bool onPostgres()
{
    return qgetenv("ERTRAGON_JOURNEY_ENGINE") == "postgres";
}

namespace {

struct DemoStore
{
    QString words; // SERVER [PORT] of the login's command line
    QString server;
    QString port;
};

const DemoStore &demo()
{
    static QTemporaryDir dir;
    static ertragon::test::PgTestServer server;
    static DemoStore store;
    if (!store.words.isEmpty())
        return store;
    QString target;
    if (onPostgres()) {
        QString why;
        if (!server.start(&why))
            qFatal("no PostgreSQL server for the journeys: %s", qPrintable(why));
        store = { server.host() + u' ' + server.port(), server.host(), server.port() };
        target = server.connectString();
    } else {
        target = dir.filePath(QStringLiteral("demo.db"));
        store = { target, target, QString() };
    }
    QProcess tool;
    tool.start(QStringLiteral(KORDEXDB_TOOL),
               { QStringLiteral("demo"), target, QStringLiteral("--lines"), QStringLiteral("20000"),
                 QStringLiteral("--today"), today().toString(Qt::ISODate) });
    if (!tool.waitForFinished(300000) || tool.exitCode() != 0)
        qFatal("kordexdb demo failed: %s", tool.readAllStandardError().constData());
    return store;
}

} // namespace

QString demoStore()
{
    return demo().words;
}

QByteArray demoStoreSettings()
{
    QByteArray lines = "Server=" + demo().server.toUtf8() + '\n';
    if (!demo().port.isEmpty())
        lines += "Port=" + demo().port.toUtf8() + '\n';
    return lines;
}

// --- stand-ins ---------------------------------------------------------------

ertragon::Prompter::Answer Prompter::ask(Icon icon, const QString &title, const QString &text,
                                         Buttons buttons)
{
    boxes.append({ icon, title, text });
    if (onAsk)
        onAsk(boxes.constLast());
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    for (const auto &[part, answer] : m_rules) {
        if (text.contains(part))
            return answer;
    }
    return Answer::No;
}

QStringList Prompter::texts() const
{
    QStringList result;
    for (const Box &box : boxes)
        result.append(box.title + QStringLiteral(": ") + box.text);
    return result;
}

bool Prompter::saw(const QString &textPart) const
{
    for (const Box &box : boxes) {
        if (box.text.contains(textPart))
            return true;
    }
    return false;
}

bool PageSetupDialog::ask(QPrinter &printer)
{
    ++asked;
    if (!layout)
        return false;
    printer.setPageLayout(*layout);
    return true;
}

std::optional<int> PrinterDialog::ask(QPrinter &printer)
{
    ++asked;
    if (!copies)
        return std::nullopt;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    return copies;
}

// --- one run -----------------------------------------------------------------

Run::Run(const QStringList &arguments, const QByteArray &settings)
    : clock(QDateTime(today(), QTime(9, 30)))
{
    // Settings and the default store live in this run's own folders.
    m_oldConfig = qgetenv("XDG_CONFIG_HOME");
    m_oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toUtf8());
    if (!settings.isEmpty()) {
        QDir().mkpath(m_home.filePath(QStringLiteral("config/Ertragon")));
        QFile file(m_home.filePath(QStringLiteral("config/Ertragon/Cache Login.ini")));
        if (file.open(QIODevice::WriteOnly))
            file.write(settings);
    }
    ertragon::ProgramPlatform platform;
    platform.clock = &clock;
    platform.waiter = &waiter;
    platform.prompter = &prompter;
    platform.printerDialog = &printer;
    platform.pageSetupDialog = &pageSetup;
    platform.chooseSaveFile = [this](const QString &, const QString &, const QString &suggested) {
        ++fileChoosers;
        suggestedPaths << suggested;
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    };
    platform.chooseOpenFile = [this](const QString &, const QString &) {
        ++fileChoosers;
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    };
    platform.chooseDpi = [] { return std::optional<int>(72); };
    m_program = std::make_unique<ertragon::Program>(
        QStringList { QStringLiteral("ertragon") } + arguments, platform);
    watchMenuBar(*this);
}

Run::~Run()
{
    qDeleteAll(pendingWaits()->children());
    m_program.reset();
    qputenv("XDG_CONFIG_HOME", m_oldConfig);
    qputenv("XDG_DATA_HOME", m_oldData);
}

ertragon::FMStart &Run::window()
{
    return m_program->window();
}

bool Run::startAndShow()
{
    if (!m_program->start())
        return false;
    m_program->show();
    QApplication::setActiveWindow(&window());
    return QTest::qWaitForWindowActive(&window());
}

QAction *Run::action(const QString &name) const
{
    return m_program->window().menuBar()->findChild<QAction *>(name);
}

void Run::chooseFromMenu(const QString &name)
{
    QAction *item = nullptr;
    QMenu *menu = nullptr;
    for (QAction *top : window().menuBar()->actions()) {
        if (QMenu *candidate = top->menu()) {
            for (QAction *a : candidate->actions()) {
                if (a->objectName() == name || a->text() == name) {
                    item = a;
                    menu = candidate;
                }
            }
        }
    }
    QVERIFY2(item && menu, qPrintable(QStringLiteral("no menu item ") + name));
    window().menuBar()->setActiveAction(menu->menuAction());
    QTRY_VERIFY(menu->isVisible());
    menu->setActiveAction(item);
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_VERIFY(!menu->isVisible());
    // The offscreen platform delivers the closed menu's activation late and
    // leaves it active; a window system gives the activation back.
    QTest::qWait(10);
    if (qobject_cast<QMenu *>(QApplication::activeWindow()) || !QApplication::activeWindow())
        QApplication::setActiveWindow(&window());
}

void Run::press(QKeySequence keys)
{
    QVERIFY(!keys.isEmpty());
    // The offscreen platform leaves a closed menu as the active window; a
    // window system gives the activation back to the main window.
    if (!QApplication::activeModalWidget() && QApplication::activeWindow() != &window())
        QApplication::setActiveWindow(&window());
    const QKeyCombination combination = keys[0];
    QTest::keyClick(&window(), combination.key(), combination.keyboardModifiers());
}

QStringList Run::pageTexts() const
{
    QStringList texts;
    for (const auto &page : m_program->preview().document().pages) {
        for (const auto &op : page) {
            if (op.kind == ertragon::report::PageOperation::Kind::TextBlock)
                texts.append(op.text);
        }
    }
    return texts;
}

QStringList Run::observable() const
{
    QStringList seen;
    ertragon::Program &program = *m_program;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        // Menus and tooltips come and go with the pointer and the keys that open them.
        const Qt::WindowType type = w->windowType();
        if (w->isVisible() && type != Qt::Popup && type != Qt::ToolTip)
            seen << QStringLiteral("window ") + w->objectName() + u' ' + w->windowTitle();
    }
    for (const char *name : { "ctSize3", "ctSize2", "cmdEinblenden" }) {
        const auto *w = program.window().findChild<QWidget *>(QString::fromLatin1(name));
        seen << QString::fromLatin1(name) + (w && w->isVisible() ? u'+' : u'-');
    }
    for (const char *name : { "SPCNR", "SHABT", "SABTNR", "SHGRP", "SUGRP", "SPG", "SHVArt" }) {
        if (const auto *list = program.window().findChild<QComboBox *>(QString::fromLatin1(name)))
            seen << QString::fromLatin1(name) + u' ' + list->currentText();
    }
    for (QAction *top : program.window().menuBar()->actions()) {
        for (QAction *a : top->menu()->actions())
            seen << a->objectName() + u' ' + a->text() + (a->isChecked() ? u'x' : u'o')
                    + (a->isEnabled() ? u'+' : u'-');
    }
    for (const auto &page : program.preview().document().pages) {
        for (const auto &op : page)
            seen << op.toLine();
    }
    seen << QStringLiteral("zoom %1 %2")
                .arg(program.preview().ZoomMode())
                .arg(program.preview().ZoomPercent());
    seen << QStringLiteral("boxes %1 printer %2 setup %3 files %4 history %5 ended %6")
                .arg(prompter.boxes.size())
                .arg(printer.asked)
                .arg(pageSetup.asked)
                .arg(fileChoosers)
                .arg(program.session().history().count())
                .arg(program.ended());
    if (const QClipboard *clipboard = QGuiApplication::clipboard())
        seen << QStringLiteral("clipboard ") + clipboard->text();
    return seen;
}

// --- bookkeeping ---------------------------------------------------------------

QSet<QString> &usedActions()
{
    static QSet<QString> used;
    return used;
}

QSet<QString> &idleActions()
{
    static QSet<QString> idle;
    return idle;
}

namespace {

// Takes the run's state when a menu item or a shortcut is about to act, and notes the
// windows shown while it acts.
class ActionWatch final : public QObject
{
public:
    explicit ActionWatch(Run &run)
        : QObject(&run.window())
        , m_run(run)
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool menuKey = qobject_cast<QMenu *>(watched)
            && (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonRelease);
        if (menuKey || (event->type() == QEvent::Shortcut && qobject_cast<QAction *>(watched))) {
            m_before = m_run.observable();
            m_shown = false;
        } else if (event->type() == QEvent::Show && watched->isWidgetType()) {
            const auto *w = static_cast<QWidget *>(watched);
            if (w->isWindow() && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip)
                m_shown = true;
        }
        return false;
    }

    // After the action's own handlers: did it do anything a user could notice?
    void triggered(const QString &name)
    {
        const bool effect = m_before && (m_shown || *m_before != m_run.observable());
        (effect ? usedActions() : idleActions()).insert(name);
        m_before.reset();
    }

private:
    Run &m_run;
    std::optional<QStringList> m_before;
    bool m_shown = false;
};

} // namespace

void watchMenuBar(Run &run)
{
    auto *bar = run.window().findChild<QMenuBar *>();
    if (!bar)
        return;
    auto *watch = new ActionWatch(run);
    for (QAction *top : bar->actions()) {
        if (!top->menu())
            continue;
        for (QAction *a : top->menu()->actions()) {
            if (a->isSeparator())
                continue;
            const QString name = a->objectName().isEmpty() ? a->text() : a->objectName();
            QObject::connect(a, &QAction::triggered, watch,
                             [watch, name] { watch->triggered(name); });
        }
    }
}

void whenModal(std::function<void(QWidget *)> f)
{
    auto *timer = new QTimer(pendingWaits());
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, f] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        f(modal);
    });
    timer->start();
}

} // namespace journey
