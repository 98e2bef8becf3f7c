#pragma once

#include <QDialog>
#include <functional>

namespace ertragon {

class Prompter;

// The about box: program title, version and the system-information tool.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    frmAbout(Prompter &prompter, QWidget *parent = nullptr);

    // Tools tried in this order; the first found on the search path is started.
    static QStringList systemInfoTools();
    // Replaces the search and start of the tool (tests).
    void setToolFinder(std::function<QString()> find) { m_find = std::move(find); }
    void setToolStarter(std::function<bool(const QString &)> start) { m_start = std::move(start); }

    // "&Systeminfo...": starts the tool or says that none is available.
    void startSystemInfo();

private:
    Prompter &m_prompter;
    std::function<QString()> m_find;
    std::function<bool(const QString &)> m_start;
};

} // namespace ertragon
