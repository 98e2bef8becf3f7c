#include "HostWindow.h"

#include "ControlHost.h"
#include "ScriptRunner.h"
#include "ValueLiteral.h"
#include "comctl/ComControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

using comctl::MemberInfo;

HostWindow::HostWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_host(new ControlHost)
    , m_properties(new QTableWidget(0, 2))
    , m_methods(new QComboBox)
    , m_arguments(new QLineEdit)
    , m_command(new QLineEdit)
    , m_log(new QPlainTextEdit)
{
    setWindowTitle(QStringLiteral("ctlhost"));
    m_properties->setHorizontalHeaderLabels(
        { QStringLiteral("Eigenschaft"), QStringLiteral("Wert") });
    m_properties->horizontalHeader()->setStretchLastSection(true);
    m_log->setReadOnly(true);

    auto *pages = new QPushButton(QStringLiteral("Eigenschaftsseiten..."));
    auto *design = new QCheckBox(QStringLiteral("Entwurfsmodus"));
    auto *call = new QPushButton(QStringLiteral("Aufrufen"));
    auto *methodRow = new QHBoxLayout;
    methodRow->addWidget(m_methods);
    methodRow->addWidget(m_arguments, 1);
    methodRow->addWidget(call);
    auto *left = new QWidget;
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->addWidget(m_host, 1);
    leftLayout->addWidget(design);
    leftLayout->addWidget(pages);
    leftLayout->addLayout(methodRow);
    leftLayout->addWidget(new QLabel(QStringLiteral("Befehl:")));
    leftLayout->addWidget(m_command);
    leftLayout->addWidget(new QLabel(QStringLiteral("Ereignisse:")));
    leftLayout->addWidget(m_log, 1);
    auto *splitter = new QSplitter;
    splitter->addWidget(left);
    splitter->addWidget(m_properties);
    setCentralWidget(splitter);
    resize(900, 600);

    connect(m_host, &ControlHost::eventLogged, this, &HostWindow::log);
    connect(m_host, &ControlHost::controlCreated, this, [this] {
        refreshProperties();
        refreshMethods();
    });
    connect(m_properties, &QTableWidget::cellChanged, this, &HostWindow::onPropertyEdited);
    connect(call, &QPushButton::clicked, this, &HostWindow::callMethod);
    connect(pages, &QPushButton::clicked, this, [this] {
        if (m_host->control() && !m_host->control()->showPropertyPages(this))
            log(QStringLiteral("(keine Eigenschaftsseiten)"));
        refreshProperties();
    });
    connect(design, &QCheckBox::toggled, this, [this](bool on) {
        m_host->site().setUserMode(!on);
        refreshProperties();
    });
    connect(m_command, &QLineEdit::returnPressed, this, [this] {
        runCommand(m_command->text());
        m_command->clear();
    });
}

void HostWindow::runCommand(const QString &line)
{
    QString output;
    QTextStream out(&output);
    ScriptRunner runner(*m_host, out);
    runner.runLine(line);
    out.flush();
    log(QStringLiteral("> ") + line);
    for (const QString &printed : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        log(printed);
    refreshProperties();
}

void HostWindow::log(const QString &line)
{
    m_log->appendPlainText(line);
}

void HostWindow::refreshProperties()
{
    comctl::ComControl *control = m_host->control();
    m_refreshing = true;
    m_properties->setRowCount(0);
    if (control) {
        const QList<MemberInfo> properties
            = control->memberTable().members(MemberInfo::Kind::Property);
        m_properties->setRowCount(int(properties.size()));
        for (int row = 0; row < properties.size(); ++row) {
            const MemberInfo &info = properties[row];
            auto *name = new QTableWidgetItem(info.name);
            name->setFlags(Qt::ItemIsEnabled);
            name->setToolTip(info.description + QStringLiteral("\n[") + info.category
                             + QLatin1Char(']'));
            const comctl::DispatchResult result = control->get(info.name);
            m_properties->setItem(row, 0, name);
            m_properties->setItem(
                row, 1,
                new QTableWidgetItem(result.ok()
                                         ? ValueLiteral::format(result.value)
                                         : QStringLiteral("error %1").arg(result.error.number())));
        }
    }
    m_refreshing = false;
}

void HostWindow::refreshMethods()
{
    m_methods->clear();
    if (comctl::ComControl *control = m_host->control()) {
        for (const MemberInfo &info : control->memberTable().members(MemberInfo::Kind::Method))
            m_methods->addItem(info.name);
    }
}

void HostWindow::onPropertyEdited(int row, int column)
{
    if (m_refreshing || column != 1 || !m_host->control())
        return;
    const QString name = m_properties->item(row, 0)->text();
    runCommand(QStringLiteral("set %1 %2").arg(name, m_properties->item(row, 1)->text()));
}

void HostWindow::callMethod()
{
    runCommand(QStringLiteral("call %1 %2").arg(m_methods->currentText(), m_arguments->text()));
}
