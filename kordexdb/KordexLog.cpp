#include "KordexLog.h"

Q_LOGGING_CATEGORY(kordexSqlLog, "kordex.sql", QtWarningMsg)
