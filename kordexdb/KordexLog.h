#pragma once

#include <QLoggingCategory>

// The SQL the KORDEX store sends to SQLite or PostgreSQL (category kordex.sql). Silent but for
// warnings; QT_LOGGING_RULES="kordex.sql.debug=true" shows it all.
Q_DECLARE_LOGGING_CATEGORY(kordexSqlLog)
