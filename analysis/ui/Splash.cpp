#include "Splash.h"

#include "StartUp.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QStatusBar>
#include <QVBoxLayout>

namespace ertragon {

Splash::Splash(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
    , m_status(new QStatusBar(this))
{
    setObjectName(QStringLiteral("Splash"));
    setWindowTitle(QStringLiteral("Bitte warten..."));
    auto *picture = new QLabel(QStringLiteral("Ertragon"), this);
    picture->setObjectName(QStringLiteral("picture"));
    picture->setAlignment(Qt::AlignCenter);
    QFont font = picture->font();
    font.setPointSize(28);
    font.setBold(true);
    picture->setFont(font);
    picture->setMinimumSize(360, 160);
    m_status->setSizeGripEnabled(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picture, 1);
    layout->addWidget(m_status);
}

void Splash::setStatus(const QString &text)
{
    m_status->showMessage(text);
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString Splash::status() const
{
    return m_status->currentMessage();
}

void Splash::followStartUp(const StartUp &steps, QObject *owner)
{
    auto shown = std::make_shared<QPointer<Splash>>();
    connect(&steps, &StartUp::splashWanted, owner, [shown] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (!*shown)
            *shown = new Splash;
        (*shown)->show();
        (*shown)->repaint();
    });
    connect(&steps, &StartUp::statusChanged, owner, [shown](const QString &text) {
        if (*shown)
            (*shown)->setStatus(text);
    });
    connect(&steps, &StartUp::splashDone, owner, [shown] {
        if (*shown)
            (*shown)->deleteLater();
    });
    connect(owner, &QObject::destroyed, [shown] { delete shown->data(); });
}

} // namespace ertragon
