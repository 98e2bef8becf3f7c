#include "PageCellAccessible.h"

#include "PageTableAccessible.h"

#include <QWidget>

namespace ertragon::report {

PageCellAccessible::PageCellAccessible(PageTableAccessible *table, QWidget *widget, int row,
                                       int column)
    : m_table(table)
    , m_widget(widget)
    , m_row(row)
    , m_column(column)
{
}

void *PageCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface *>(this);
    return nullptr;
}

bool PageCellAccessible::isValid() const
{
    return m_widget && m_row < m_table->rowCount() && m_column < m_table->columnCount();
}

QWindow *PageCellAccessible::window() const
{
    return m_table->window();
}

QAccessibleInterface *PageCellAccessible::parent() const
{
    return m_table;
}

QAccessibleInterface *PageCellAccessible::table() const
{
    return m_table;
}

QString PageCellAccessible::text(QAccessible::Text kind) const
{
    if (!isValid())
        return {};
    if (kind == QAccessible::Name || kind == QAccessible::Value)
        return m_table->cellText(m_row, m_column);
    if (kind == QAccessible::Description)
        return m_table->columnDescription(m_column) + QStringLiteral(", ")
            + m_table->rowDescription(m_row);
    return {};
}

QRect PageCellAccessible::rect() const
{
    // The cells are drawn on the page; the page is where they are.
    return m_table->rect();
}

QAccessible::State PageCellAccessible::state() const
{
    QAccessible::State s;
    s.readOnly = true;
    s.invalid = !isValid();
    return s;
}

} // namespace ertragon::report
