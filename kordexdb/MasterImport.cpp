#include "MasterImport.h"

#include "CsvReader.h"
#include "EchoedInput.h"
#include "ImportProblems.h"
#include "ServerText.h"
#include "SqlConnection.h"
#include "Validation.h"

#include <QHash>
#include <kordex/ErrorNumbers.h>
#include <kordex/ServerError.h>

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

// The key under which a record of the file is known to the later rows.
QString fileKey(const QString &kind, const QString &company, const QString &code)
{
    return kind + QChar(0x1F) + company + QChar(0x1F) + code;
}

} // namespace

MasterImport::MasterImport(SqlConnection &sql)
    : m_sql(sql)
{
}

int MasterImport::run(const QStringList &lines)
{
    QList<Row> rows;
    ImportProblems problems;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const auto fields = CsvReader::split(line);
        if (!fields)
            problems.add(i + 1, QStringLiteral("Anführungszeichen nicht geschlossen"));
        else
            rows.append({ int(i + 1), *fields });
    }
    m_inFile.clear();
    for (const Row &row : std::as_const(rows)) {
        const QStringList &f = row.fields;
        const bool company = f.value(0) == QLatin1String("FIRMA");
        m_inFile.insert(fileKey(f.value(0), f.value(1), company ? f.value(1) : f.value(2)));
    }
    check(rows, problems);
    problems.throwIfAny();
    if (rows.isEmpty())
        throw ServerError(
            error::ImportRejected,
            QStringLiteral("keine Stammdaten in der Datei (%1 Zeilen gelesen)").arg(lines.size()));
    Transaction transaction(m_sql);
    for (const Row &row : rows)
        write(row);
    transaction.commit();
    return int(rows.size());
}

void MasterImport::check(const QList<Row> &rows, ImportProblems &problems)
{
    for (const Row &row : rows) {
        const QStringList &f = row.fields;
        const auto kind = kinds().constFind(f.value(0));
        if (kind == kinds().constEnd()) {
            problems.add(
                row.line,
                QStringLiteral("unbekannte Satzart %1").arg(EchoedInput::quoted(f.value(0))));
            continue;
        }
        if (f.size() != kind->fieldCount) {
            problems.add(row.line,
                         QStringLiteral("%1 Felder statt %2").arg(f.size()).arg(kind->fieldCount));
            continue;
        }
        QStringList found { Validation::companyProblem(f[1]), Validation::nameProblem(f[3]) };
        if (f[0] == QLatin1String("FIRMA")) {
            if (!f[2].isEmpty())
                found.append(QStringLiteral("Feld 3 muss bei FIRMA leer sein"));
        } else {
            found.append(Validation::codeProblem(f[2]));
            if (!known(QStringLiteral("firma"), QStringLiteral("firma"), f[1], f[1],
                       QStringLiteral("FIRMA")))
                found.append(QStringLiteral("Firma %1 unbekannt").arg(EchoedInput::quoted(f[1])));
        }
        for (qsizetype r = 0; r < kind->references.size(); ++r) {
            const Kind &target = kinds()[kind->references[r]];
            const QString code = f[4 + r];
            if (!known(target.table, target.codeColumn, f[1], code, kind->references[r]))
                found.append(QStringLiteral("%1 %2 unbekannt")
                                 .arg(kind->references[r], EchoedInput::quoted(code)));
        }
        for (const QString &text : std::as_const(found))
            if (!text.isEmpty())
                problems.add(row.line, text);
    }
}

bool MasterImport::known(const QString &table, const QString &column, const QString &company,
                         const QString &code, const QString &kind)
{
    if (m_inFile.contains(fileKey(kind, company, code)))
        return true;
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
