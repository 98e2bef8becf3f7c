#pragma once

#include <QLoggingCategory>

// The program's server calls (category ertragon.server): connecting and the commands sent. Silent
// but for warnings; QT_LOGGING_RULES="ertragon.server.debug=true" shows it all.
Q_DECLARE_LOGGING_CATEGORY(serverLog)
