#include "FMPass.h"

#include "LoginController.h"
#include "SelectAllText.h"
#include "TextHelpers.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace ertragon {

FMPass::FMPass(LoginController &controller, QWidget *parent)
    : QDialog(parent)
    , BUSER(new QLineEdit(this))
    , BPASSWORT(new QLineEdit(this))
    , BUSpeich(new QPushButton(QStringLiteral("Anmelden"), this))
    , BUAusst(new QPushButton(QStringLiteral("Abbruch"), this))
    , BUServer(new QPushButton(QStringLiteral("Server"), this))
    , m_controller(controller)
{
    setObjectName(QStringLiteral("FMPass"));
    setWindowTitle(QStringLiteral("KORDEX Benutzeranmeldung"));
    BUSER->setObjectName(QStringLiteral("BUSER"));
    BPASSWORT->setObjectName(QStringLiteral("BPASSWORT"));
    BPASSWORT->setEchoMode(QLineEdit::Password);
    BUSpeich->setObjectName(QStringLiteral("BUSpeich"));
    BUAusst->setObjectName(QStringLiteral("BUAusst"));
    BUServer->setObjectName(QStringLiteral("BUServer"));
    BUSpeich->setDefault(true);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("User(WWS Personalcode):"), BUSER);
    form->addRow(QStringLiteral("Passwort:"), BPASSWORT);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BUSpeich);
    buttons->addWidget(BUAusst);
    buttons->addWidget(BUServer);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    setTabOrder(BPASSWORT, BUSER);
    setTabOrder(BUSER, BUSpeich);
    setTabOrder(BUSpeich, BUAusst);
    setTabOrder(BUAusst, BUServer);

    BUSER->installEventFilter(this);
    BPASSWORT->installEventFilter(this);
    connect(BUSER, &QLineEdit::textEdited, this, &FMPass::takeFields);
    connect(BPASSWORT, &QLineEdit::textEdited, this, &FMPass::takeFields);
    connect(BUSpeich, &QPushButton::clicked, this, &FMPass::anmelden);
    connect(BUAusst, &QPushButton::clicked, this, &FMPass::abbruch);
    connect(BUServer, &QPushButton::clicked, this, [this] {
        if (m_showServer)
            m_showServer();
    });
    connect(&controller, &LoginController::fieldsChanged, this, &FMPass::showFields);
    showFields();
}

void FMPass::showFields()
{
    const LoginFields &fields = m_controller.fields();
    if (BUSER->text() != fields.user)
        BUSER->setText(fields.user);
    if (BPASSWORT->text() != fields.password)
        BPASSWORT->setText(fields.password);
}

void FMPass::takeFields()
{
    LoginFields fields = m_controller.fields();
    fields.user = BUSER->text();
    fields.password = BPASSWORT->text();
    m_controller.setFields(fields);
}

void FMPass::focusPassword()
{
    if (isVisible())
        BPASSWORT->setFocus(Qt::ActiveWindowFocusReason);
}

bool FMPass::eventFilter(QObject *watched, QEvent *event)
{
    auto *field = qobject_cast<QLineEdit *>(watched);
    if (field && event->type() == QEvent::FocusIn) {
        // After the line edit's own focus handling, which may move the cursor.
        QTimer::singleShot(0, field, [field] { TextHelpers::SelectAllText(field, true); });
    } else if (watched == BUSER && event->type() == QEvent::FocusOut) {
        const QString upper = TextHelpers::UpperCase(BUSER->text());
        if (upper != BUSER->text()) {
            BUSER->setText(upper);
            takeFields();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FMPass::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    showFields();
    focusPassword();
}

bool FMPass::event(QEvent *event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate)
        focusPassword();
    return handled;
}

void FMPass::runModal()
{
    m_runningModal = true;
    exec();
    m_runningModal = false;
}

void FMPass::anmelden()
{
    // A field being edited hands over its text first (BUSER is upper-cased when left).
    BUSER->setText(TextHelpers::UpperCase(BUSER->text()));
    takeFields();
    const bool relogin = m_mainWindow && m_mainWindow->isVisible() && !m_runningModal;
    const QString caption = m_controller.Anmelden(relogin);
    if (!caption.isEmpty() && m_mainWindow)
        m_mainWindow->setWindowTitle(caption);
    QCoreApplication::processEvents();
    hide();
}

void FMPass::abbruch()
{
    m_controller.Abbruch();
    hide();
}

void FMPass::reject()
{
    // Closing the dialog that the start-up waits for is the same as "Abbruch";
    // closed while the program runs, it is only hidden.
    if (m_runningModal)
        abbruch();
    else
        hide();
}

} // namespace ertragon
