#pragma once

#include <QStringList>
#include <functional>

namespace kordex {

class SqlConnection;

// Imports sales lines from ";"-separated lines with the columns
//   firma;periode;abtnr;hgrp;ugrp;pg;svart;typ;umsatz;nebenerloes;einsatz;nebenkosten;skonto;nachlass
// (an optional first line naming the columns is skipped; amounts in euros with
// up to two decimals, "." or "," as decimal mark). Every line is checked,
// codes against the master data included; one bad line rejects the file and
// nothing is written. The period sums are not rebuilt here.
class SalesImport
{
public:
    static const QStringList &columns();

    explicit SalesImport(SqlConnection &sql);
    // The number of lines written; ServerError(ImportRejected) lists bad lines.
    qint64 run(const QStringList &lines, const std::function<void(int)> &progress = {});

private:
    SqlConnection &m_sql;
};

} // namespace kordex
