#pragma once

#include "PageContent.h"

#include <QAccessibleWidget>
#include <QHash>

namespace ertragon::report {

class PreviewSurface;

// The value table of the page shown, offered to assistive technology as a table: the
// page is drawn, so without this a screen reader finds only an empty picture. The
// preview shows the table given by publish(); its rows are the series, its columns the
// months.
class PageTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit PageTableAccessible(QWidget *widget);
    ~PageTableAccessible() override;

    // The table of content on widget, with the caption as the widget's description, and
    // the change told to a screen reader.
    static void publish(PreviewSurface *surface, PageContent content);
    // The accessibility factory: an interface for the preview surface.
    static QAccessibleInterface *create(const QString &className, QObject *object);

    void *interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *event) override;

    // The cell's text; empty outside the table.
    QString cellText(int row, int column) const;

private:
    const PageContent &content() const;
    int widgetChildCount() const;
    void dropCells();

    mutable QHash<int, QAccessible::Id> m_cells; // row * columns + column
};

} // namespace ertragon::report
