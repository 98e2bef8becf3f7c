#pragma once

#include <QStringList>
#include <functional>

namespace kordex {

class CsvLineReader;
class SqlConnection;

// Imports sales lines from ";"-separated lines with the columns
//   firma;periode;abtnr;hgrp;ugrp;pg;svart;typ;umsatz;nebenerloes;einsatz;nebenkosten;skonto;nachlass
// (an optional first line naming the columns is skipped; amounts in euros with
// up to two decimals, "." or "," as decimal mark). Every line is checked,
// codes against the master data included; one bad line rejects the file and
// nothing is written. The lines are read and written one at a time, in one
// transaction, so that the memory an import takes does not grow with the file.
// The period sums are not rebuilt here.
class SalesImport
{
public:
    static const QStringList &columns();

    explicit SalesImport(SqlConnection &sql);
    // The number of lines written; ServerError(ImportRejected) lists bad lines.
    // progress gets the share of the file read, in percent.
    qint64 run(CsvLineReader &lines, const std::function<void(int)> &progress = {},
               qint64 fileSize = 0);
    qint64 run(const QStringList &lines);

private:
    SqlConnection &m_sql;
};

} // namespace kordex
