#include "ImportProblems.h"

#include <kordex/ErrorNumbers.h>
#include <kordex/ServerError.h>

namespace kordex {

void ImportProblems::add(qsizetype line, const QString &problem)
{
    if (++m_count <= shown)
        m_shown.append(QStringLiteral("Zeile %1: %2").arg(line).arg(problem));
}

void ImportProblems::throwIfAny() const
{
    if (m_count == 0)
        return;
    QStringList lines = m_shown;
    if (m_count > shown)
        lines.append(QStringLiteral("... %1 Fehler insgesamt").arg(m_count));
    throw ServerError(error::ImportRejected, lines.join(QLatin1Char('\n')));
}

} // namespace kordex
