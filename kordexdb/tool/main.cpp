#include "Tool.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QTextStream in(stdin);
    kordex::Tool tool(out, err, in);
    const int status = tool.run(app.arguments().mid(1));
    out.flush();
    err.flush();
    return status;
}
