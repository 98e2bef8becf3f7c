#include "ControlHost.h"

#include "ValueLiteral.h"
#include "comctl/ComControl.h"
#include "comctl/ControlLoader.h"
#include "comctl/PropertyBag.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

using comctl::AutomationError;
using comctl::ComControl;

namespace {

const AutomationError noObject(91,
                               QStringLiteral("Object variable or With block variable not set"));

} // namespace

ControlHost::ControlHost(QWidget *parent)
    : QWidget(parent)
    , m_focusSink(new QLineEdit(this))
{
    setObjectName(QStringLiteral("Form1"));
    m_focusSink->setObjectName(QStringLiteral("Text1"));
    m_focusSink->setGeometry(0, 0, 120, 22);
    resize(400, 200);
}

ControlHost::~ControlHost()
{
    delete m_control.data();
}

void ControlHost::attach(ComControl *control, const QString &progId)
{
    delete m_control.data();
    m_control = control;
    m_progId = progId;
    m_handlers.clear();
    control->move(0, 30);
    control->show();
    connect(control, &ComControl::eventRaised, this, &ControlHost::onEvent, Qt::DirectConnection);
    Q_EMIT controlCreated(control);
}

AutomationError ControlHost::create(const QString &progId, const QString &name)
{
    AutomationError error;
    ComControl *control = comctl::ControlLoader::create(progId, this, &m_site, &error);
    if (!control)
        return error;
    control->setObjectName(name.isEmpty() ? control->className() + QStringLiteral("1") : name);
    attach(control, progId);
    control->initNew();
    return {};
}

AutomationError ControlHost::save(const QString &path)
{
    if (!m_control)
        return noObject;
    comctl::PropertyBag bag;
    m_control->saveProperties(bag);
    QString message;
    if (!bag.saveFile(path, &message))
        return AutomationError(75, QStringLiteral("Path/File access error: ") + message);
    return {};
}

AutomationError ControlHost::load(const QString &path)
{
    if (!m_control)
        return noObject;
    if (!QFileInfo::exists(path))
        return AutomationError(AutomationError::FileNotFound);
    comctl::PropertyBag bag;
    if (!bag.loadFile(path))
        return AutomationError(321, QStringLiteral("Invalid file format"));
    const QString name = m_control->objectName();
    const QString progId = m_progId;
    AutomationError error;
    ComControl *control = comctl::ControlLoader::create(progId, this, &m_site, &error);
    if (!control)
        return error;
    control->setObjectName(name);
    attach(control, progId);
    control->loadProperties(bag);
    return {};
}

