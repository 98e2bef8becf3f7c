#include "OrvelLog.h"

Q_LOGGING_CATEGORY(orvelLog, "orvel", QtWarningMsg)
