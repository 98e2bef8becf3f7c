#pragma once

#include <QSet>
#include <QStringList>

namespace kordex {

class ImportProblems;
class SqlConnection;

// Imports organisation and merchandise master data from ";"-separated lines:
//   FIRMA;<company>;;<name>
//   PC;<company>;<profit centre>;<name>
//   HABT;<company>;<main department>;<name>
//   ABT;<company>;<department>;<name>;<profit centre>;<main department>
//   HGRP;<company>;<main group>;<name>
//   UGRP;<company>;<subgroup>;<name>;<main group>
//   HVART;<company>;<main shipping type>;<name>
//   VART;<company>;<shipping type>;<name>;<main shipping type>
// Empty lines and lines starting with "#" are skipped. Names are written as
// people write them and stored in the server's text form. Every row is checked
// first (references may point into the store or into the same file); one bad
// row rejects the whole file. Existing records are updated.
class MasterImport
{
public:
    explicit MasterImport(SqlConnection &sql);
    // The number of records written; ServerError(ImportRejected) lists bad rows.
    int run(const QStringList &lines);

private:
    struct Row
    {
        int line;
        QStringList fields;
    };

    void check(const QList<Row> &rows, ImportProblems &problems);
    bool known(const QString &table, const QString &column, const QString &company,
               const QString &code, const QString &kind);
    void write(const Row &row);

    SqlConnection &m_sql;
    QSet<QString> m_inFile; // kind, company and code of every record of the file
};

} // namespace kordex
