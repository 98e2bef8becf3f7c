#include "SalesImport.h"

#include "CsvLineReader.h"
#include "CsvReader.h"
#include "EchoedInput.h"
#include "ImportProblems.h"
#include "Period.h"
#include "SalesWriter.h"
#include "SqlConnection.h"

#include <QBuffer>
#include <QRegularExpression>
#include <kordex/ErrorNumbers.h>
#include <kordex/ServerError.h>
#include <optional>
#include <vector>

namespace kordex {

namespace {

// Up to nine digits before the decimal mark: no sum of a period can overflow
// 64-bit cents below some 90 million lines of the largest amount.
std::optional<qint64> cents(const QString &text)
{
    static const QRegularExpression form(QRegularExpression::anchoredPattern(
        QStringLiteral("(-?)([0-9]{1,9})(?:[.,]([0-9]{1,2}))?")));
    const auto m = form.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const QString fraction = m.captured(3).leftJustified(2, QLatin1Char('0'));
    const qint64 value = m.captured(2).toLongLong() * 100 + fraction.toLongLong();
    return m.captured(1).isEmpty() ? value : -value;
}

QString parse(const QStringList &f, SalesLine &line)
{
    if (f.size() != SalesImport::columns().size())
        return QStringLiteral("%1 Felder statt %2")
            .arg(f.size())
            .arg(SalesImport::columns().size());
    const auto period = Period::parse(f[1].trimmed());
    if (!period)
        return QStringLiteral("ungültige Periode %1").arg(EchoedInput::quoted(f[1]));
    line.company = f[0].trimmed().toStdString();
    line.period = *period;
    line.department = f[2].trimmed().toStdString();
    line.mainGroup = f[3].trimmed().toStdString();
    line.subGroup = f[4].trimmed().toStdString();
    line.customerGroup = f[5].trimmed().toStdString();
    line.shippingType = f[6].trimmed().toStdString();
    line.articleType = f[7].trimmed().toStdString();
    for (int i = 0; i < 6; ++i) {
        const auto value = cents(f[8 + i]);
        if (!value)
            return QStringLiteral("ungültiger Betrag %1 in Spalte %2 (höchstens 999999999.99,"
                                  " zwei Nachkommastellen)")
                .arg(EchoedInput::quoted(f[8 + i]), SalesImport::columns()[8 + i]);
        line.amounts[size_t(i)] = *value;
    }
    return QString();
}

} // namespace

const QStringList &SalesImport::columns()
{
    static const QStringList list { "firma",   "periode",     "abtnr",  "hgrp",    "ugrp",
                                    "pg",      "svart",       "typ",    "umsatz",  "nebenerloes",
                                    "einsatz", "nebenkosten", "skonto", "nachlass" };
    return list;
}

SalesImport::SalesImport(SqlConnection &sql)
    : m_sql(sql)
{
}

qint64 SalesImport::run(CsvLineReader &lines, const std::function<void(int)> &progress,
                        qint64 fileSize)
{
    // One pass: every good line is written while the rest is checked; a bad line
    // stops the writing, the others are still checked for the list, and the
    // transaction is rolled back.
    Transaction transaction(m_sql);
    SalesWriter writer(m_sql);
    ImportProblems problems;
    qint64 good = 0;
    QString text, unreadable;
    while (lines.next(text, unreadable)) {
        const qsizetype number = lines.lineNumber();
        if (progress && fileSize > 0 && number % 10000 == 0)
            progress(int(lines.bytesRead() * 100 / fileSize));
        if (unreadable.isEmpty()
            && (text.trimmed().isEmpty()
                || (number == 1 && text.startsWith(QLatin1String("firma;")))))
            continue;
        SalesLine line;
        const auto fields = CsvReader::split(text);
        QString problem = !unreadable.isEmpty() ? unreadable
            : fields                            ? parse(*fields, line)
                     : QStringLiteral("Anführungszeichen nicht geschlossen");
        if (problem.isEmpty())
            problem = writer.problem(line);
        if (!problem.isEmpty()) {
            problems.add(number, problem);
            continue;
        }
        ++good;
        if (problems.isEmpty())
            writer.write(line);
    }
    problems.throwIfAny();
    if (good == 0)
        throw ServerError(error::ImportRejected,
                          QStringLiteral("keine Umsatzzeile in der Datei (%1 Zeilen gelesen)")
                              .arg(lines.lineNumber()));
    const qint64 written = writer.finish();
    transaction.commit();
    return written;
}

qint64 SalesImport::run(const QStringList &lines)
{
    QBuffer buffer;
    buffer.setData(lines.join(QLatin1Char('\n')).toUtf8());
    buffer.open(QIODevice::ReadOnly);
    CsvLineReader reader(buffer);
    return run(reader);
}

} // namespace kordex
