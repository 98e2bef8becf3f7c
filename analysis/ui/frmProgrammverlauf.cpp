#include "frmProgrammverlauf.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace ertragon {

frmProgrammverlauf::frmProgrammverlauf(HistoryLog &log, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_log(log)
    , m_verlauf(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("frmProgrammverlauf"));
    setWindowTitle(QStringLiteral("Programmverlauf"));
    m_verlauf->setObjectName(QStringLiteral("Verlauf"));
    m_verlauf->setColumnCount(3);
    m_verlauf->setHeaderLabels(
        { QStringLiteral("Programmteil"), QStringLiteral("Text"), QStringLiteral("Parameter") });
    m_verlauf->setRootIsDecorated(false);
    m_verlauf->setUniformRowHeights(true);

    // The list fills the whole client area.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_verlauf);
    resize(900, 300);
    for (int c = 0; c < 3; ++c)
        m_verlauf->setColumnWidth(c, m_verlauf->header()->sectionSizeHint(c));

    for (const HistoryLog::Entry &entry : log.entries())
        appendLine(entry);
    connect(&log, &HistoryLog::entryAdded, this, &frmProgrammverlauf::appendLine);
    connect(&log, &HistoryLog::firstEntryRemoved, this,
            [this] { delete m_verlauf->takeTopLevelItem(0); });
}

void frmProgrammverlauf::keyPressEvent(QKeyEvent *event)
{
    // Escape closes it as any window of its kind; closing only hides it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmProgrammverlauf::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_verlauf->scrollToBottom();
}

void frmProgrammverlauf::showOnScreenOf(const QWidget *near)
{
    const QScreen *screen
        = near && near->screen() ? near->screen() : QGuiApplication::primaryScreen();
    if (screen && !isVisible()) {
        // The frame is unknown before the first show: room for a title bar and borders.
        const QRect free = screen->availableGeometry().adjusted(8, 32, -8, -8);
        resize(size().boundedTo(free.size()));
        QRect wanted(QPoint(0, 0), size());
        wanted.moveCenter(near ? near->frameGeometry().center() : free.center());
        wanted.moveLeft(
            qBound(free.left(), wanted.left(), free.x() + free.width() - wanted.width()));
        wanted.moveTop(
            qBound(free.top(), wanted.top(), free.y() + free.height() - wanted.height()));
        move(wanted.topLeft());
    }
    show();
    raise();
    activateWindow();
}

void frmProgrammverlauf::StatusText(const QString &programmteil, const QString &text,
                                    const QString &parameter)
{
    m_log.AddLogEntry(programmteil, text, parameter);
}

void frmProgrammverlauf::appendLine(const HistoryLog::Entry &entry)
{
    const QStringList texts { entry.programmteil, entry.text, entry.parameter };
    auto *item = new QTreeWidgetItem(m_verlauf, texts);
    widenColumnsFor(texts);
    // Scrolling lays the list out: only where it is seen (showing scrolls to the end).
    if (isVisible())
        m_verlauf->scrollToItem(item);
}

void frmProgrammverlauf::widenColumnsFor(const QStringList &texts)
{
    // Each column grows to its longest line as lines arrive, which costs one
    // measurement a line instead of a pass over the whole log.
    const QFontMetrics metrics = m_verlauf->fontMetrics();
    for (int c = 0; c < 2; ++c) {
        const int wanted = metrics.horizontalAdvance(texts.at(c)) + 2 * metrics.averageCharWidth();
        if (wanted > m_verlauf->columnWidth(c))
            m_verlauf->setColumnWidth(c, wanted);
    }
}

void frmProgrammverlauf::closeEvent(QCloseEvent *event)
{
    event->ignore();
    hide();
}

} // namespace ertragon
