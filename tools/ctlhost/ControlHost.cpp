#include "ControlHost.h"

#include "ValueLiteral.h"
#include "comctl/ComControl.h"
#include "comctl/ControlLoader.h"
#include "comctl/PropertyBag.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>
#include <algorithm>

using comctl::AutomationError;
using comctl::ComControl;

namespace {

const AutomationError noObject(91,
                               QStringLiteral("Object variable or With block variable not set"));
const AutomationError badArgument(5, QStringLiteral("Invalid procedure call or argument"));

// Where the first control of the form sits; the others line up below it.
constexpr QPoint firstPlace(0, 30);
constexpr int gap = 10;
// The time a wait advances the clock before the event loop runs again.
constexpr int waitStep = 10;

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
    const QList<Entry> entries = m_controls;
    for (const Entry &entry : entries)
        delete entry.control.data();
}

ComControl *ControlHost::control(const QString &name) const
{
    for (const Entry &entry : m_controls) {
        if (entry.control && entry.control->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return entry.control;
    }
    return nullptr;
}

ControlHost::Entry *ControlHost::entryOf(const ComControl *control)
{
    for (Entry &entry : m_controls) {
        if (entry.control == control)
            return &entry;
    }
    return nullptr;
}

ComControl *ControlHost::make(const QString &progId, const QString &name, AutomationError *error)
{
    ComControl *control = comctl::ControlLoader::create(progId, this, &m_site, error);
    if (control)
        control->setObjectName(name.isEmpty() ? control->className() + QStringLiteral("1") : name);
    return control;
}

void ControlHost::attach(ComControl *control, const QString &progId, bool named, QPoint at)
{
    m_controls.append({ control, progId, named });
    m_current = control;
    control->move(at);
    control->show();
    QPointer<ComControl> source(control);
    connect(
        control, &ComControl::eventRaised, this,
        [this, source](const QString &name, QVariantList &args) { onEvent(source, name, args); },
        Qt::DirectConnection);
    Q_EMIT controlCreated(control);
}

void ControlHost::remove(ComControl *control)
{
    m_handlers.removeIf([control](const Handler &h) { return h.control == control || !h.control; });
    m_controls.removeIf([control](const Entry &e) { return e.control == control || !e.control; });
    delete control;
}

QPoint ControlHost::freePlace() const
{
    int bottom = -1;
    for (const Entry &entry : m_controls) {
        if (entry.control)
            bottom = qMax(bottom, entry.control->geometry().bottom());
    }
    return bottom < 0 ? firstPlace : QPoint(firstPlace.x(), bottom + 1 + gap);
}

AutomationError ControlHost::create(const QString &progId, const QString &name)
{
    AutomationError error;
    ComControl *control = make(progId, name, &error);
    if (!control)
        return error;
    QPoint at = freePlace();
    if (m_current) {
        at = m_current->pos();
        remove(m_current);
    }
    attach(control, progId, false, at);
    control->initNew();
    return {};
}

AutomationError ControlHost::createNamed(const QString &progId, const QString &name)
{
    AutomationError error;
    ComControl *control = make(progId, name, &error);
    if (!control)
        return error;
    QPoint at = freePlace();
    if (ComControl *old = this->control(name)) {
        at = old->pos();
        remove(old);
    }
    attach(control, progId, true, at);
    control->initNew();
    return {};
}

AutomationError ControlHost::use(const QString &name)
{
    ComControl *named = control(name);
    if (!named)
        return noObject;
    m_current = named;
    return {};
}

AutomationError ControlHost::save(const QString &path)
{
    if (!m_current)
        return noObject;
    comctl::PropertyBag bag;
    m_current->saveProperties(bag);
    QString message;
    if (!bag.saveFile(path, &message))
        return AutomationError(75, QStringLiteral("Path/File access error: ") + message);
    return {};
}

AutomationError ControlHost::load(const QString &path)
{
    if (!m_current)
        return noObject;
    if (!QFileInfo::exists(path))
        return AutomationError(AutomationError::FileNotFound);
    comctl::PropertyBag bag;
    if (!bag.loadFile(path))
        return AutomationError(321, QStringLiteral("Invalid file format"));
    const Entry old = *entryOf(m_current);
    AutomationError error;
    ComControl *control = make(old.progId, old.control->objectName(), &error);
    if (!control)
        return error;
    const QPoint at = old.control->pos();
    remove(old.control);
    attach(control, old.progId, old.named, at);
    control->loadProperties(bag);
    return {};
}

AutomationError ControlHost::screenshot(const QString &path)
{
    if (!m_current)
        return noObject;
    QRect area(m_current->mapToGlobal(QPoint(0, 0)), m_current->size());
    const QList<QWidget *> popups = m_current->openPopups();
    for (QWidget *popup : popups)
        area |= popup->frameGeometry();
    QImage image(area.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawPixmap(m_current->mapToGlobal(QPoint(0, 0)) - area.topLeft(), m_current->grab());
    for (QWidget *popup : popups)
        painter.drawPixmap(popup->frameGeometry().topLeft() - area.topLeft(), popup->grab());
    painter.end();
    if (!image.save(path, "PNG"))
        return AutomationError(75, QStringLiteral("Path/File access error"));
    return {};
}

AutomationError ControlHost::pixel(QPoint point, QColor *colour)
{
    if (!m_current)
        return noObject;
    const QImage image = m_current->grab().toImage();
    if (!image.rect().contains(point))
        return badArgument;
    *colour = image.pixelColor(point);
    return {};
}

AutomationError ControlHost::focusControl(const QString &name)
{
    ComControl *target = name.isEmpty() ? m_current.data() : control(name);
    if (!target)
        return name.isEmpty() ? AutomationError() : noObject;
    activateWindow();
    target->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    return {};
}

void ControlHost::blurControl()
{
    m_focusSink->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
}

void ControlHost::tab(bool forward)
{
    focusNextPrevChild(forward);
    QApplication::processEvents();
}

void ControlHost::sendKey(int key, Qt::KeyboardModifiers modifiers, const QString &text,
                          QWidget *target)
{
    if (!target)
        target = QApplication::focusWidget();
    if (!target && m_current)
        target = m_current->focusProxy() ? m_current->focusProxy() : m_current.data();
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
    typeInto(nullptr, text);
}

void ControlHost::typeInto(QWidget *target, const QString &text)
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
        sendKey(key, modifiers, QString(c), target);
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
    if (!m_current)
        return;
    const double perPixel = m_site.twipsPerPixel();
    m_current->resize(qRound(width / perPixel), qRound(height / perPixel));
    QApplication::processEvents();
}

// A spot of the form that no control, no field and no open popup covers.
QPoint ControlHost::outsidePoint() const
{
    QList<QRect> popups;
    for (const Entry &entry : m_controls) {
        if (!entry.control)
            continue;
        for (const QWidget *popup : entry.control->openPopups())
            popups << popup->frameGeometry();
    }
    for (int y = height() - 2; y > 0; y -= 4) {
        for (int x = width() - 2; x > 0; x -= 4) {
            const QPoint p(x, y);
            const QPoint global = mapToGlobal(p);
            if (!childAt(p)
                && std::none_of(popups.cbegin(), popups.cend(),
                                [global](const QRect &r) { return r.contains(global); }))
                return p;
        }
    }
    return { width() - 1, height() - 1 };
}

AutomationError ControlHost::mouse(MouseInput::Action action, const QString &target,
                                   Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    QWidget *widget = nullptr;
    QPoint point;
    const QStringList xy = target.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    bool okX = false, okY = false;
    if (xy.size() == 2)
        point = QPoint(xy[0].toInt(&okX), xy[1].toInt(&okY));
    if (target == QLatin1String("outside")) {
        widget = this;
        point = outsidePoint();
    } else if (okX && okY) {
        widget = m_current;
        if (!widget)
            return noObject;
    } else if (m_current) {
        widget = m_current->partAt(target, &point);
    }
    if (!widget || !MouseInput::send(action, widget, point, button, modifiers))
        return badArgument;
    return {};
}

void ControlHost::wait(int milliseconds)
{
    for (int passed = 0; passed < milliseconds; passed += waitStep) {
        const int step = qMin(waitStep, milliseconds - passed);
        m_site.advanceClock(step);
        QEventLoop loop;
        QTimer::singleShot(step, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

AutomationError ControlHost::bind(const QString &name, const QString &field)
{
    ComControl *target = control(name);
    if (!target)
        return noObject;
    m_row.column(field);
    const comctl::DispatchResult source
        = target->put(QStringLiteral("DataSource"), QVariant::fromValue<QObject *>(m_row.model()));
    if (!source.ok())
        return source.error;
    return target->put(QStringLiteral("DataField"), field).error;
}

void ControlHost::updateRow()
{
    const QList<Entry> entries = m_controls;
    for (const Entry &entry : entries) {
        if (entry.control)
            entry.control->writeBoundData();
    }
    QApplication::processEvents();
}

AutomationError ControlHost::openPages(QStringList *captions)
{
    if (!m_current)
        return noObject;
    return m_pages.open(m_current, this, captions);
}

AutomationError ControlHost::addHandler(const QString &event, const QString &arg,
                                        const QVariant &value)
{
    if (!m_current)
        return noObject;
    const comctl::MemberInfo *info
        = m_current->memberTable().find(event, comctl::MemberInfo::Kind::Event);
    if (!info)
        return AutomationError(AutomationError::ObjectDoesntSupportMember);
    for (int i = 0; i < info->params.size(); ++i) {
        if (info->params[i].name.compare(arg, Qt::CaseInsensitive) == 0) {
            m_handlers.append({ m_current, info->name, i, value });
            return {};
        }
    }
    return AutomationError(448, QStringLiteral("Named argument not found"));
}

void ControlHost::onEvent(ComControl *control, const QString &name, QVariantList &args)
{
    QStringList shown;
    for (const QVariant &arg : std::as_const(args))
        shown << ValueLiteral::format(arg);
    QString line = shown.isEmpty()
        ? name
        : name + QLatin1Char('(') + shown.join(QStringLiteral(", ")) + QLatin1Char(')');
    const Entry *entry = entryOf(control);
    if (entry && entry->named)
        line = control->objectName() + QStringLiteral(": ") + line;
    m_events << line;
    Q_EMIT eventLogged(line);
    for (const Handler &handler : std::as_const(m_handlers)) {
        if (handler.control == control && handler.event.compare(name, Qt::CaseInsensitive) == 0
            && handler.argIndex < args.size())
            args[handler.argIndex] = handler.value;
    }
}

QStringList ControlHost::takeEvents()
{
    QStringList events = m_events;
    m_events.clear();
    return events;
}
