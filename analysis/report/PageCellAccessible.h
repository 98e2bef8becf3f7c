#pragma once

#include <QAccessible>
#include <QPointer>

namespace ertragon::report {

class PageTableAccessible;

// One cell of the page's value table for assistive technology: its text, and the month
// and series it belongs to as its headers' descriptions.
class PageCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    PageCellAccessible(PageTableAccessible *table, QWidget *widget, int row, int column);

    void *interface_cast(QAccessible::InterfaceType type) override;
    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text, const QString &) override { }
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override;

private:
    PageTableAccessible *m_table;
    QPointer<QWidget> m_widget;
    int m_row, m_column;
};

} // namespace ertragon::report
