#pragma once

#include <QHash>
#include <QString>
#include <QTextStream>

class ControlHost;

namespace comctl {
class AutomationError;
}

// Runs the command language of the test container, one command a line; blank lines and lines
// starting with "#" are skipped, ${NAME} is replaced by the environment variable NAME.
// Errors print "error NUMBER: TEXT" and the script goes on.
class ScriptRunner
{
public:
    ScriptRunner(ControlHost &host, QTextStream &out);

    void runLine(const QString &line);
    void run(QTextStream &in);

private:
    using Command = void (ScriptRunner::*)(const QString &rest);
    struct CommandDef
    {
        Command run;
        bool needsControl;
    };
    static const QHash<QString, CommandDef> &commands();

    void execute(const QString &command, const QString &rest);
    void printError(int number, const QString &text);
    void report(const comctl::AutomationError &error);
    // PROP or PROP(INDEX, ...): the name and the index values.
    bool splitProperty(const QString &text, QString *name, QVariantList *index);
    QString textArgument(const QString &rest) const;

    // The commands, one function each (rest: the words after the command).
    void registerLibrary(const QString &rest);
    void unregisterLibrary(const QString &rest);
    void create(const QString &rest);
    void use(const QString &rest);
    void mode(const QString &rest);
    void set(const QString &rest);
    void get(const QString &rest);
    void call(const QString &rest);
    void focus(const QString &rest);
    void blur(const QString &rest);
    void tab(const QString &rest);
    void backtab(const QString &rest);
    void type(const QString &rest);
    void key(const QString &rest);
    void resize(const QString &rest);
    void mouse(const QString &command, const QString &rest);
    void click(const QString &rest);
    void press(const QString &rest);
    void release(const QString &rest);
    void dblclick(const QString &rest);
    void move(const QString &rest);
    void wait(const QString &rest);
    void handler(const QString &rest);
    void events(const QString &rest);
    void beeps(const QString &rest);
    void save(const QString &rest);
    void load(const QString &rest);
    void clipboard(const QString &rest);
    void screenshot(const QString &rest);
    void pixel(const QString &rest);
    void bind(const QString &rest);
    void row(const QString &rest);
    void pages(const QString &rest);
    void page(const QString &rest);

    ControlHost &m_host;
    QTextStream &m_out;
};
