#include "FMServer.h"

#include "LoginController.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ertragon {

FMServer::FMServer(LoginController &controller, QWidget *parent)
    : QDialog(parent)
    , BFIRMA(new QLineEdit(this))
    , BFIL(new QLineEdit(this))
    , BSERVERIP(new QLineEdit(this))
    , BPORT(new QLineEdit(this))
    , BNAMESPACE(new QLineEdit(this))
    , BUEdit(new QPushButton(QStringLiteral("Ändern"), this))
    , BUZurueck(new QPushButton(QStringLiteral("Zurück"), this))
    , BUDatei(new QPushButton(QStringLiteral("Durchsuchen…"), this))
    , lblLetzte(new QLabel(this))
    , BULetzte(new QPushButton(QStringLiteral("Übernehmen"), this))
    , m_controller(controller)
{
    setObjectName(QStringLiteral("FMServer"));
    setWindowTitle(QStringLiteral("KORDEX Server"));
    BFIRMA->setObjectName(QStringLiteral("BFIRMA"));
    BFIL->setObjectName(QStringLiteral("BFIL"));
    BSERVERIP->setObjectName(QStringLiteral("BSERVERIP"));
    BPORT->setObjectName(QStringLiteral("BPORT"));
    BNAMESPACE->setObjectName(QStringLiteral("BNAMESPACE"));
    BUEdit->setObjectName(QStringLiteral("BUEdit"));
    BUZurueck->setObjectName(QStringLiteral("BUZurück"));
    BUDatei->setObjectName(QStringLiteral("BUDatei"));
    lblLetzte->setObjectName(QStringLiteral("lblLetzte"));
    lblLetzte->setTextInteractionFlags(Qt::TextSelectableByMouse);
    BULetzte->setObjectName(QStringLiteral("BULetzte"));
    BULetzte->setToolTip(QStringLiteral(
        "Server und Port der letzten gelungenen Anmeldung in die Felder übernehmen"));
    BUDatei->setToolTip(QStringLiteral("Eine KORDEX-Datenbankdatei (SQLite) wählen"));
    BUEdit->setCheckable(true);
    BSERVERIP->setMinimumWidth(260);
    m_chooseStore = [this](const QString &caption, const QString &filter) {
        return QFileDialog::getOpenFileName(this, caption, BSERVERIP->text(), filter);
    };

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Firma:"), BFIRMA);
    form->addRow(QStringLiteral("Filiale:"), BFIL);
    auto *serverRow = new QHBoxLayout;
    serverRow->addWidget(BSERVERIP, 1);
    serverRow->addWidget(BUDatei);
    auto *serverLabel = new QLabel(QStringLiteral("ServerIP:"), this);
    serverLabel->setBuddy(BSERVERIP);
    form->addRow(serverLabel, serverRow);
    form->addRow(QStringLiteral("Port:"), BPORT);
    form->addRow(QStringLiteral("Namespace:"), BNAMESPACE);
    auto *lastRow = new QHBoxLayout;
    lastRow->addWidget(lblLetzte, 1);
    lastRow->addWidget(BULetzte);
    auto *lastLabel = new QLabel(QStringLiteral("Zuletzt erreicht:"), this);
    lastLabel->setBuddy(BULetzte);
    form->addRow(lastLabel, lastRow);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BUEdit);
    buttons->addWidget(BUZurueck);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(BUEdit, &QPushButton::toggled, this, &FMServer::editToggled);
    connect(BUZurueck, &QPushButton::clicked, this, &FMServer::hide);
    connect(BUDatei, &QPushButton::clicked, this, &FMServer::chooseStore);
    connect(BULetzte, &QPushButton::clicked, this, &FMServer::takeLastWorkingAddress);
    connect(&controller, &LoginController::fieldsChanged, this, &FMServer::showFields);
    showFields();
    setFieldsEnabled(false);
}

QList<QLineEdit *> FMServer::fieldList() const
{
    return { BFIRMA, BFIL, BSERVERIP, BPORT, BNAMESPACE };
}

