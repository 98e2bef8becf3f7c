#pragma once

#include <QLoggingCategory>

// Diagnostics of the Orvel library (category orvel): values the Tallix refuses. Silent but for
// warnings; QT_LOGGING_RULES="orvel.debug=true" shows it all.
Q_DECLARE_LOGGING_CATEGORY(orvelLog)
