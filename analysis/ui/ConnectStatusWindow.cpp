#include "ConnectStatusWindow.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace ertragon {

ConnectStatusWindow::ConnectStatusWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
    , m_text(new QLabel(this))
{
    setObjectName(QStringLiteral("ConnectStatus"));
    setWindowTitle(QStringLiteral("Verbindung zum Server"));
    m_text->setObjectName(QStringLiteral("lblStatus"));
    m_text->setWordWrap(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_text->setMinimumWidth(420);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addWidget(m_text);
}

void ConnectStatusWindow::setStatus(const QString &text)
{
    m_text->setText(text);
    adjustSize();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString ConnectStatusWindow::status() const
{
    return m_text->text();
}

} // namespace ertragon
