#pragma once

#include <QObject>

class QAbstractItemModel;
class QGroupBox;
class QSortFilterProxyModel;
class QSplitter;
class QTreeView;

namespace ertragon {

// The details pane beside the preview: its width in the splitter (3735 twips, or as
// wide as its table needs, at most half the splitter), the list's columns shared out
// over the list's width, the list sorted by a click on a heading (amounts by value, the
// group column as text) and Ctrl+C copying the selected rows.
class DetailsPane : public QObject
{
    Q_OBJECT
public:
    // table is a breakdown table model; the list shows it through a sorting proxy.
    DetailsPane(QSplitter *split, QGroupBox *frame, QTreeView *list, QAbstractItemModel *table,
                QObject *parent = nullptr);

    // The splitter's sizes for the shown pane.
    void place();
    // A new table arrived: in its own order again, the pane as wide as the table needs.
    void tableChanged();
    // A stale list belongs to other periods than the options now name: greyed, and the
    // frame's title says so until the next fetch.
    void showStale(bool stale);
    // The headings and the selected rows as tab-separated lines of plain numbers, in
    // the list's order.
    QString selectedRowsText() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void resizeColumns();
    int contentWidth(int column) const;
    int twipsToPixels(int twips) const;

    QSplitter *m_split;
    QGroupBox *m_frame;
    QTreeView *m_list;
    QSortFilterProxyModel *m_sorted;
    int m_tableWidth = 0; // pixels the pane needs for its table
};

} // namespace ertragon
