#include "frmProgrammverlauf.h"

#include <QCloseEvent>
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
    resize(640, 300);

    for (const HistoryLog::Entry &entry : log.entries())
        appendLine(entry);
    connect(&log, &HistoryLog::entryAdded, this, &frmProgrammverlauf::appendLine);
}

void frmProgrammverlauf::StatusText(const QString &programmteil, const QString &text,
                                    const QString &parameter)
{
    m_log.AddLogEntry(programmteil, text, parameter);
}

void frmProgrammverlauf::appendLine(const HistoryLog::Entry &entry)
{
    auto *item
        = new QTreeWidgetItem(m_verlauf, { entry.programmteil, entry.text, entry.parameter });
    m_verlauf->scrollToItem(item);
}

void frmProgrammverlauf::closeEvent(QCloseEvent *event)
{
    event->ignore();
    hide();
}

} // namespace ertragon
