#include "InkoraLog.h"

Q_LOGGING_CATEGORY(inkoraLog, "inkora", QtWarningMsg)
