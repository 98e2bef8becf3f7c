#pragma once

#include "HistoryLog.h"

#include <QWidget>

class QTreeWidget;

namespace ertragon {

// The window "Programmverlauf": the history log in the list Verlauf. Closing
// it only hides it, so the lines survive until the program ends.
class frmProgrammverlauf : public QWidget
{
    Q_OBJECT
public:
    explicit frmProgrammverlauf(HistoryLog &log, QWidget *parent = nullptr);

    void StatusText(const QString &programmteil, const QString &text, const QString &parameter);
    QTreeWidget *Verlauf() const { return m_verlauf; }
    // Shows the window within the free area of the screen near, whole and on top.
    void showOnScreenOf(const QWidget *near);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void appendLine(const HistoryLog::Entry &entry);
    void widenColumnsFor(const QStringList &texts);

    HistoryLog &m_log;
    QTreeWidget *m_verlauf;
};

} // namespace ertragon
