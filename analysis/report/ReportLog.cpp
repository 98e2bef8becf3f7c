#include "ReportLog.h"

Q_LOGGING_CATEGORY(reportLog, "ertragon.report", QtWarningMsg)
