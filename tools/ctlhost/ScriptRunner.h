#pragma once

#include <QString>
#include <QTextStream>

class ControlHost;

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
    void execute(const QString &command, const QString &rest);
    void printError(int number, const QString &text);
    // PROP or PROP(INDEX, ...): the name and the index values.
    bool splitProperty(const QString &text, QString *name, QVariantList *index);
    QString textArgument(const QString &rest) const;

    ControlHost &m_host;
    QTextStream &m_out;
};