AutomationError ControlHost::screenshot(const QString &path)
{
    if (!m_control)
        return noObject;
    QRect area(m_control->mapToGlobal(QPoint(0, 0)), m_control->size());
    const QList<QWidget *> popups = m_control->openPopups();
    for (QWidget *popup : popups)
        area |= popup->frameGeometry();
    QImage image(area.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawPixmap(m_control->mapToGlobal(QPoint(0, 0)) - area.topLeft(), m_control->grab());
    for (QWidget *popup : popups)
        painter.drawPixmap(popup->frameGeometry().topLeft() - area.topLeft(), popup->grab());
    painter.end();
    if (!image.save(path, "PNG"))
        return AutomationError(75, QStringLiteral("Path/File access error"));
    return {};
}

void ControlHost::focusControl()
{
    if (!m_control)
        return;
    activateWindow();
    m_control->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
}

void ControlHost::blurControl()
{
    m_focusSink->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
}

void ControlHost::sendKey(int key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    QWidget *target = QApplication::focusWidget();
    if (!target && m_control)
        target = m_control->focusProxy() ? m_control->focusProxy() : m_control.data();
    if (!target)
        return;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QWidget *after = QApplication::focusWidget() ? QApplication::focusWidget() : target;
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(after, &release);
    QApplication::processEvents();
}

void ControlHost::typeText(const QString &text)
{
    for (QChar c : text) {
        int key = Qt::Key_unknown;
        const QChar upper = c.toUpper();
        if (upper >= QLatin1Char('A') && upper <= QLatin1Char('Z'))
            key = Qt::Key_A + (upper.unicode() - 'A');
        else if (c.isDigit() && c.unicode() < 128)
            key = Qt::Key_0 + (c.unicode() - '0');
        else if (c.unicode() < 256)
            key = upper.unicode(); // Qt's key codes are the Latin-1 codes of the unshifted keys
        const Qt::KeyboardModifiers modifiers = c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier;
        sendKey(key, modifiers, QString(c));
    }
}

bool ControlHost::pressKey(const QString &name, bool shift, bool ctrl)
{
    static const QHash<QString, QPair<int, QString>> keys {
        { QStringLiteral("Backspace"), { Qt::Key_Backspace, QStringLiteral("\b") } },
        { QStringLiteral("Delete"), { Qt::Key_Delete, QStringLiteral("\x7f") } },
        { QStringLiteral("Enter"), { Qt::Key_Return, QStringLiteral("\r") } },
        { QStringLiteral("Escape"), { Qt::Key_Escape, QStringLiteral("\x1b") } },
        { QStringLiteral("Tab"), { Qt::Key_Tab, QStringLiteral("\t") } },
        { QStringLiteral("Home"), { Qt::Key_Home, QString() } },
        { QStringLiteral("End"), { Qt::Key_End, QString() } },
        { QStringLiteral("Left"), { Qt::Key_Left, QString() } },
        { QStringLiteral("Right"), { Qt::Key_Right, QString() } },
        { QStringLiteral("Up"), { Qt::Key_Up, QString() } },
        { QStringLiteral("Down"), { Qt::Key_Down, QString() } },
        { QStringLiteral("Insert"), { Qt::Key_Insert, QString() } },
        { QStringLiteral("F4"), { Qt::Key_F4, QString() } },
        { QStringLiteral("NumPlus"), { Qt::Key_Plus, QStringLiteral("+") } },
        { QStringLiteral("NumMinus"), { Qt::Key_Minus, QStringLiteral("-") } },
    };
    Qt::KeyboardModifiers modifiers;
    if (shift)
        modifiers |= Qt::ShiftModifier;
    if (ctrl)
        modifiers |= Qt::ControlModifier;
    if (name == QLatin1String("Tab") && shift) {
        sendKey(Qt::Key_Backtab, modifiers, QStringLiteral("\t"));
        return true;
    }
    const auto it = keys.constFind(name);
    if (it != keys.constEnd()) {
        if (name.startsWith(QLatin1String("Num")))
            modifiers |= Qt::KeypadModifier;
        sendKey(it->first, modifiers, it->second);
        return true;
    }
    if (name.size() == 1 && name[0].isLetter() && name[0].unicode() < 128) {
        const QChar upper = name[0].toUpper();
        const int key = Qt::Key_A + (upper.unicode() - 'A');
        const QString text = ctrl ? QString(QChar(upper.unicode() - 'A' + 1))
                                  : (shift ? QString(upper) : name.toLower());
        sendKey(key, modifiers, text);
        return true;
    }
    return false;
}

void ControlHost::resizeTwips(int width, int height)
{
    if (!m_control)
        return;
    const double perPixel = m_site.twipsPerPixel();
    m_control->resize(qRound(width / perPixel), qRound(height / perPixel));
    QApplication::processEvents();
}

AutomationError ControlHost::addHandler(const QString &event, const QString &arg,
                                        const QVariant &value)
{
    if (!m_control)
        return noObject;
    const comctl::MemberInfo *info
        = m_control->memberTable().find(event, comctl::MemberInfo::Kind::Event);
    if (!info)
        return AutomationError(AutomationError::ObjectDoesntSupportMember);
    for (int i = 0; i < info->params.size(); ++i) {
        if (info->params[i].name.compare(arg, Qt::CaseInsensitive) == 0) {
            m_handlers.append({ info->name, i, value });
            return {};
        }
    }
    return AutomationError(448, QStringLiteral("Named argument not found"));
}

void ControlHost::onEvent(const QString &name, QVariantList &args)
{
    QStringList shown;
    for (const QVariant &arg : std::as_const(args))
        shown << ValueLiteral::format(arg);
    const QString line = shown.isEmpty()
        ? name
        : name + QLatin1Char('(') + shown.join(QStringLiteral(", ")) + QLatin1Char(')');
    m_events << line;
    Q_EMIT eventLogged(line);
    for (const Handler &handler : std::as_const(m_handlers)) {
        if (handler.event.compare(name, Qt::CaseInsensitive) == 0 && handler.argIndex < args.size())
            args[handler.argIndex] = handler.value;
    }
}

QStringList ControlHost::takeEvents()
{
    QStringList events = m_events;
    m_events.clear();
    return events;
}