void FMServer::setFieldsEnabled(bool enabled)
{
    for (QLineEdit *field : fieldList())
        field->setEnabled(enabled);
    BUDatei->setEnabled(enabled);
    BULetzte->setEnabled(enabled && !m_controller.lastWorkingServer().isEmpty());
}

void FMServer::showLastWorkingAddress()
{
    const QString server = m_controller.lastWorkingServer();
    const QString port = m_controller.lastWorkingPort();
    const bool isFile = server.contains(u'/') || server.endsWith(QStringLiteral(".db"));
    QString shown = server;
    if (server.isEmpty())
        shown = QStringLiteral("(noch keine Anmeldung)");
    else if (!isFile && !port.isEmpty())
        shown += QStringLiteral(" (Port ") + port + u')';
    lblLetzte->setText(shown);
}

void FMServer::takeLastWorkingAddress()
{
    BSERVERIP->setText(m_controller.lastWorkingServer());
    if (const QString port = m_controller.lastWorkingPort(); !port.isEmpty())
        BPORT->setText(port);
    fitServerField();
}

void FMServer::chooseStore()
{
    const QString path = m_chooseStore
        ? m_chooseStore(QStringLiteral("KORDEX-Datenbank wählen"),
                        QStringLiteral("KORDEX-Datenbanken (*.db);;Alle Dateien (*)"))
        : QString();
    if (path.isEmpty())
        return;
    BSERVERIP->setText(path);
    fitServerField();
}

void FMServer::fitServerField()
{
    // A store path is shown whole, up to most of the screen's width.
    BSERVERIP->setToolTip(BSERVERIP->text());
    const int wanted = BSERVERIP->fontMetrics().horizontalAdvance(BSERVERIP->text()) + 24;
    const int limit = screen() ? screen()->availableGeometry().width() * 3 / 4 : 1000;
    BSERVERIP->setMinimumWidth(qBound(260, wanted, qMax(260, limit - 200)));
    adjustSize();
}

void FMServer::showFields()
{
    // Edits in progress are not overwritten; they are saved or discarded as a whole.
    if (BUEdit->isChecked())
        return;
    const LoginFields &fields = m_controller.fields();
    const QList<QString> texts { fields.firma, fields.filiale, fields.serverIp, fields.port,
                                 fields.nameSpace };
    const QList<QLineEdit *> widgets = fieldList();
    for (qsizetype i = 0; i < widgets.size(); ++i) {
        if (widgets[i]->text() != texts[i])
            widgets[i]->setText(texts[i]);
    }
    fitServerField();
}

LoginFields FMServer::editedFields() const
{
    LoginFields fields = m_controller.fields();
    fields.firma = BFIRMA->text();
    fields.filiale = BFIL->text();
    fields.serverIp = BSERVERIP->text();
    fields.port = BPORT->text();
    fields.nameSpace = BNAMESPACE->text();
    return fields;
}

void FMServer::discardEdits()
{
    {
        const QSignalBlocker blocker(BUEdit);
        BUEdit->setChecked(false);
    }
    setFieldsEnabled(false);
    showFields();
}

void FMServer::showEvent(QShowEvent *event)
{
    // Every opening starts read-only with the toggle up; its first click asks to allow changes.
    discardEdits();
    showLastWorkingAddress();
    QDialog::showEvent(event);
}

void FMServer::hideEvent(QHideEvent *event)
{
    // "Zurück", Escape or the window's close without "Änderungen sichern?": the edits go.
    discardEdits();
    QDialog::hideEvent(event);
}

void FMServer::editToggled(bool editing)
{
    if (editing) {
        if (m_controller.askAllowChanges()) {
            setFieldsEnabled(true);
            BFIRMA->setFocus();
        } else {
            const QSignalBlocker blocker(BUEdit);
            BUEdit->setChecked(false);
        }
        return;
    }
    setFieldsEnabled(false);
    m_controller.askSaveChanges(editedFields());
    showFields();
}

void FMServer::reject()
{
    hide();
}

} // namespace ertragon
