#include "ServerLog.h"

Q_LOGGING_CATEGORY(serverLog, "ertragon.server", QtWarningMsg)
