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
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BUEdit);
    buttons->addWidget(BUZurueck);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    for (QLineEdit *field : fieldList())
        connect(field, &QLineEdit::textEdited, this, &FMServer::takeFields);
    connect(BUEdit, &QPushButton::toggled, this, &FMServer::editToggled);
    connect(BUZurueck, &QPushButton::clicked, this, &FMServer::hide);
    connect(BUDatei, &QPushButton::clicked, this, &FMServer::chooseStore);
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
    takeFields();
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

void FMServer::takeFields()
{
    LoginFields fields = m_controller.fields();
    fields.firma = BFIRMA->text();
    fields.filiale = BFIL->text();
    fields.serverIp = BSERVERIP->text();
    fields.port = BPORT->text();
    fields.nameSpace = BNAMESPACE->text();
    m_controller.setFields(fields);
}

void FMServer::showEvent(QShowEvent *event)
{
    // Every opening starts read-only with the toggle up; its first click asks to allow changes.
    {
        const QSignalBlocker blocker(BUEdit);
        BUEdit->setChecked(false);
    }
    setFieldsEnabled(false);
    showFields();
    QDialog::showEvent(event);
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
    m_controller.askSaveChanges();
}

void FMServer::reject()
{
    hide();
}

} // namespace ertragon
