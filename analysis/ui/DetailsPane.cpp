#include "DetailsPane.h"

#include "BreakdownSortProxy.h"
#include "BreakdownTable.h"
#include "DetailsCsv.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QHeaderView>
#include <QPalette>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTreeView>

namespace ertragon {

namespace {
constexpr int paneWidthTwips = 3735;
constexpr int groupColumnWidth = 25 * 3;
} // namespace

DetailsPane::DetailsPane(QSplitter *split, QGroupBox *frame, QTreeView *list,
                         QAbstractItemModel *table, QObject *parent)
    : QObject(parent)
    , m_split(split)
    , m_frame(frame)
    , m_list(list)
    , m_sorted(new BreakdownSortProxy(this))
{
    m_sorted->setSourceModel(table);
    m_list->setModel(m_sorted);
    m_list->setSortingEnabled(true);
    m_list->sortByColumn(-1, Qt::AscendingOrder);
    // The columns follow the list's width, however the pane got it.
    m_list->viewport()->installEventFilter(this);
    connect(m_split, &QSplitter::splitterMoved, this, &DetailsPane::resizeColumns);
    auto *copy = new QShortcut(QKeySequence::Copy, m_list, nullptr, nullptr, Qt::WidgetShortcut);
    connect(copy, &QShortcut::activated, this,
            [this] { QApplication::clipboard()->setText(selectedRowsText()); });
}

int DetailsPane::twipsToPixels(int twips) const
{
    const int dpi = m_split->logicalDpiX() > 0 ? m_split->logicalDpiX() : 96;
    return qRound(twips * dpi / 1440.0);
}

int DetailsPane::contentWidth(int column) const
{
    // The width a column needs for its longest text and its heading.
    const QAbstractItemView *view = m_list; // the tree view's override, through the public base
    return qMax(view->sizeHintForColumn(column), m_list->header()->sectionSizeHint(column));
}

void DetailsPane::place()
{
    if (m_split->widget(1)->isHidden())
        return;
    const int total = m_split->width() - m_split->handleWidth();
    const int pane = qMin(qMax(twipsToPixels(paneWidthTwips), m_tableWidth), qMax(0, total / 2));
    m_split->setSizes({ qMax(0, total - pane), pane });
    resizeColumns();
}

void DetailsPane::resizeColumns()
{
    // The amount columns share the list's width, each at least as wide as its
    // longest text, so that no amount is cut.
    const int columns = m_sorted->columnCount();
    if (columns < 2)
        return;
    const int first = qMax(contentWidth(0), groupColumnWidth);
    m_list->setColumnWidth(0, first);
    const int share = (m_list->viewport()->width() - qMax(first, 50)) / (columns - 1);
    for (int c = 1; c < columns; ++c)
        m_list->setColumnWidth(c, qMax(contentWidth(c), share));
}

void DetailsPane::tableChanged()
{
    m_list->sortByColumn(-1, Qt::AscendingOrder);
    // Room for the group column and equal amount columns as wide as the widest amount.
    const int columns = m_sorted->columnCount();
    int widest = 0;
    for (int c = 1; c < columns; ++c)
        widest = qMax(widest, contentWidth(c));
    int needed = qMax(contentWidth(0), groupColumnWidth) + widest * qMax(0, columns - 1);
    const QMargins frame = m_frame->contentsMargins();
    needed += m_list->frameWidth() * 2 + m_list->verticalScrollBar()->sizeHint().width()
        + frame.left() + frame.right() + 24;
    m_tableWidth = needed;
    place();
}

void DetailsPane::showStale(bool stale)
{
    m_frame->setTitle(stale ? QStringLiteral(" Details – gelten für andere Perioden, neu mit F5 ")
                            : QStringLiteral(" Details "));
    QPalette palette = m_list->palette();
    const QPalette::ColorGroup group = stale ? QPalette::Disabled : QPalette::Active;
    palette.setColor(QPalette::Active, QPalette::Text, QPalette().color(group, QPalette::Text));
    palette.setColor(QPalette::Inactive, QPalette::Text, QPalette().color(group, QPalette::Text));
    m_list->setPalette(palette);
}

QString DetailsPane::selectedRowsText() const
{
    QList<int> rows;
    for (int row = 0; row < m_sorted->rowCount(); ++row) {
        if (m_list->selectionModel()->isRowSelected(row))
            rows << row;
    }
    return report::DetailsCsv::text(*m_sorted, rows, BreakdownTable::PlainTextRole,
                                    QLatin1Char('\t'), QStringLiteral("\n"));
}

bool DetailsPane::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && watched == m_list->viewport())
        resizeColumns();
    return QObject::eventFilter(watched, event);
}

} // namespace ertragon
