#include "ScriptRunner.h"

#include "ControlHost.h"
#include "ValueLiteral.h"
#include "comctl/ComControl.h"
#include "comctl/ControlLoader.h"

#include <QApplication>
#include <QClipboard>
#include <QRegularExpression>

using comctl::AutomationError;

namespace {

QString expandEnvironment(const QString &line)
{
    static const QRegularExpression variable(QStringLiteral("\\$\\{([A-Za-z_][A-Za-z0-9_]*)\\}"));
    QString result = line;
    QRegularExpressionMatch match;
    qsizetype from = 0;
    while ((match = variable.match(result, from)).hasMatch()) {
        const QString value = qEnvironmentVariable(match.captured(1).toLocal8Bit().constData());
        result.replace(match.capturedStart(), match.capturedLength(), value);
        from = match.capturedStart() + value.size();
    }
    return result;
}

QStringList words(const QString &rest)
{
    return rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// "FIRST REST...": the first word and what follows it.
std::pair<QString, QString> firstWord(const QString &text)
{
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return { text, QString() };
    return { text.left(blank), text.mid(blank + 1).trimmed() };
}

const AutomationError invalidArgument(5, QStringLiteral("Invalid procedure call or argument"));

} // namespace

ScriptRunner::ScriptRunner(ControlHost &host, QTextStream &out)
    : m_host(host)
    , m_out(out)
{
}

const QHash<QString, ScriptRunner::CommandDef> &ScriptRunner::commands()
{
    static const QHash<QString, CommandDef> table = {
        { QStringLiteral("register"), { &ScriptRunner::registerLibrary, false } },
        { QStringLiteral("unregister"), { &ScriptRunner::unregisterLibrary, false } },
        { QStringLiteral("create"), { &ScriptRunner::create, false } },
        { QStringLiteral("use"), { &ScriptRunner::use, false } },
        { QStringLiteral("mode"), { &ScriptRunner::mode, false } },
        { QStringLiteral("set"), { &ScriptRunner::set, true } },
        { QStringLiteral("get"), { &ScriptRunner::get, true } },
        { QStringLiteral("call"), { &ScriptRunner::call, true } },
        { QStringLiteral("focus"), { &ScriptRunner::focus, true } },
        { QStringLiteral("blur"), { &ScriptRunner::blur, false } },
        { QStringLiteral("tab"), { &ScriptRunner::tab, false } },
        { QStringLiteral("backtab"), { &ScriptRunner::backtab, false } },
        { QStringLiteral("type"), { &ScriptRunner::type, true } },
        { QStringLiteral("key"), { &ScriptRunner::key, true } },
        { QStringLiteral("resize"), { &ScriptRunner::resize, true } },
        { QStringLiteral("click"), { &ScriptRunner::click, false } },
        { QStringLiteral("press"), { &ScriptRunner::press, false } },
        { QStringLiteral("release"), { &ScriptRunner::release, false } },
        { QStringLiteral("dblclick"), { &ScriptRunner::dblclick, false } },
        { QStringLiteral("move"), { &ScriptRunner::move, false } },
        { QStringLiteral("wait"), { &ScriptRunner::wait, false } },
        { QStringLiteral("handler"), { &ScriptRunner::handler, true } },
        { QStringLiteral("events"), { &ScriptRunner::events, false } },
        { QStringLiteral("beeps"), { &ScriptRunner::beeps, false } },
        { QStringLiteral("save"), { &ScriptRunner::save, true } },
        { QStringLiteral("load"), { &ScriptRunner::load, true } },
        { QStringLiteral("clipboard"), { &ScriptRunner::clipboard, false } },
        { QStringLiteral("screenshot"), { &ScriptRunner::screenshot, true } },
        { QStringLiteral("pixel"), { &ScriptRunner::pixel, true } },
        { QStringLiteral("bind"), { &ScriptRunner::bind, false } },
        { QStringLiteral("row"), { &ScriptRunner::row, false } },
        { QStringLiteral("pages"), { &ScriptRunner::pages, true } },
        { QStringLiteral("page"), { &ScriptRunner::page, false } },
    };
    return table;
}

void ScriptRunner::run(QTextStream &in)
{
    while (!in.atEnd())
        runLine(in.readLine());
}

void ScriptRunner::runLine(const QString &rawLine)
{
    const QString line = expandEnvironment(rawLine).trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
        return;
    const auto [command, rest] = firstWord(line);
    execute(command, rest);
    m_out.flush();
}

void ScriptRunner::printError(int number, const QString &text)
{
    m_out << "error " << number << ": " << text << '\n';
}

void ScriptRunner::report(const AutomationError &error)
{
    if (error.isError())
        printError(error.number(), error.text());
}

bool ScriptRunner::splitProperty(const QString &text, QString *name, QVariantList *index)
{
    const qsizetype open = text.indexOf(QLatin1Char('('));
    index->clear();
    if (open < 0) {
        *name = text;
        return true;
    }
    if (!text.endsWith(QLatin1Char(')')))
        return false;
    *name = text.left(open);
    const QString inner
        = text.mid(open + 1, text.size() - open - 2).replace(QLatin1Char(','), QLatin1Char(' '));
    const auto values = ValueLiteral::parseList(inner);
    if (!values)
        return false;
    *index = *values;
    return true;
}

QString ScriptRunner::textArgument(const QString &rest) const
{
    if (rest.startsWith(QLatin1Char('"'))) {
        const auto value = ValueLiteral::parse(rest);
        if (value)
            return value->toString();
    }
    return rest;
}

void ScriptRunner::execute(const QString &command, const QString &rest)
{
    const auto it = commands().constFind(command);
    if (it == commands().constEnd()) {
        report(invalidArgument);
        return;
    }
    if (it->needsControl && !m_host.control()) {
        printError(91, QStringLiteral("Object variable or With block variable not set"));
        return;
    }
    (this->*(it->run))(rest);
}

// ---- controls ------------------------------------------------------------------------------

void ScriptRunner::registerLibrary(const QString &rest)
{
    report(comctl::ControlLoader::registerLibrary(textArgument(rest)));
}

void ScriptRunner::unregisterLibrary(const QString &rest)
{
    report(comctl::ControlLoader::unregisterLibrary(textArgument(rest)));
}

void ScriptRunner::create(const QString &rest)
{
    const QStringList w = words(rest);
    if (w.isEmpty())
        printError(450, AutomationError::standardText(450));
    else if (w.size() == 3 && w[1] == QLatin1String("as"))
        report(m_host.createNamed(w[0], w[2]));
    else
        report(m_host.create(w.value(0), w.value(1)));
}

void ScriptRunner::use(const QString &rest)
{
    report(m_host.use(rest));
}

void ScriptRunner::mode(const QString &rest)
{
    if (rest == QLatin1String("design") || rest == QLatin1String("run"))
        m_host.site().setUserMode(rest == QLatin1String("run"));
    else
        report(invalidArgument);
}

void ScriptRunner::set(const QString &rest)
{
    const auto [property, literal] = firstWord(rest);
    QString name;
    QVariantList index;
    const auto value = ValueLiteral::parse(literal);
    if (literal.isEmpty() || !splitProperty(property, &name, &index) || !value) {
        printError(13, AutomationError::standardText(13));
        return;
    }
    report(m_host.control()->put(name, *value, index).error);
}

void ScriptRunner::get(const QString &rest)
{
    QString name;
    QVariantList index;
    if (!splitProperty(rest, &name, &index)) {
        printError(13, AutomationError::standardText(13));
        return;
    }
    const comctl::DispatchResult result = m_host.control()->get(name, index);
    if (result.ok())
        m_out << rest << " = " << ValueLiteral::format(result.value) << '\n';
    else
        report(result.error);
}

void ScriptRunner::call(const QString &rest)
{
    const auto [method, literals] = firstWord(rest);
    const auto args = ValueLiteral::parseList(literals);
    if (!args) {
        printError(13, AutomationError::standardText(13));
        return;
    }
    const comctl::DispatchResult result = m_host.control()->invoke(method, *args);
    if (!result.ok())
        report(result.error);
    else if (result.value.isValid())
        m_out << "= " << ValueLiteral::format(result.value) << '\n';
}

void ScriptRunner::handler(const QString &rest)
{
    const auto [event, assignment] = firstWord(rest);
    const qsizetype equals = assignment.indexOf(QLatin1Char('='));
    const auto value = equals < 0 ? std::nullopt : ValueLiteral::parse(assignment.mid(equals + 1));
    if (!value) {
        printError(13, AutomationError::standardText(13));
        return;
    }
    report(m_host.addHandler(event, assignment.left(equals).trimmed(), *value));
}

void ScriptRunner::events(const QString &)
{
    for (const QString &event : m_host.takeEvents())
        m_out << event << '\n';
}

void ScriptRunner::beeps(const QString &)
{
    m_out << "beeps = " << m_host.site().takeBeeps() << '\n';
}

void ScriptRunner::save(const QString &rest)
{
    report(m_host.save(textArgument(rest)));
}

void ScriptRunner::load(const QString &rest)
{
    report(m_host.load(textArgument(rest)));
}

void ScriptRunner::clipboard(const QString &rest)
{
    if (rest.isEmpty())
        m_out << "clipboard = " << ValueLiteral::format(QApplication::clipboard()->text()) << '\n';
    else
        QApplication::clipboard()->setText(textArgument(rest));
}

void ScriptRunner::screenshot(const QString &rest)
{
    report(m_host.screenshot(textArgument(rest)));
}

void ScriptRunner::pixel(const QString &rest)
{
    const QStringList w = words(rest);
    bool okX = false, okY = false;
    const QPoint point(w.value(0).toInt(&okX), w.value(1).toInt(&okY));
    QColor colour;
    const AutomationError error
        = w.size() == 2 && okX && okY ? m_host.pixel(point, &colour) : invalidArgument;
    if (error.isError())
        report(error);
    else
        m_out << "pixel " << rest << " = " << colour.name() << '\n';
}

// ---- the user's input ----------------------------------------------------------------------

void ScriptRunner::focus(const QString &rest)
{
    report(m_host.focusControl(rest));
}

void ScriptRunner::blur(const QString &)
{
    m_host.blurControl();
}

void ScriptRunner::tab(const QString &)
{
    m_host.tab(true);
}

void ScriptRunner::backtab(const QString &)
{
    m_host.tab(false);
}

void ScriptRunner::type(const QString &rest)
{
    m_host.typeText(textArgument(rest));
}

void ScriptRunner::key(const QString &rest)
{
    const QStringList w = words(rest);
    const bool shift = w.contains(QStringLiteral("+shift"));
    const bool ctrl = w.contains(QStringLiteral("+ctrl"));
    if (w.isEmpty() || !m_host.pressKey(w.first(), shift, ctrl))
        report(invalidArgument);
}

void ScriptRunner::resize(const QString &rest)
{
    const QStringList w = words(rest);
    bool okWidth = false, okHeight = false;
    const int width = w.value(0).toInt(&okWidth);
    const int height = w.value(1).toInt(&okHeight);
    if (!okWidth || !okHeight || width < 0 || height < 0)
        printError(380, AutomationError::standardText(380));
    else
        m_host.resizeTwips(width, height);
}

// TARGET [left|right|middle] [+shift] [+ctrl] [+alt], TARGET being "X Y" or a name.
void ScriptRunner::mouse(const QString &command, const QString &rest)
{
    static const QHash<QString, MouseInput::Action> actions = {
        { QStringLiteral("click"), MouseInput::Action::Click },
        { QStringLiteral("press"), MouseInput::Action::Press },
        { QStringLiteral("release"), MouseInput::Action::Release },
        { QStringLiteral("dblclick"), MouseInput::Action::DoubleClick },
        { QStringLiteral("move"), MouseInput::Action::Move },
    };
    const QStringList w = words(rest);
    bool number = false;
    w.value(0).toInt(&number);
    const int targetWords = number ? 2 : 1;
    const QString target = w.mid(0, targetWords).join(QLatin1Char(' '));
    Qt::MouseButton button = Qt::LeftButton;
    Qt::KeyboardModifiers modifiers;
    bool valid = w.size() >= targetWords;
    for (const QString &option : w.mid(targetWords)) {
        if (option == QLatin1String("left"))
            button = Qt::LeftButton;
        else if (option == QLatin1String("right"))
            button = Qt::RightButton;
        else if (option == QLatin1String("middle"))
            button = Qt::MiddleButton;
        else if (option == QLatin1String("+shift"))
            modifiers |= Qt::ShiftModifier;
        else if (option == QLatin1String("+ctrl"))
            modifiers |= Qt::ControlModifier;
        else if (option == QLatin1String("+alt"))
            modifiers |= Qt::AltModifier;
        else
            valid = false;
    }
    if (!valid) {
        report(invalidArgument);
        return;
    }
    report(m_host.mouse(actions.value(command), target, button, modifiers));
}

void ScriptRunner::click(const QString &rest)
{
    mouse(QStringLiteral("click"), rest);
}

void ScriptRunner::press(const QString &rest)
{
    mouse(QStringLiteral("press"), rest);
}

void ScriptRunner::release(const QString &rest)
{
    mouse(QStringLiteral("release"), rest);
}

void ScriptRunner::dblclick(const QString &rest)
{
    mouse(QStringLiteral("dblclick"), rest);
}

void ScriptRunner::move(const QString &rest)
{
    mouse(QStringLiteral("move"), rest);
}

void ScriptRunner::wait(const QString &rest)
{
    bool ok = false;
    const int milliseconds = rest.toInt(&ok);
    if (!ok || milliseconds < 0)
        report(invalidArgument);
    else
        m_host.wait(milliseconds);
}

// ---- data source ---------------------------------------------------------------------------

void ScriptRunner::bind(const QString &rest)
{
    const QStringList w = words(rest);
    if (w.size() != 2)
        report(invalidArgument);
    else
        report(m_host.bind(w[0], w[1]));
}

// row get FIELD | row set FIELD VALUE | row update
void ScriptRunner::row(const QString &rest)
{
    const auto [verb, arguments] = firstWord(rest);
    const auto [field, literal] = firstWord(arguments);
    if (verb == QLatin1String("update") && arguments.isEmpty()) {
        m_host.updateRow();
    } else if (verb == QLatin1String("get") && !field.isEmpty() && literal.isEmpty()) {
        if (m_host.row().has(field))
            m_out << field << " = " << ValueLiteral::format(m_host.row().get(field)) << '\n';
        else
            report(AutomationError(AutomationError::ObjectDoesntSupportMember));
    } else if (verb == QLatin1String("set") && !field.isEmpty()) {
        const auto value = ValueLiteral::parse(literal);
        if (value)
            m_host.row().set(field, *value);
        else
            printError(13, AutomationError::standardText(13));
    } else {
        report(invalidArgument);
    }
}

// ---- property pages ------------------------------------------------------------------------

// pages (opens the dialog) | pages apply | pages ok | pages cancel
void ScriptRunner::pages(const QString &rest)
{
    if (!rest.isEmpty()) {
        report(m_host.pages().press(rest));
        return;
    }
    QStringList captions;
    const AutomationError error = m_host.openPages(&captions);
    if (error.isError()) {
        report(error);
        return;
    }
    QStringList shown;
    for (const QString &caption : std::as_const(captions))
        shown << ValueLiteral::format(caption);
    m_out << "pages = " << shown.join(QStringLiteral(", ")) << '\n';
}

// page NAME get FIELD | page NAME set FIELD VALUE
void ScriptRunner::page(const QString &rest)
{
    const auto [name, command] = firstWord(rest);
    const auto [verb, arguments] = firstWord(command);
    const auto [field, literal] = firstWord(arguments);
    if (verb == QLatin1String("get") && !field.isEmpty() && literal.isEmpty()) {
        QVariant value;
        const AutomationError error = m_host.pages().get(name, field, &value);
        if (error.isError())
            report(error);
        else
            m_out << field << " = " << ValueLiteral::format(value) << '\n';
    } else if (verb == QLatin1String("set") && !field.isEmpty()) {
        const auto value = ValueLiteral::parse(literal);
        if (!value) {
            printError(13, AutomationError::standardText(13));
            return;
        }
        report(
            m_host.pages().set(name, field, *value, [this](QWidget *target, const QString &text) {
                m_host.typeInto(target, text);
            }));
    } else {
        report(invalidArgument);
    }
}
