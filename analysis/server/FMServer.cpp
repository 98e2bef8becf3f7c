#include "FMServer.h"

#include "LoginController.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
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
    , BUZurück(new QPushButton(QStringLiteral("Zurück"), this))
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
    BUZurück->setObjectName(QStringLiteral("BUZurück"));
    BUEdit->setCheckable(true);
    BSERVERIP->setMinimumWidth(260);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Firma:"), BFIRMA);
    form->addRow(QStringLiteral("Filiale:"), BFIL);
    form->addRow(QStringLiteral("ServerIP:"), BSERVERIP);
    form->addRow(QStringLiteral("Port:"), BPORT);
    form->addRow(QStringLiteral("Namespace:"), BNAMESPACE);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BUEdit);
    buttons->addWidget(BUZurück);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    for (QLineEdit *field : fieldList())
        connect(field, &QLineEdit::textEdited, this, &FMServer::takeFields);
    connect(BUEdit, &QPushButton::toggled, this, &FMServer::editToggled);
    connect(BUZurück, &QPushButton::clicked, this, &FMServer::hide);
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
