#include "frmAbout.h"

#include "Prompter.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace ertragon {

namespace {

const QString programTitle = QStringLiteral("Ertragon");

QString findFirstTool()
{
    for (const QString &tool : frmAbout::systemInfoTools()) {
        const QString path = QStandardPaths::findExecutable(tool);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

} // namespace

QStringList frmAbout::systemInfoTools()
{
    return { QStringLiteral("hardinfo"),
             QStringLiteral("hardinfo2"),
             QStringLiteral("gnome-system-monitor"),
             QStringLiteral("ksysguard"),
             QStringLiteral("plasma-systemmonitor"),
             QStringLiteral("kinfocenter"),
             QStringLiteral("xfce4-taskmanager"),
             QStringLiteral("lxtask") };
}

frmAbout::frmAbout(Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_prompter(prompter)
    , m_find(findFirstTool)
    , m_start([](const QString &path) { return QProcess::startDetached(path, {}); })
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Info zu ") + programTitle);
    auto *title = new QLabel(programTitle, this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont font = title->font();
    font.setPointSize(16);
    font.setBold(true);
    title->setFont(font);
    auto *version
        = new QLabel(QStringLiteral("Version ") + QCoreApplication::applicationVersion(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto *description
        = new QLabel(QStringLiteral("Umsatz- und Deckungsbeitragsanalyse für KORDEX"), this);
    description->setObjectName(QStringLiteral("lblDescription"));

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto *sysInfo = new QPushButton(QStringLiteral("&Systeminfo..."), this);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(sysInfo, &QPushButton::clicked, this, &frmAbout::startSystemInfo);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addWidget(description);
    layout->addStretch(1);
    layout->addLayout(buttons);
}

void frmAbout::startSystemInfo()
{
    const QString tool = m_find ? m_find() : QString();
    if (!tool.isEmpty() && m_start && m_start(tool))
        return;
    m_prompter.inform(Prompter::Icon::Information, windowTitle(),
                      QStringLiteral("Systeminformationen sind momentan nicht verfügbar"));
}

} // namespace ertragon
