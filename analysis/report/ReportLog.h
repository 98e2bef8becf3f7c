#pragma once

#include <QLoggingCategory>

// The report's output (category ertragon.report): the files written. Silent but for warnings;
// QT_LOGGING_RULES="ertragon.report.debug=true" shows it all.
Q_DECLARE_LOGGING_CATEGORY(reportLog)
