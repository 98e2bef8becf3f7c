#pragma once

#include <QLoggingCategory>

// Diagnostics of the Inkora library (category inkora): the spell checker's dictionary. Silent but
// for warnings; QT_LOGGING_RULES="inkora.debug=true" shows it all.
Q_DECLARE_LOGGING_CATEGORY(inkoraLog)
