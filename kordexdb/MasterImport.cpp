#include "MasterImport.h"

#include "CsvReader.h"
#include "ErrorNumbers.h"
#include "ServerError.h"
#include "ServerText.h"
#include "SqlConnection.h"
#include "Validation.h"

#include <QHash>

namespace kordex {

namespace {

struct Kind
{
    QString table;
    QString codeColumn;
    int fieldCount;
    QStringList references; // kinds that fields 5, 6 refer to
};

const QHash<QString, Kind> &kinds()
{
    static const QHash<QString, Kind> map {
        { "FIRMA", { "firma", "firma", 4, {} } },
        { "PC", { "profitcenter", "pcnr", 4, {} } },
        { "HABT", { "hauptabteilung", "habt", 4, {} } },
        { "ABT", { "abteilung", "abtnr", 6, { "PC", "HABT" } } },
        { "HGRP", { "hauptgruppe", "hgrp", 4, {} } },
        { "UGRP", { "untergruppe", "ugrp", 5, { "HGRP" } } },
        { "HVART", { "hauptversandart", "hvart", 4, {} } },
        { "VART", { "versandart", "svart", 5, { "HVART" } } },
    };
    return map;
}

QString problem(int line, const QString &text)
{
    return QStringLiteral("Zeile %1: %2").arg(line).arg(text);
}

} // namespace

MasterImport::MasterImport(SqlConnection &sql)
    : m_sql(sql)
{
}

int MasterImport::run(const QStringList &lines)
{
    QList<Row> rows;
    QStringList problems;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const auto fields = CsvReader::split(line);
        if (!fields)
            problems.append(
                problem(int(i + 1), QStringLiteral("Anführungszeichen nicht geschlossen")));
        else
            rows.append({ int(i + 1), *fields });
    }
    problems += check(rows);
    if (!problems.isEmpty())
        throw ServerError(error::ImportRejected, problems.join(QLatin1Char('\n')));
    Transaction transaction(m_sql);
    for (const Row &row : rows)
        write(row);
    transaction.commit();
    return int(rows.size());
}

QStringList MasterImport::check(const QList<Row> &rows)
{
    QStringList problems;
    for (const Row &row : rows) {
        const QStringList &f = row.fields;
        const auto kind = kinds().constFind(f.value(0));
        if (kind == kinds().constEnd()) {
            problems.append(
                problem(row.line, QStringLiteral("unbekannte Satzart \"%1\"").arg(f.value(0))));
            continue;
        }
        if (f.size() != kind->fieldCount) {
            problems.append(
                problem(row.line,
                        QStringLiteral("%1 Felder statt %2").arg(f.size()).arg(kind->fieldCount)));
            continue;
        }
        QStringList found { Validation::companyProblem(f[1]), Validation::nameProblem(f[3]) };
        if (f[0] == QLatin1String("FIRMA")) {
            if (!f[2].isEmpty())
                found.append(QStringLiteral("Feld 3 muss bei FIRMA leer sein"));
        } else {
            found.append(Validation::codeProblem(f[2]));
            if (!known(QStringLiteral("firma"), QStringLiteral("firma"), f[1], f[1], rows,
                       QStringLiteral("FIRMA")))
                found.append(QStringLiteral("Firma %1 unbekannt").arg(f[1]));
        }
        for (qsizetype r = 0; r < kind->references.size(); ++r) {
            const Kind &target = kinds()[kind->references[r]];
            const QString code = f[4 + r];
            if (!known(target.table, target.codeColumn, f[1], code, rows, kind->references[r]))
                found.append(QStringLiteral("%1 \"%2\" unbekannt").arg(kind->references[r], code));
        }
        for (const QString &text : std::as_const(found))
            if (!text.isEmpty())
                problems.append(problem(row.line, text));
    }
    return problems;
}

bool MasterImport::known(const QString &table, const QString &column, const QString &company,
                         const QString &code, const QList<Row> &rows, const QString &kind)
{
    for (const Row &row : rows) {
        const QStringList &f = row.fields;
        const QString rowCode = kind == QLatin1String("FIRMA") ? f.value(1) : f.value(2);
        if (f.value(0) == kind && f.value(1) == company && rowCode == code)
            return true;
    }
    const QString sql = table == QLatin1String("firma")
        ? QStringLiteral("SELECT 1 FROM firma WHERE firma = ?")
        : QStringLiteral("SELECT 1 FROM %1 WHERE firma = ? AND %2 = ?").arg(table, column);
    const QList<SqlValue> params = table == QLatin1String("firma")
        ? QList<SqlValue> { code }
        : QList<SqlValue> { company, code };
    return !m_sql.query(sql, params).isEmpty();
}

void MasterImport::write(const Row &row)
{
    const QStringList &f = row.fields;
    const QString name = toServerText(f[3].trimmed());
    const QString kind = f[0];
    if (kind == QLatin1String("FIRMA")) {
        m_sql.execute(QStringLiteral("INSERT INTO firma (firma, name) VALUES (?, ?)"
                                     " ON CONFLICT (firma) DO UPDATE SET name = excluded.name"),
                      { f[1], name });
        return;
    }
    const Kind &k = kinds()[kind];
    if (kind == QLatin1String("ABT")) {
        m_sql.execute(
            QStringLiteral(
                "INSERT INTO abteilung (firma, abtnr, name, pcnr, habt) VALUES (?, ?, ?, ?, ?)"
                " ON CONFLICT (firma, abtnr) DO UPDATE SET name = excluded.name,"
                " pcnr = excluded.pcnr, habt = excluded.habt"),
            { f[1], f[2], name, f[4], f[5] });
    } else if (kind == QLatin1String("UGRP")) {
        m_sql.execute(
            QStringLiteral("INSERT INTO untergruppe (firma, hgrp, ugrp, name) VALUES (?, ?, ?, ?)"
                           " ON CONFLICT (firma, hgrp, ugrp) DO UPDATE SET name = excluded.name"),
            { f[1], f[4], f[2], name });
    } else if (kind == QLatin1String("VART")) {
        m_sql.execute(
            QStringLiteral("INSERT INTO versandart (firma, svart, name, hvart) VALUES (?, ?, ?, ?)"
                           " ON CONFLICT (firma, svart) DO UPDATE SET name = excluded.name,"
                           " hvart = excluded.hvart"),
            { f[1], f[2], name, f[4] });
    } else {
        m_sql.execute(QStringLiteral("INSERT INTO %1 (firma, %2, name) VALUES (?, ?, ?)"
                                     " ON CONFLICT (firma, %2) DO UPDATE SET name = excluded.name")
                          .arg(k.table, k.codeColumn),
                      { f[1], f[2], name });
    }
}

} // namespace kordex
