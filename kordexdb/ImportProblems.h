#pragma once

#include <QString>
#include <QStringList>

namespace kordex {

// The bad rows of an import file as the rejection lists them: the first 50
// with their line numbers, then how many there were in all, so that a file of
// a million bad rows still gives a short message.
class ImportProblems
{
public:
    static constexpr int shown = 50;

    void add(qsizetype line, const QString &problem);
    bool isEmpty() const { return m_count == 0; }
    // Raises ServerError(ImportRejected) with the list when any row was bad.
    void throwIfAny() const;

private:
    QStringList m_shown;
    qsizetype m_count = 0;
};

} // namespace kordex
