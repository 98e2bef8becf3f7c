#include "SalesImport.h"

#include "CsvReader.h"
#include "EchoedInput.h"
#include "ImportProblems.h"
#include "Period.h"
#include "SalesWriter.h"
#include "SqlConnection.h"

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

qint64 SalesImport::run(const QStringList &lines, const std::function<void(int)> &progress)
{
    SalesWriter writer(m_sql);
    std::vector<SalesLine> parsed;
    parsed.reserve(size_t(lines.size()));
    ImportProblems problems;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &text = lines[i];
        if (text.trimmed().isEmpty() || (i == 0 && text.startsWith(QLatin1String("firma;"))))
            continue;
        SalesLine line;
        const auto fields = CsvReader::split(text);
        QString problem
            = fields ? parse(*fields, line) : QStringLiteral("Anführungszeichen nicht geschlossen");
        if (problem.isEmpty())
            problem = writer.problem(line);
        if (!problem.isEmpty()) {
            problems.add(i + 1, problem);
            continue;
        }
        parsed.push_back(std::move(line));
    }
    problems.throwIfAny();
    if (parsed.empty())
        throw ServerError(
            error::ImportRejected,
            QStringLiteral("keine Umsatzzeile in der Datei (%1 Zeilen gelesen)").arg(lines.size()));
    Transaction transaction(m_sql);
    for (size_t i = 0; i < parsed.size(); ++i) {
        writer.write(parsed[i]);
        if (progress && i % 10000 == 0)
            progress(int(i * 100 / parsed.size()));
    }
    const qint64 written = writer.finish();
    transaction.commit();
    return written;
}

} // namespace kordex
