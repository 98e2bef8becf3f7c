#include "frmNeueDaten.h"

#include "DataRebuild.h"
#include "Prompter.h"

#include <QApplication>
#include <QEventLoop>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace ertragon {

frmNeueDaten::frmNeueDaten(DataRebuild &rebuild, Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_rebuild(rebuild)
    , m_prompter(prompter)
    , lblDatenAnzeige(new QLabel(this))
    , edtVon(new QLineEdit(this))
    , edtBis(new QLineEdit(this))
{
    setObjectName(QStringLiteral("frmNeueDaten"));
    setWindowTitle(QStringLiteral("Neu aufzubauende Daten"));
    lblDatenAnzeige->setObjectName(QStringLiteral("lblDatenAnzeige"));
    edtVon->setObjectName(QStringLiteral("edtVon"));
    edtBis->setObjectName(QStringLiteral("edtBis"));
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Von:"), edtVon);
    form->addRow(QStringLiteral("Bis:"), edtBis);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblDatenAnzeige);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &frmNeueDaten::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmNeueDaten::runBesideBusyIndicator(const std::function<void()> &call)
{
    // The server works on its own thread while this one keeps the windows painting;
    // the modal indicator keeps the user from starting other server work meanwhile.
    const QString text = QStringLiteral("Daten werden neu aufgebaut: Periode %1 bis %2")
                             .arg(edtVon->text().trimmed(), edtBis->text().trimmed());
    QProgressDialog progress(text, QString(), 0, 0, this);
    progress.setObjectName(QStringLiteral("RebuildProgress"));
    progress.setWindowTitle(windowTitle());
    progress.setCancelButton(nullptr);
    progress.setWindowModality(Qt::WindowModal);
    // Without progress values the dialog never shows by itself: show it now.
    progress.show();

    int seconds = 0;
    QTimer tick;
    tick.setInterval(1000);
    connect(&tick, &QTimer::timeout, &progress,
            [&] { progress.setLabelText(text + QStringLiteral("\n%1 s").arg(++seconds)); });
    QEventLoop loop;
    std::unique_ptr<QThread> worker(QThread::create(call));
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    tick.start();
    loop.exec();
    worker->wait();
}

void frmNeueDaten::prepare()
{
    const DataRebuild::Opening opening = m_rebuild.open();
    if (opening.label)
        lblDatenAnzeige->setText(*opening.label);
    edtVon->setText(opening.from);
    edtBis->setText(opening.to);
}

void frmNeueDaten::okClicked()
{
    const QString from = edtVon->text().trimmed();
    const QString to = edtBis->text().trimmed();
    const QString problem = DataRebuild::check(from, to);
    if (!problem.isEmpty()) {
        m_prompter.inform(Prompter::Icon::Warning, windowTitle(), problem);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool done = m_rebuild.rebuild(
        from, to, [this](const std::function<void()> &call) { runBesideBusyIndicator(call); });
    QApplication::restoreOverrideCursor();
    if (!done)
        return;
    hide();
    m_prompter.inform(Prompter::Icon::None, QStringLiteral("Daten holen"),
                      DataRebuild::doneMessage(from, to));
    accept();
}

} // namespace ertragon
