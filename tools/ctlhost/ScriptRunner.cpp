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

} // namespace

ScriptRunner::ScriptRunner(ControlHost &host, QTextStream &out)
    : m_host(host)
    , m_out(out)
{
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
    const qsizetype blank = line.indexOf(QLatin1Char(' '));
    const QString command = blank < 0 ? line : line.left(blank);
    const QString rest = blank < 0 ? QString() : line.mid(blank + 1).trimmed();
    execute(command, rest);
    m_out.flush();
}

void ScriptRunner::printError(int number, const QString &text)
{
    m_out << "error " << number << ": " << text << '\n';
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
    const auto report = [this](const AutomationError &error) {
        if (error.isError())
            printError(error.number(), error.text());
    };
    const bool needsControl = command != QLatin1String("register")
        && command != QLatin1String("unregister") && command != QLatin1String("create")
        && command != QLatin1String("mode") && command != QLatin1String("clipboard")
        && command != QLatin1String("beeps") && command != QLatin1String("events")
        && command != QLatin1String("blur");
    if (needsControl && !m_host.control()) {
        printError(91, QStringLiteral("Object variable or With block variable not set"));
        return;
    }
    comctl::ComControl *control = m_host.control();

    if (command == QLatin1String("register")) {
        report(comctl::ControlLoader::registerLibrary(textArgument(rest)));
    } else if (command == QLatin1String("unregister")) {
        report(comctl::ControlLoader::unregisterLibrary(textArgument(rest)));
    } else if (command == QLatin1String("create")) {
        const QStringList words = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty())
            printError(450, AutomationError::standardText(450));
        else
            report(m_host.create(words.value(0), words.value(1)));
    } else if (command == QLatin1String("mode")) {
        if (rest == QLatin1String("design") || rest == QLatin1String("run"))
            m_host.site().setUserMode(rest == QLatin1String("run"));
        else
            printError(5, QStringLiteral("Invalid procedure call or argument"));
    } else if (command == QLatin1String("set")) {
        const qsizetype blank = rest.indexOf(QLatin1Char(' '));
        QString name;
        QVariantList index;
        const auto value = ValueLiteral::parse(blank < 0 ? QString() : rest.mid(blank + 1));
        if (blank < 0 || !splitProperty(rest.left(blank), &name, &index) || !value) {
            printError(13, AutomationError::standardText(13));
            return;
        }
        report(control->put(name, *value, index).error);
    } else if (command == QLatin1String("get")) {
        QString name;
        QVariantList index;
        if (!splitProperty(rest, &name, &index)) {
            printError(13, AutomationError::standardText(13));
            return;
        }
        const comctl::DispatchResult result = control->get(name, index);
        if (result.ok())
            m_out << rest << " = " << ValueLiteral::format(result.value) << '\n';
        else
            report(result.error);
    } else if (command == QLatin1String("call")) {
        const qsizetype blank = rest.indexOf(QLatin1Char(' '));
        const QString method = blank < 0 ? rest : rest.left(blank);
        const auto args = ValueLiteral::parseList(blank < 0 ? QString() : rest.mid(blank + 1));
        if (!args) {
            printError(13, AutomationError::standardText(13));
            return;
        }
        const comctl::DispatchResult result = control->invoke(method, *args);
        if (!result.ok())
            report(result.error);
        else if (result.value.isValid())
            m_out << "= " << ValueLiteral::format(result.value) << '\n';
    } else if (command == QLatin1String("focus")) {
        m_host.focusControl();
    } else if (command == QLatin1String("blur")) {
        m_host.blurControl();
    } else if (command == QLatin1String("type")) {
        m_host.typeText(textArgument(rest));
    } else if (command == QLatin1String("key")) {
        const QStringList words = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const bool shift = words.contains(QStringLiteral("+shift"));
        const bool ctrl = words.contains(QStringLiteral("+ctrl"));
        if (words.isEmpty() || !m_host.pressKey(words.first(), shift, ctrl))
            printError(5, QStringLiteral("Invalid procedure call or argument"));
    } else if (command == QLatin1String("resize")) {
        const QStringList words = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool okWidth = false, okHeight = false;
        const int width = words.value(0).toInt(&okWidth);
        const int height = words.value(1).toInt(&okHeight);
        if (!okWidth || !okHeight || width < 0 || height < 0)
            printError(380, AutomationError::standardText(380));
        else
            m_host.resizeTwips(width, height);
    } else if (command == QLatin1String("handler")) {
        const qsizetype blank = rest.indexOf(QLatin1Char(' '));
        const QString assignment = blank < 0 ? QString() : rest.mid(blank + 1);
        const qsizetype equals = assignment.indexOf(QLatin1Char('='));
        const auto value
            = equals < 0 ? std::nullopt : ValueLiteral::parse(assignment.mid(equals + 1));
        if (!value) {
            printError(13, AutomationError::standardText(13));
            return;
        }
        report(m_host.addHandler(rest.left(blank), assignment.left(equals).trimmed(), *value));
    } else if (command == QLatin1String("events")) {
        for (const QString &event : m_host.takeEvents())
            m_out << event << '\n';
    } else if (command == QLatin1String("beeps")) {
        m_out << "beeps = " << m_host.site().takeBeeps() << '\n';
    } else if (command == QLatin1String("save")) {
        report(m_host.save(textArgument(rest)));
    } else if (command == QLatin1String("load")) {
        report(m_host.load(textArgument(rest)));
    } else if (command == QLatin1String("clipboard")) {
        if (rest.isEmpty())
            m_out << "clipboard = " << ValueLiteral::format(QApplication::clipboard()->text())
                  << '\n';
        else
            QApplication::clipboard()->setText(textArgument(rest));
    } else if (command == QLatin1String("screenshot")) {
        report(m_host.screenshot(textArgument(rest)));
    } else {
        printError(5, QStringLiteral("Invalid procedure call or argument"));
    }
}
