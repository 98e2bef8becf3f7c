#include "QuietMessages.h"

#include <QtGlobal>

namespace ertragon::report {

namespace {

QtMessageHandler qtHandler = nullptr;

void keepErrors(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        qtHandler(type, context, message);
}

} // namespace

void QuietMessages::install()
{
    qtHandler = qInstallMessageHandler(keepErrors);
}

} // namespace ertragon::report
