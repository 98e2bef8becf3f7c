#pragma once

#include <QMainWindow>

class ControlHost;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QTableWidget;

namespace comctl {
class ComControl;
}

// The interactive test container: the host form with the control, a property grid, a method
// box, an event log and a command line for script commands.
class HostWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit HostWindow(QWidget *parent = nullptr);
    ControlHost *host() const { return m_host; }
    void runCommand(const QString &line);

private:
    void refreshProperties();
    void refreshMethods();
    void onPropertyEdited(int row, int column);
    void callMethod();
    void log(const QString &line);

    ControlHost *m_host;
    QTableWidget *m_properties;
    QComboBox *m_methods;
    QLineEdit *m_arguments;
    QLineEdit *m_command;
    QPlainTextEdit *m_log;
    bool m_refreshing = false;
};
