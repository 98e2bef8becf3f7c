#include "PageTableAccessible.h"

#include "PageCellAccessible.h"
#include "PreviewSurface.h"

#include <QWidget>
#include <utility>

namespace ertragon::report {

PageTableAccessible::PageTableAccessible(QWidget *widget)
    : QAccessibleWidget(widget, QAccessible::Table)
{
}

PageTableAccessible::~PageTableAccessible()
{
    dropCells();
}

void PageTableAccessible::publish(PreviewSurface *surface, PageContent content)
{
    if (surface->accessibleName().isEmpty())
        surface->setAccessibleName(QStringLiteral("Berichtsseite"));
    surface->setAccessibleDescription(content.tableCaption);
    surface->setPageContent(std::move(content));
    QAccessibleTableModelChangeEvent change(surface, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&change);
}

QAccessibleInterface *PageTableAccessible::create(const QString &, QObject *object)
{
    // The preview is asked for before its first page: it is a table without rows then.
    if (auto *preview = qobject_cast<PreviewSurface *>(object))
        return new PageTableAccessible(preview);
    return nullptr;
}

const PageContent &PageTableAccessible::content() const
{
    // create() makes this interface for preview surfaces only.
    return static_cast<const PreviewSurface *>(widget())->pageContent();
}

void *PageTableAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

// The widget's own children (the scroll area) come first, then the cells row by row.
int PageTableAccessible::widgetChildCount() const
{
    return QAccessibleWidget::childCount();
}

int PageTableAccessible::childCount() const
{
    return widgetChildCount() + rowCount() * columnCount();
}

QAccessibleInterface *PageTableAccessible::child(int index) const
{
    const int own = widgetChildCount();
    if (index < own)
        return QAccessibleWidget::child(index);
    const int columns = columnCount();
    if (columns == 0)
        return nullptr;
    return cellAt((index - own) / columns, (index - own) % columns);
}

int PageTableAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (child && child->role() == QAccessible::Cell) {
        if (const QAccessibleTableCellInterface *cell
            = const_cast<QAccessibleInterface *>(child)->tableCellInterface())
            return widgetChildCount() + cell->rowIndex() * columnCount() + cell->columnIndex();
    }
    return QAccessibleWidget::indexOfChild(child);
}

QAccessibleInterface *PageTableAccessible::cellAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    const int key = row * columnCount() + column;
    if (const auto found = m_cells.constFind(key); found != m_cells.constEnd())
        return QAccessible::accessibleInterface(*found);
    auto *self = const_cast<PageTableAccessible *>(this);
    auto *cell = new PageCellAccessible(self, widget(), row, column);
    m_cells.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

QString PageTableAccessible::cellText(int row, int column) const
{
    return content().table.value(row).value(column);
}

QString PageTableAccessible::columnDescription(int column) const
{
    return content().monthNames.value(column);
}

QString PageTableAccessible::rowDescription(int row) const
{
    return content().seriesLabels.value(row);
}

int PageTableAccessible::columnCount() const
{
    int columns = 0;
    for (const QStringList &row : content().table)
        columns = qMax(columns, int(row.size()));
    return columns;
}

int PageTableAccessible::rowCount() const
{
    return int(content().table.size());
}

void PageTableAccessible::modelChange(QAccessibleTableModelChangeEvent *)
{
    // Any change may move every cell: they are made again when asked for.
    dropCells();
}

void PageTableAccessible::dropCells()
{
    for (const QAccessible::Id id : std::as_const(m_cells))
        QAccessible::deleteAccessibleInterface(id);
    m_cells.clear();
}

} // namespace ertragon::report
